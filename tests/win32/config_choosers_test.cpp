#include "config_window_test_support.h"

#include "dialogs/choosers_win.h"
#include "label/label_font_win.h"
#include "label/label_text.h"
#include "settings/settings.h"
#include "settings/settings_file.h"

#include "toolkit/toolkit.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace config_test {
namespace {

using ConfigChooserTest = ConfigWindowTest;

// ---------------------------------------------------------------------------------------------
// The colour chooser.

// The control's own visibility; the dialog around it may not be shown yet.
bool IsShown(HWND dialog, int item) {
    return (GetWindowLongA(GetDlgItem(dialog, item), GWL_STYLE) & WS_VISIBLE) != 0;
}

int EditNumber(HWND dialog, int edit) {
    BOOL ok = FALSE;
    const UINT value = GetDlgItemInt(dialog, edit, &ok, FALSE);
    return ok ? static_cast<int>(value) : -1;
}

struct ColorChooserCase {
    const char* name;
    int32_t backColor;
    bool confirm;
    std::optional<COLORREF> typed; // red, green and blue typed into the chooser
    COLORREF expectedOnOpen;       // what the chooser shows first
    int32_t expectedBackColor;     // BackColor afterwards
};

TEST_F(ConfigChooserTest, TheColourChooserStoresThePickAndPaintsTheSampleAndTheLabel) {
    ShowAndSettle();
    const ColorChooserCase cases[] = {
        {"NeverChosenOpensOnBlackAndStoresAlmostBlack", -1, true, std::nullopt, RGB(0, 0, 0),
         kStoredBlack},
        {"APickIsStored", RGB(10, 20, 30), true, RGB(200, 100, 50), RGB(10, 20, 30),
         RGB(200, 100, 50)},
        {"CancelChangesNothing", RGB(10, 20, 30), false, RGB(90, 90, 90), RGB(10, 20, 30),
         RGB(10, 20, 30)},
        {"BlackPickedIsStoredAsAlmostBlack", RGB(10, 20, 30), true, RGB(0, 0, 0), RGB(10, 20, 30),
         kStoredBlack},
    };
    for (const ColorChooserCase& c : cases) {
        SCOPED_TRACE(c.name);
        current::Settings.BackColor = c.backColor;
        // Changed behind the handler's back: the label shows it only if it is rebuilt.
        current::Settings.ShowIP = 1 - current::Settings.ShowIP;
        const std::string labelWhenRebuilt =
            ComposeLabelText(current::Settings, current::IdentityFacts);
        const AnsweredColors sampleBefore = AskColors(control::kBackColorSample);

        COLORREF shown = 0xFFFFFFFF;
        BOOL folded = FALSE;
        HWND owner = nullptr;
        BOOL labelEnabledMeanwhile = TRUE;
        DialogDriver driver("Color", [&](HWND dialog) {
            shown = RGB(EditNumber(dialog, 706), EditNumber(dialog, 707), EditNumber(dialog, 708));
            // The red, green and blue edits belong to the custom-colour section.
            folded = !IsShown(dialog, 706);
            owner = GetWindow(dialog, GW_OWNER);
            labelEnabledMeanwhile = IsWindowEnabled(Label());
            if (c.typed) {
                SetDlgItemInt(dialog, 706, GetRValue(*c.typed), FALSE);
                SetDlgItemInt(dialog, 707, GetGValue(*c.typed), FALSE);
                SetDlgItemInt(dialog, 708, GetBValue(*c.typed), FALSE);
            }
            DialogDriver::Press(dialog, c.confirm ? IDOK : IDCANCEL);
        });
        Click(control::kBackColor);
        ASSERT_TRUE(driver.acted()) << "the colour chooser did not open";
        EXPECT_FALSE(driver.forcedToClose());

        EXPECT_EQ(shown, c.expectedOnOpen);
        EXPECT_TRUE(folded);
        EXPECT_EQ(owner, ConfigWindow());
        EXPECT_FALSE(labelEnabledMeanwhile);
        EXPECT_TRUE(IsWindowEnabled(Label()));
        EXPECT_TRUE(IsWindowEnabled(ConfigWindow()));

        EXPECT_EQ(current::Settings.BackColor, c.expectedBackColor);
        EXPECT_EQ(current::LabelText, labelWhenRebuilt);
        const AnsweredColors sample = AskColors(control::kBackColorSample);
        const AnsweredColors label = AskColors(control::kLabelText);
        if (c.confirm) {
            EXPECT_EQ(sample.back, static_cast<COLORREF>(c.expectedBackColor));
            EXPECT_EQ(label.back, static_cast<COLORREF>(c.expectedBackColor));
        } else {
            EXPECT_EQ(sample.back, sampleBefore.back);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// The font chooser.

// Selects an entry of one of the chooser's combo boxes and tells the chooser, as a click does.
void SelectInCombo(HWND dialog, int combo, int index) {
    SendDlgItemMessageA(dialog, combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, combo)));
}

int FindComboData(HWND dialog, int combo, LRESULT data) {
    const auto count = static_cast<int>(SendDlgItemMessageA(dialog, combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        if (SendDlgItemMessageA(dialog, combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == data) {
            return i;
        }
    }
    return -1;
}

std::string ComboSelection(HWND dialog, int combo) {
    const auto index = SendDlgItemMessageA(dialog, combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) {
        return {};
    }
    char text[256] = {};
    SendDlgItemMessageA(dialog, combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(text));
    return text;
}

constexpr int kFaceCombo = 1136;
constexpr int kStyleCombo = 1137;
constexpr int kSizeCombo = 1138;
constexpr int kColorCombo = 1139;

struct FontChooserVisit {
    std::string faceShown;
    std::string sizeShown;
    LRESULT colorShown = -1;
    bool effectsShown = false;
    HWND owner = nullptr;
    BOOL labelEnabled = TRUE;
};

TEST_F(ConfigChooserTest, TheFontChooserStartsFromTheSettingsAndStoresTheWholePointSize) {
    current::Settings.FontName = "Liberation Serif";
    current::Settings.FontSize = 14;
    current::Settings.FontColor = RGB(255, 0, 0);
    ShowAndSettle();
    // Changed behind the handler's back: the label shows it only if it is rebuilt.
    current::Settings.ShowIP = 1;

    FontChooserVisit visit;
    DialogDriver driver("Font", [&](HWND dialog) {
        visit.faceShown = ComboSelection(dialog, kFaceCombo);
        visit.sizeShown = ComboSelection(dialog, kSizeCombo);
        const auto colorIndex = SendDlgItemMessageA(dialog, kColorCombo, CB_GETCURSEL, 0, 0);
        visit.colorShown = SendDlgItemMessageA(dialog, kColorCombo, CB_GETITEMDATA, colorIndex, 0);
        visit.owner = GetWindow(dialog, GW_OWNER);
        visit.labelEnabled = IsWindowEnabled(Label());
        // The effects group: strike-out and underline boxes and the colour list.
        visit.effectsShown =
            IsShown(dialog, 1040) && IsShown(dialog, 1041) && IsShown(dialog, kColorCombo);

        SelectInCombo(dialog, kFaceCombo,
                      static_cast<int>(SendDlgItemMessageA(
                          dialog, kFaceCombo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                          reinterpret_cast<LPARAM>("Liberation Mono"))));
        // The last style is the boldest italic one; the label keeps none of it.
        const auto styles = SendDlgItemMessageA(dialog, kStyleCombo, CB_GETCOUNT, 0, 0);
        SelectInCombo(dialog, kStyleCombo, static_cast<int>(styles) - 1);
        SelectInCombo(dialog, kSizeCombo,
                      static_cast<int>(SendDlgItemMessageA(dialog, kSizeCombo, CB_FINDSTRINGEXACT,
                                                           static_cast<WPARAM>(-1),
                                                           reinterpret_cast<LPARAM>("20"))));
        SelectInCombo(dialog, kColorCombo, FindComboData(dialog, kColorCombo, RGB(0, 128, 0)));
        DialogDriver::Press(dialog, IDOK);
    });
    Click(control::kFont);
    ASSERT_TRUE(driver.acted()) << "the font chooser did not open";
    EXPECT_FALSE(driver.forcedToClose());

    EXPECT_EQ(visit.faceShown, "Liberation Serif");
    EXPECT_EQ(visit.sizeShown, "14");
    EXPECT_EQ(visit.colorShown, LRESULT{RGB(255, 0, 0)});
    EXPECT_TRUE(visit.effectsShown);
    EXPECT_EQ(visit.owner, ConfigWindow());
    EXPECT_FALSE(visit.labelEnabled);
    EXPECT_TRUE(IsWindowEnabled(Label()));

    EXPECT_EQ(current::Settings.FontName, "Liberation Mono");
    EXPECT_EQ(current::Settings.FontSize, 20);
    EXPECT_EQ(current::Settings.FontColor, int32_t{RGB(0, 128, 0)});
    EXPECT_EQ(WindowText(Control(control::kFontDescription)), " Liberation Mono, Size: 20");
    EXPECT_EQ(AskColors(control::kFontDescription).text, RGB(0, 128, 0));

    EXPECT_EQ(current::LabelText, " HOST7 10.1.2.3 ");
    const LOGFONTA labelFont = LabelFont();
    EXPECT_STREQ(labelFont.lfFaceName, "Liberation Mono");
    EXPECT_EQ(labelFont.lfHeight, toolkit::FontHeightForPoints(20));
    EXPECT_EQ(labelFont.lfWeight, FW_NORMAL);
    EXPECT_FALSE(labelFont.lfItalic);
    EXPECT_EQ(AskColors(control::kLabelText).text, RGB(0, 128, 0));
}

TEST_F(ConfigChooserTest, TheFontChooserOpensOnBlackAndConfirmedStoresAlmostBlack) {
    ShowAndSettle();
    LRESULT colorShown = -1;
    DialogDriver driver("Font", [&](HWND dialog) {
        const auto index = SendDlgItemMessageA(dialog, kColorCombo, CB_GETCURSEL, 0, 0);
        colorShown = SendDlgItemMessageA(dialog, kColorCombo, CB_GETITEMDATA, index, 0);
        DialogDriver::Press(dialog, IDOK);
    });
    Click(control::kFont);
    ASSERT_TRUE(driver.acted());
    EXPECT_EQ(colorShown, 0);
    EXPECT_EQ(current::Settings.FontColor, kStoredBlack);
    EXPECT_EQ(AskColors(control::kFontDescription).text, COLORREF{kStoredBlack});
    EXPECT_EQ(AskColors(control::kLabelText).text, COLORREF{kStoredBlack});
}

TEST_F(ConfigChooserTest, TheFontChooserCancelledChangesNothingButTheLabelIsRebuilt) {
    // Longer than the 31 characters a face name can hold in the chooser.
    const std::string longName = "Liberation Sans With A Much Longer Name";
    ASSERT_GT(longName.size(), 31u);
    current::Settings.FontName = longName;
    current::Settings.FontSize = 11;
    current::Settings.FontColor = -1;
    ShowAndSettle();
    current::Settings.ShowUserID = 1;
    const Settings before = current::Settings;

    DialogDriver driver("Font", [](HWND dialog) {
        SelectInCombo(dialog, kSizeCombo,
                      static_cast<int>(SendDlgItemMessageA(dialog, kSizeCombo, CB_FINDSTRINGEXACT,
                                                           static_cast<WPARAM>(-1),
                                                           reinterpret_cast<LPARAM>("20"))));
        DialogDriver::Press(dialog, IDCANCEL);
    });
    Click(control::kFont);
    ASSERT_TRUE(driver.acted());
    EXPECT_FALSE(driver.forcedToClose());
    EXPECT_EQ(FormatSettingsText(current::Settings), FormatSettingsText(before));
    EXPECT_EQ(current::Settings.FontName, longName);
    EXPECT_EQ(WindowText(Control(control::kFontDescription)), " " + longName + ", Size: 11");
    EXPECT_EQ(current::LabelText, " HOST7 <user1> ");
}

TEST_F(ConfigChooserTest, ALongFontNameIsReplacedOnlyWhenAFontIsChosen) {
    current::Settings.FontName = std::string(40, 'Q');
    ShowAndSettle();
    DialogDriver driver("Font", [](HWND dialog) {
        SelectInCombo(dialog, kFaceCombo,
                      static_cast<int>(SendDlgItemMessageA(
                          dialog, kFaceCombo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                          reinterpret_cast<LPARAM>("Liberation Mono"))));
        DialogDriver::Press(dialog, IDOK);
    });
    Click(control::kFont);
    ASSERT_TRUE(driver.acted());
    EXPECT_EQ(current::Settings.FontName, "Liberation Mono");
}

struct StartFontCase {
    const char* name;
    std::string faceName;
    int32_t points;
    std::string expectedFace;
    bool sized;
};

TEST(ConfigFontChooserStartFont, TheFaceCutToThirtyOneCharactersTheSizeUnlessZeroAndNoStyle) {
    const std::string thirtyOne(31, 'a');
    const StartFontCase cases[] = {
        {"Defaults", "Arial", 8, "Arial", true},
        {"NoSizePreset", "Arial", 0, "Arial", false},
        {"NegativeSize", "Arial", -12, "Arial", true},
        {"Empty", "", 8, "", true},
        {"ExactlyFull", thirtyOne, 8, thirtyOne, true},
        {"OneTooMany", thirtyOne + "b", 8, thirtyOne, true},
        {"MuchLonger", thirtyOne + "bcdefghij", 8, thirtyOne, true},
    };
    for (const StartFontCase& c : cases) {
        SCOPED_TRACE(c.name);
        const LOGFONTA font = FontChooserStartFont(c.faceName, c.points);
        EXPECT_EQ(font.lfFaceName[LF_FACESIZE - 1], '\0');
        EXPECT_EQ(std::string(font.lfFaceName), c.expectedFace);
        EXPECT_EQ(font.lfHeight, c.sized ? toolkit::FontHeightForPoints(c.points) : 0);
        EXPECT_EQ(font.lfWeight, FW_NORMAL);
        EXPECT_FALSE(font.lfItalic);
        EXPECT_FALSE(font.lfUnderline);
        EXPECT_FALSE(font.lfStrikeOut);
    }
    EXPECT_LT(FontChooserStartFont("Arial", 8).lfHeight, 0) << "a character height, not a cell";
}

} // namespace
} // namespace config_test
