#include "app/main_loop_win.h"
#include "label/label_font_win.h"
#include "label/label_text.h"
#include "label/label_window_win.h"
#include "settings/settings.h"
#include "toolkit/toolkit.h"
#include "ui_numbers.h"
#include "win32_test_support.h"

#include <gtest/gtest.h>

namespace {

using GetLayeredWindowAttributesFunction = BOOL(WINAPI*)(HWND, COLORREF*, BYTE*, DWORD*);

class LabelWindowTest : public testing::Test {
protected:
    void SetUp() override {
        EnsureToolkit();
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &originalWorkArea_, 0);
        current::Settings = DefaultSettings();
        current::IdentityFacts = {"HOST7", "LAB", "user1", "10.1.2.3"};
        current::WorkAreaBottom = originalWorkArea_.bottom;
    }
    void TearDown() override {
        SystemParametersInfoA(SPI_SETWORKAREA, 0, &originalWorkArea_, 0);
        toolkit::Shutdown();
        ReleaseLabelResources();
        DrainEvents();
    }

    static HWND Label() { return toolkit::WindowHandle(ui::window::kLabel); }
    static RECT LabelRect() {
        RECT rect{};
        GetWindowRect(Label(), &rect);
        return rect;
    }
    static SIZE ExpectedSize() {
        const Settings& s = current::Settings;
        return {MeasureTextWidth(s.FontName, s.FontSize, current::LabelText),
                MeasureTextHeight(current::LabelText, s.FontName, s.FontSize)};
    }
    static void SetWorkArea(LONG top, LONG bottom) {
        RECT area{0, top, GetSystemMetrics(SM_CXSCREEN), bottom};
        ASSERT_TRUE(SystemParametersInfoA(SPI_SETWORKAREA, 0, &area, 0));
    }

    RECT originalWorkArea_{};
};

TEST_F(LabelWindowTest, TheFirstBuildCreatesTheLabelInTheBottomRightCorner) {
    BuildLabel();
    ASSERT_NE(Label(), nullptr);
    EXPECT_EQ(toolkit::ControlText(ui::control::kLabelText), " HOST7 ");
    const SIZE size = ExpectedSize();
    ASSERT_GT(size.cx, 0);
    ASSERT_GT(size.cy, 0);
    const RECT rect = LabelRect();
    EXPECT_EQ(rect.left, GetSystemMetrics(SM_CXSCREEN) - size.cx);
    EXPECT_EQ(rect.top, current::WorkAreaBottom - size.cy);
    EXPECT_EQ(rect.right - rect.left, size.cx);
    EXPECT_EQ(rect.bottom - rect.top, size.cy);
    EXPECT_TRUE(IsWindowVisible(Label()));
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(Label(), GWL_EXSTYLE)),
              DWORD{WS_EX_TOOLWINDOW | WS_EX_TOPMOST});
    const auto style = static_cast<DWORD>(GetWindowLongA(Label(), GWL_STYLE));
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME | WS_SYSMENU));
    const auto textStyle = static_cast<DWORD>(
        GetWindowLongA(toolkit::ControlHandle(ui::control::kLabelText), GWL_STYLE));
    EXPECT_EQ(textStyle & (SS_TYPEMASK | SS_NOPREFIX | SS_NOTIFY), DWORD{SS_CENTER | SS_NOPREFIX});
}

TEST_F(LabelWindowTest, LaterBuildsMoveAndResizeTheSameWindow) {
    BuildLabel();
    const HWND first = Label();
    const RECT before = LabelRect();
    BuildLabel();
    EXPECT_EQ(Label(), first);
    const RECT again = LabelRect();
    EXPECT_TRUE(EqualRect(&before, &again));

    current::Settings.LabelPos = kTopLeft;
    current::Settings.AddToDisplay = "A much longer free text";
    BuildLabel();
    EXPECT_EQ(Label(), first);
    const SIZE size = ExpectedSize();
    const RECT moved = LabelRect();
    EXPECT_EQ(moved.left, 0);
    EXPECT_EQ(moved.top, 0);
    EXPECT_EQ(moved.right, size.cx);
    EXPECT_EQ(moved.bottom, size.cy);
    RECT textRect{};
    GetClientRect(toolkit::ControlHandle(ui::control::kLabelText), &textRect);
    EXPECT_EQ(textRect.right, size.cx);
    EXPECT_EQ(textRect.bottom, size.cy);
    EXPECT_EQ(toolkit::ControlText(ui::control::kLabelText), " A much longer free text HOST7 ");
}

TEST_F(LabelWindowTest, AVeryLongFreeTextStillGetsItsTextControl) {
    current::Settings.AddToDisplay = std::string(100000, 'W');
    BuildLabel();
    ASSERT_NE(toolkit::ControlHandle(ui::control::kLabelText), nullptr);
    EXPECT_EQ(toolkit::ControlText(ui::control::kLabelText).size(), 100000u + 8u);
    EXPECT_EQ(LabelRect().right - LabelRect().left, ExpectedSize().cx);
}

TEST_F(LabelWindowTest, TheLabelFontFollowsTheSettings) {
    current::Settings.FontName = "Times New Roman";
    current::Settings.FontSize = 20;
    BuildLabel();
    const auto font = reinterpret_cast<HFONT>(
        SendMessageA(toolkit::ControlHandle(ui::control::kLabelText), WM_GETFONT, 0, 0));
    LOGFONTA described{};
    ASSERT_EQ(GetObjectA(font, sizeof described, &described), int{sizeof described});
    EXPECT_STREQ(described.lfFaceName, "Times New Roman");
    EXPECT_EQ(described.lfHeight, toolkit::FontHeightForPoints(20));
    EXPECT_EQ(described.lfWeight, FW_NORMAL);
    EXPECT_FALSE(described.lfItalic);
}

struct TransparencyCase {
    const char* name;
    int32_t transAmount;
    bool layered;
    BYTE alpha;
};

class LabelTransparencyTest : public LabelWindowTest,
                              public testing::WithParamInterface<TransparencyCase> {};

TEST_P(LabelTransparencyTest, BelowOneHundredPercentTheLabelIsTranslucent) {
    current::Settings.TransAmount = GetParam().transAmount;
    BuildLabel();
    const auto exStyle = static_cast<DWORD>(GetWindowLongA(Label(), GWL_EXSTYLE));
    EXPECT_EQ((exStyle & WS_EX_LAYERED) != 0, GetParam().layered);
    // Layering keeps the other extended styles.
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    if (GetParam().layered) {
        const auto getAttributes =
            reinterpret_cast<GetLayeredWindowAttributesFunction>(reinterpret_cast<void*>(
                GetProcAddress(GetModuleHandleA("user32.dll"), "GetLayeredWindowAttributes")));
        ASSERT_NE(getAttributes, nullptr);
        BYTE alpha = 0;
        DWORD flags = 0;
        ASSERT_TRUE(getAttributes(Label(), nullptr, &alpha, &flags));
        EXPECT_EQ(alpha, GetParam().alpha);
        EXPECT_EQ(flags, DWORD{LWA_ALPHA});
    }
}

INSTANTIATE_TEST_SUITE_P(Amounts, LabelTransparencyTest,
                         testing::Values(TransparencyCase{"Opaque", 100, false, 0},
                                         TransparencyCase{"Half", 50, true, 127},
                                         TransparencyCase{"TrackBarMinimum", 10, true, 25},
                                         TransparencyCase{"Invisible", 0, true, 0},
                                         TransparencyCase{"NegativeStaysOpaque", -5, false, 0},
                                         TransparencyCase{"AboveOneHundred", 150, false, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LabelWindowTest, TurningTransparencyBackUpToOneHundredMakesTheLabelOpaque) {
    current::Settings.TransAmount = 40;
    BuildLabel();
    ASSERT_TRUE(GetWindowLongA(Label(), GWL_EXSTYLE) & WS_EX_LAYERED);
    current::Settings.TransAmount = 100;
    BuildLabel();
    const auto exStyle = static_cast<DWORD>(GetWindowLongA(Label(), GWL_EXSTYLE));
    EXPECT_FALSE(exStyle & WS_EX_LAYERED);
    EXPECT_EQ(exStyle, DWORD{WS_EX_TOOLWINDOW | WS_EX_TOPMOST});
}

TEST_F(LabelWindowTest, ColoursAreAnsweredOnlyOnceChosen) {
    current::Settings.FontColor = 0;
    current::Settings.BackColor = -1;
    BuildLabel();
    const HWND text = toolkit::ControlHandle(ui::control::kLabelText);
    const HDC dc = GetDC(text);
    auto ask = [&] {
        SetTextColor(dc, RGB(1, 2, 3));
        return reinterpret_cast<HBRUSH>(SendMessageA(Label(), WM_CTLCOLORSTATIC,
                                                     reinterpret_cast<WPARAM>(dc),
                                                     reinterpret_cast<LPARAM>(text)));
    };
    // A colour of 0 is no colour: the question is left to the system's default answer.
    const HBRUSH answer = ask();
    const COLORREF answeredText = GetTextColor(dc);
    SetTextColor(dc, RGB(1, 2, 3));
    EXPECT_EQ(answer, reinterpret_cast<HBRUSH>(DefWindowProcA(Label(), WM_CTLCOLORSTATIC,
                                                              reinterpret_cast<WPARAM>(dc),
                                                              reinterpret_cast<LPARAM>(text))));
    EXPECT_EQ(answeredText, GetTextColor(dc));

    current::Settings.FontColor = RGB(200, 0, 0);
    BuildLabel();
    EXPECT_EQ(ask(), GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(GetTextColor(dc), RGB(200, 0, 0));

    current::Settings.BackColor = kStoredBlack;
    BuildLabel();
    ask();
    EXPECT_EQ(GetBkColor(dc), COLORREF{kStoredBlack});

    // Going back to "no colour" in the settings never clears a colour applied before.
    current::Settings.FontColor = -1;
    current::Settings.BackColor = -1;
    BuildLabel();
    ask();
    EXPECT_EQ(GetTextColor(dc), RGB(200, 0, 0));
    EXPECT_EQ(GetBkColor(dc), COLORREF{kStoredBlack});
    ReleaseDC(text, dc);
}

TEST_F(LabelWindowTest, AMovedWorkAreaBottomRebuildsTheLabelAndOtherEdgesDoNot) {
    BuildLabel();
    const RECT before = LabelRect();
    // Changed behind BuildLabel's back: the label only moves to the new corner if rebuilt.
    current::Settings.LabelPos = kTopLeft;

    SetWorkArea(originalWorkArea_.top + 30, originalWorkArea_.bottom);
    FollowWorkArea();
    RECT after = LabelRect();
    EXPECT_TRUE(EqualRect(&before, &after)) << "a top-edge change must not rebuild";

    current::Settings.LabelPos = kBottomRight;
    SetWorkArea(originalWorkArea_.top, originalWorkArea_.bottom - 40);
    FollowWorkArea();
    EXPECT_EQ(current::WorkAreaBottom, originalWorkArea_.bottom - 40);
    after = LabelRect();
    EXPECT_EQ(after.bottom, originalWorkArea_.bottom - 40);
    EXPECT_EQ(after.left, before.left);
}

} // namespace
