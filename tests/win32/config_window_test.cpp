#include "config_window_test_support.h"

#include "app/main_loop_win.h"
#include "dialogs/config_window_win.h"
#include "label/label_text.h"
#include "label/label_window_win.h"
#include "settings/os_version.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "toolkit/event.h"
#include "toolkit/toolkit.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace config_test {
namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// ---------------------------------------------------------------------------------------------
// The window and its controls.

struct ControlRow {
    int number;
    const char* className;
    int x;
    int y;
    int width;
    int height;
    const char* text;
    DWORD style; // besides WS_CHILD | WS_VISIBLE
    DWORD exStyle;
};

constexpr DWORD kFrame = BS_GROUPBOX | WS_GROUP;
constexpr DWORD kText = SS_LEFT | WS_GROUP;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP;
constexpr DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP;
constexpr DWORD kOption = BS_AUTORADIOBUTTON | WS_TABSTOP;

// In creation order.
const ControlRow kControlTable[] = {
    {18, "Button", 20, 35, 135, 145, "Information to view:", kFrame, 0},
    {1, "Button", 10, 10, 275, 281, "Label options", kFrame, 0},
    {2, "Button", 25, 57, 110, 15, "Computer name", kCheck, 0},
    {3, "Button", 25, 76, 110, 15, "Domain name", kCheck, 0},
    {4, "Button", 25, 95, 110, 15, "Users logon ID", kCheck, 0},
    {5, "Button", 25, 114, 110, 15, "Primary IP address", kCheck, 0},
    {6, "msctls_trackbar32", 160, 147, 91, 20, "", TBS_HORZ | WS_TABSTOP, 0},
    {7, "Static", 165, 127, 113, 15, "Transparency:", kText, 0},
    {8, "Static", 250, 145, 20, 15, "99%", kText, 0},
    {23, "Button", 20, 190, 110, 20, "&Background color:", kPush, 0},
    {9, "Static", 25, 139, 125, 15, "Text (added first on label)", kText, 0},
    {10, "Edit", 27, 154, 116, 17, "", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE},
    {11, "Button", 20, 260, 165, 15, "Start Lumatag with Windows", kCheck, 0},
    {12, "Static", 165, 38, 85, 15, "Screen position:", kText, 0},
    {24, "Static", 140, 190, 130, 20, "", kText, 0},
    {13, "Button", 165, 50, 96, 60, "", kFrame, 0},
    {14, "Button", 171, 58, 15, 15, "", kOption | WS_GROUP, 0},
    {15, "Button", 171, 89, 15, 15, "", kOption, 0},
    {16, "Button", 244, 58, 15, 15, "", kOption, 0},
    {17, "Button", 244, 90, 15, 15, "", kOption, 0},
    {19, "Button", 125, 305, 60, 25, "&Close", kPush, 0},
    {21, "Button", 20, 220, 40, 20, "&Font", kPush, 0},
    {22, "Static", 70, 220, 200, 18, "", kText, WS_EX_CLIENTEDGE},
};

TEST_F(ConfigWindowTest, OpensCentredCaptionOnlyAndActiveWithNoControlFocused) {
    OpenConfigWindow();
    const HWND window = ConfigWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowText(window), "Lumatag Configuration");
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 295);
    EXPECT_EQ(client.bottom, 345);
    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);

    // The system adds WS_CLIPSIBLINGS to every top-level window and WS_EX_WINDOWEDGE to one
    // with a caption; nothing else may be there.
    const auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    EXPECT_EQ(style & ~WS_CLIPSIBLINGS, DWORD{WS_CAPTION | WS_VISIBLE});
    const auto exStyle = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
    EXPECT_EQ(exStyle & ~WS_EX_WINDOWEDGE, DWORD{0});
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);

    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(IsIconic(window));
    EXPECT_EQ(GetActiveWindow(), window);
    const HWND focus = GetFocus();
    EXPECT_FALSE(focus != nullptr && IsChild(window, focus)) << "a control has the focus";

    // The two frames created first take no focus, so the first Tab goes to check box 2.
    PostMessageA(window, WM_KEYDOWN, VK_TAB, 0);
    DispatchPending();
    EXPECT_EQ(GetFocus(), Control(control::kShowComputerName));
}

TEST_F(ConfigWindowTest, CreatesTheTwentyThreeControlsInOrderAsTabled) {
    OpenConfigWindow();
    const HWND window = ConfigWindow();
    ASSERT_NE(window, nullptr);
    const auto guiFont = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));

    std::vector<int> created;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        created.push_back(GetDlgCtrlID(child));
    }
    std::vector<int> expected;
    for (const ControlRow& row : kControlTable) {
        expected.push_back(row.number);
    }
    EXPECT_EQ(created, expected);
    EXPECT_EQ(GetDlgItem(window, 20), nullptr);

    for (const ControlRow& row : kControlTable) {
        SCOPED_TRACE("control " + std::to_string(row.number));
        const HWND handle = Control(row.number);
        ASSERT_NE(handle, nullptr);
        EXPECT_EQ(GetParent(handle), window);
        char className[64] = {};
        GetClassNameA(handle, className, sizeof className);
        EXPECT_STRCASEEQ(className, row.className);
        EXPECT_EQ(WindowText(handle), row.text);
        RECT rect{};
        GetWindowRect(handle, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, row.x);
        EXPECT_EQ(rect.top, row.y);
        EXPECT_EQ(rect.right - rect.left, row.width);
        EXPECT_EQ(rect.bottom - rect.top, row.height);
        // The low word holds the class's own style bits, the high word the window's.
        const auto style = static_cast<DWORD>(GetWindowLongA(handle, GWL_STYLE));
        EXPECT_EQ(style, WS_CHILD | WS_VISIBLE | row.style) << std::hex << style;
        const auto exStyle = static_cast<DWORD>(GetWindowLongA(handle, GWL_EXSTYLE));
        EXPECT_EQ(exStyle, row.exStyle) << std::hex << exStyle;
        // A track bar shows no text and keeps no font; it is given one all the same.
        if (row.number != control::kTransparency) {
            EXPECT_EQ(SendMessageA(handle, WM_GETFONT, 0, 0), static_cast<LRESULT>(guiFont));
        }
    }
    const HWND trackBar = Control(control::kTransparency);
    EXPECT_EQ(SendMessageA(trackBar, TBM_GETRANGEMIN, 0, 0), 10);
    EXPECT_EQ(SendMessageA(trackBar, TBM_GETRANGEMAX, 0, 0), 100);
}

// The four option buttons are one group, and the Close button created after them ends it, so
// a click on one clears exactly the other three.
TEST_F(ConfigWindowTest, TheCornerOptionsFormOneGroupThatEndsAtTheCloseButton) {
    ShowAndSettle();
    const HWND window = ConfigWindow();
    ASSERT_NE(window, nullptr);
    std::set<HWND> group;
    const HWND first = Control(control::kCornerTopLeft);
    HWND item = first;
    for (int i = 0; i < 10; ++i) {
        group.insert(item);
        item = GetNextDlgGroupItem(window, item, FALSE);
        if (item == first) {
            break;
        }
    }
    EXPECT_EQ(group, (std::set<HWND>{Control(14), Control(15), Control(16), Control(17)}));
}

// ---------------------------------------------------------------------------------------------
// Initial states.

struct InitialCase {
    const char* name;
    int32_t osVersionCode;
    int trackBarPosition;
    const char* readOut;
    std::vector<int> checked; // among 2, 3, 4, 5, 11, 14, 15, 16, 17
    const char* freeText;
    const char* fontDescription;
    std::set<int> disabled;
    Settings (*settings)();
};

// Failure messages name the case instead of dumping its bytes.
void PrintTo(const InitialCase& c, std::ostream* out) {
    *out << c.name;
}

const int kCheckable[] = {2, 3, 4, 5, 11, 14, 15, 16, 17};
const int kAllControls[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                            13, 14, 15, 16, 17, 18, 19, 21, 22, 23, 24};

class ConfigInitialStateTest : public ConfigWindowTest,
                               public testing::WithParamInterface<InitialCase> {};

TEST_P(ConfigInitialStateTest, EveryControlIsSetFromTheSettings) {
    const InitialCase& c = GetParam();
    current::Settings = c.settings();
    current::OsVersionCode = c.osVersionCode;
    const Settings before = current::Settings;
    const std::string labelBefore = current::LabelText;
    ShowAndSettle();
    ASSERT_NE(ConfigWindow(), nullptr);

    EXPECT_EQ(SendMessageA(Control(control::kTransparency), TBM_GETPOS, 0, 0), c.trackBarPosition);
    EXPECT_EQ(WindowText(Control(control::kTransparencyReadOut)), c.readOut);
    for (const int number : kCheckable) {
        const bool expected =
            std::find(c.checked.begin(), c.checked.end(), number) != c.checked.end();
        EXPECT_EQ(SendMessageA(Control(number), BM_GETCHECK, 0, 0) == BST_CHECKED, expected)
            << "control " << number;
    }
    EXPECT_EQ(WindowText(Control(control::kFreeText)), c.freeText);
    EXPECT_EQ(WindowText(Control(control::kFontDescription)), c.fontDescription);
    for (const int number : kAllControls) {
        EXPECT_EQ(IsWindowEnabled(Control(number)) == FALSE, c.disabled.count(number) == 1)
            << "control " << number;
    }

    // The colours are applied only when chosen.
    const AnsweredColors description = AskColors(control::kFontDescription);
    if (IsColorChosen(before.FontColor)) {
        EXPECT_EQ(description.text, static_cast<COLORREF>(before.FontColor));
    } else {
        EXPECT_EQ(description.text, SystemColors(control::kFontDescription).text);
    }
    const AnsweredColors sample = AskColors(control::kBackColorSample);
    if (IsColorChosen(before.BackColor)) {
        EXPECT_EQ(sample.back, static_cast<COLORREF>(before.BackColor));
    } else {
        EXPECT_EQ(sample.back, SystemColors(control::kBackColorSample).back);
    }

    // Showing the window changes no setting and does not touch the label.
    EXPECT_EQ(FormatSettingsText(current::Settings), FormatSettingsText(before));
    EXPECT_EQ(current::LabelText, labelBefore);
}

Settings Defaults() {
    return DefaultSettings();
}

Settings HalfTranslucentTopLeftWithEverything() {
    Settings s = DefaultSettings();
    s.TransAmount = 55;
    s.LabelPos = kTopLeft;
    s.AutoStart = 1;
    s.ShowComputerName = 0;
    s.ShowUserID = 1;
    s.ShowIP = 1;
    s.AddToDisplay = "Desk 4";
    s.FontName = "Times New Roman";
    s.FontSize = 12;
    s.FontColor = RGB(200, 0, 0);
    s.BackColor = RGB(0, 0, 200);
    return s;
}

Settings BelowTheTrackBarRangeTopRight() {
    Settings s = DefaultSettings();
    s.TransAmount = 5;
    s.LabelPos = kTopRight;
    return s;
}

Settings AboveOneHundredBottomLeft() {
    Settings s = DefaultSettings();
    s.TransAmount = 150;
    s.LabelPos = kBottomLeft;
    return s;
}

// Values only a hand-edited file holds.
Settings OddFlagsAndNoCorner() {
    Settings s = DefaultSettings();
    s.ShowComputerName = 0;
    s.ShowDomainName = 2;
    s.ShowIP = -1;
    s.AutoStart = 7;
    s.LabelPos = 7;
    s.FontColor = 0;
    s.BackColor = 0;
    return s;
}

Settings DomainShownAtFortyPercent() {
    Settings s = DefaultSettings();
    s.ShowDomainName = 1;
    s.TransAmount = 40;
    return s;
}

const char* const kDefaultFont = " Arial, Size: 8";

// One row per case, kept as a table.
// clang-format off
const InitialCase kInitialCases[] = {
    // name, OsVersionCode, track bar, read-out, checked, edit, font description, disabled
    {"Defaults", kModernWindows, 100, "Off", {2, 17}, "", kDefaultFont, {}, Defaults},
    {"HalfTranslucentTopLeftWithEverything", kModernWindows, 55, "55%", {4, 5, 11, 14}, "Desk 4",
        " Times New Roman, Size: 12", {}, HalfTranslucentTopLeftWithEverything},
    {"BelowTheTrackBarRangeTopRight", kModernWindows, 10, "5%", {2, 16}, "", kDefaultFont, {},
        BelowTheTrackBarRangeTopRight},
    {"AboveOneHundredBottomLeft", kModernWindows, 100, "Off", {2, 15}, "", kDefaultFont, {},
        AboveOneHundredBottomLeft},
    {"OddFlagsAndNoCorner", kModernWindows, 100, "Off", {3, 5, 11}, "", kDefaultFont, {},
        OddFlagsAndNoCorner},
    {"Windows98", 30, 40, "40%", {2, 3, 17}, "", kDefaultFont, {6, 7, 8, 3, 4},
        DomainShownAtFortyPercent},
    {"WindowsNT4", 20, 100, "Off", {2, 17}, "", kDefaultFont, {6, 7, 8}, Defaults},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Config, ConfigInitialStateTest, testing::ValuesIn(kInitialCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConfigWindowTest, ConfigChosenAgainReplacesTheWindowAndForgetsUnappliedChanges) {
    ShowAndSettle();
    const HWND first = ConfigWindow();
    Click(control::kAutoStart);
    ASSERT_EQ(SendMessageA(Control(control::kAutoStart), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(current::Settings.AutoStart, 0) << "the box has no handler of its own";

    ShowAndSettle();
    EXPECT_FALSE(IsWindow(first));
    ASSERT_NE(ConfigWindow(), nullptr);
    EXPECT_EQ(SendMessageA(Control(control::kAutoStart), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

// ---------------------------------------------------------------------------------------------
// Handlers.

struct CheckBoxCase {
    int number;
    int32_t Settings::*field;
    const char* labelWhenTicked;
};

TEST_F(ConfigWindowTest, CheckBoxesStoreTheirStateAndRebuildTheLabelAtOnce) {
    ShowAndSettle();
    const CheckBoxCase cases[] = {
        {control::kShowDomainName, &Settings::ShowDomainName, " HOST7 <LAB> "},
        {control::kShowUserID, &Settings::ShowUserID, " HOST7 <user1> "},
        {control::kShowIP, &Settings::ShowIP, " HOST7 10.1.2.3 "},
    };
    for (const CheckBoxCase& c : cases) {
        SCOPED_TRACE("control " + std::to_string(c.number));
        Click(c.number);
        EXPECT_EQ(current::Settings.*c.field, 1);
        EXPECT_EQ(current::LabelText, c.labelWhenTicked);
        EXPECT_EQ(toolkit::ControlText(control::kLabelText), c.labelWhenTicked);
        Click(c.number);
        EXPECT_EQ(current::Settings.*c.field, 0);
        EXPECT_EQ(current::LabelText, " HOST7 ");
    }
    Click(control::kShowComputerName);
    EXPECT_EQ(current::Settings.ShowComputerName, 0);
    EXPECT_EQ(current::LabelText, kNothingSelectedText);
}

TEST_F(ConfigWindowTest, AFlagStoredAsTwoShowsCheckedAndAClickStoresZero) {
    current::Settings.ShowDomainName = 2;
    BuildLabel();
    ShowAndSettle();
    EXPECT_EQ(current::LabelText, " HOST7 ");
    Click(control::kShowDomainName);
    EXPECT_EQ(current::Settings.ShowDomainName, 0);
    Click(control::kShowDomainName);
    EXPECT_EQ(current::Settings.ShowDomainName, 1);
    EXPECT_EQ(current::LabelText, " HOST7 <LAB> ");
}

TEST_F(ConfigWindowTest, TheTrackBarSetsTheOpacityTheReadOutAndTheLabel) {
    ShowAndSettle();
    const HWND trackBar = Control(control::kTransparency);
    struct Step {
        WPARAM key;
        int32_t transAmount;
        const char* readOut;
        std::optional<BYTE> alpha;
    };
    // Back at 100 the label is drawn opaque again (BuildLabel's choice, tested with the label).
    const Step steps[] = {
        {VK_HOME, 10, "10%", BYTE{25}},
        {VK_RIGHT, 11, "11%", BYTE{28}},
        {VK_END, 100, "Off", std::nullopt},
        {VK_LEFT, 99, "99%", BYTE{252}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.readOut);
        SendMessageA(trackBar, WM_KEYDOWN, step.key, 0);
        SendMessageA(trackBar, WM_KEYUP, step.key, 0);
        DispatchPending();
        EXPECT_EQ(current::Settings.TransAmount, step.transAmount);
        EXPECT_EQ(WindowText(Control(control::kTransparencyReadOut)), step.readOut);
        EXPECT_EQ(LabelAlpha(), step.alpha);
    }
}

TEST_F(ConfigWindowTest, TheFreeTextIsTakenOnlyWhenTheEditLosesTheFocus) {
    ShowAndSettle();
    const HWND edit = Control(control::kFreeText);
    SetFocus(edit);
    DispatchPending();
    // Typing raises change notifications and nothing else happens.
    SetWindowTextA(edit, "Desk");
    SendMessageA(edit, EM_SETSEL, 4, 4);
    SendMessageA(edit, WM_CHAR, ' ', 0);
    SendMessageA(edit, WM_CHAR, '4', 0);
    DispatchPending();
    HandleConfigControl(control::kFreeText, event_type::kFocusGained);
    EXPECT_EQ(current::Settings.AddToDisplay, "");
    EXPECT_EQ(current::LabelText, " HOST7 ");

    SetFocus(Control(control::kShowComputerName));
    DispatchPending();
    EXPECT_EQ(current::Settings.AddToDisplay, "Desk 4");
    EXPECT_EQ(current::LabelText, " Desk 4 HOST7 ");

    // The focus-lost event alone takes the text, whatever moved the focus.
    SetWindowTextA(edit, "");
    DispatchPending();
    EXPECT_EQ(current::Settings.AddToDisplay, "Desk 4");
    HandleConfigControl(control::kFreeText, event_type::kFocusLost);
    EXPECT_EQ(current::Settings.AddToDisplay, "");
    EXPECT_EQ(current::LabelText, " HOST7 ");
}

TEST_F(ConfigWindowTest, CornerOptionsStoreTheCornerAndMoveTheLabel) {
    ShowAndSettle();
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    struct CornerCase {
        int number;
        int32_t labelPos;
        bool right;
        bool bottom;
    };
    const CornerCase cases[] = {
        {control::kCornerTopLeft, kTopLeft, false, false},
        {control::kCornerBottomLeft, kBottomLeft, false, true},
        {control::kCornerTopRight, kTopRight, true, false},
        {control::kCornerBottomRight, kBottomRight, true, true},
        // The checked one again: stored and rebuilt again, nothing moves.
        {control::kCornerBottomRight, kBottomRight, true, true},
    };
    for (const CornerCase& c : cases) {
        SCOPED_TRACE("control " + std::to_string(c.number));
        current::Settings.LabelPos = 0;
        Click(c.number);
        EXPECT_EQ(current::Settings.LabelPos, c.labelPos);
        for (const int option : {14, 15, 16, 17}) {
            EXPECT_EQ(SendMessageA(Control(option), BM_GETCHECK, 0, 0) == BST_CHECKED,
                      option == c.number)
                << "option " << option;
        }
        RECT rect{};
        GetWindowRect(Label(), &rect);
        EXPECT_EQ(c.right ? rect.right : rect.left, c.right ? screenWidth : 0);
        EXPECT_EQ(c.bottom ? rect.bottom : rect.top, c.bottom ? current::WorkAreaBottom : 0);
    }
}

// ---------------------------------------------------------------------------------------------
// Close.

std::string ProgramRunValue() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return "\"" + std::string(path) + "\"";
}

TEST_F(ConfigWindowTest, CloseAppliesTheBoxesAndTheTextSavesRegistersAndCloses) {
    const RunValueGuard runValue;
    current::Settings.ShowDomainName = 2;
    current::Settings.TransAmount = 5;
    current::Settings.LabelPos = kTopLeft;
    BuildLabel();
    ShowAndSettle();

    // Neither reaches the settings before Close: the box has no handler and the edit keeps
    // the focus it never had.
    SendMessageA(Control(control::kAutoStart), BM_SETCHECK, BST_CHECKED, 0);
    SetWindowTextA(Control(control::kFreeText), "Desk 4");
    SendMessageA(Control(control::kShowIP), BM_SETCHECK, BST_CHECKED, 0);
    DispatchPending();
    ASSERT_EQ(current::Settings.AutoStart, 0);
    ASSERT_EQ(current::Settings.AddToDisplay, "");

    Click(control::kConfigClose);

    EXPECT_EQ(ConfigWindow(), nullptr);
    EXPECT_EQ(Control(control::kShowComputerName), nullptr);
    Settings expected = DefaultSettings();
    expected.ShowDomainName = 1;
    expected.ShowIP = 1;
    expected.TransAmount = 5; // below the track bar's range and still unchanged
    expected.LabelPos = kTopLeft;
    expected.AutoStart = 1;
    expected.AddToDisplay = "Desk 4";
    EXPECT_EQ(FormatSettingsText(current::Settings), FormatSettingsText(expected));
    EXPECT_EQ(SavedFile(), FormatSettingsText(expected));
    EXPECT_EQ(RunValueGuard::Read(), ProgramRunValue());
    EXPECT_EQ(current::LabelText, " Desk 4 HOST7 <LAB> 10.1.2.3 ");
    EXPECT_EQ(LabelAlpha(), BYTE{12});

    // Closed again with the box cleared: the registration goes, the file follows.
    ShowAndSettle();
    ASSERT_EQ(SendMessageA(Control(control::kAutoStart), BM_GETCHECK, 0, 0), BST_CHECKED);
    Click(control::kAutoStart);
    Click(control::kConfigClose);
    expected.AutoStart = 0;
    EXPECT_EQ(SavedFile(), FormatSettingsText(expected));
    EXPECT_EQ(RunValueGuard::Read(), std::nullopt);
}

TEST_F(ConfigWindowTest, CloseWithNothingChangedStillWritesTheFileAndTheRegistration) {
    const RunValueGuard runValue;
    // A registration the settings do not ask for is removed.
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, kRunKey, &key), ERROR_SUCCESS);
    RegSetValueExA(key, "Lumatag", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
    RegCloseKey(key);
    ShowAndSettle();
    Click(control::kConfigClose);
    EXPECT_EQ(SavedFile(), FormatSettingsText(DefaultSettings()));
    EXPECT_EQ(RunValueGuard::Read(), std::nullopt);
}

// ---------------------------------------------------------------------------------------------
// The window cannot be created.

// Vetoes the creation of the Configuration window on this thread, and nothing else.
class VetoConfigWindow {
public:
    VetoConfigWindow() {
        hook_ = SetWindowsHookExA(WH_CBT, &VetoConfigWindow::Hook, nullptr, GetCurrentThreadId());
    }
    ~VetoConfigWindow() { UnhookWindowsHookEx(hook_); }
    VetoConfigWindow(const VetoConfigWindow&) = delete;
    VetoConfigWindow& operator=(const VetoConfigWindow&) = delete;
    bool hooked() const { return hook_ != nullptr; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND) {
            const auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
            const char* name = create->lpcs->lpszName;
            if (!IS_INTRESOURCE(name) && std::string(name) == "Lumatag Configuration") {
                return 1;
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK hook_ = nullptr;
};

TEST_F(ConfigWindowTest, AWindowThatCannotBeCreatedIsReportedAndNothingElseHappens) {
    const VetoConfigWindow veto;
    ASSERT_TRUE(veto.hooked());
    const Settings before = current::Settings;
    std::vector<std::string> texts;
    int buttons = 0;
    int icons = 0;
    DialogDriver driver("error", [&](HWND dialog) {
        for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            char className[64] = {};
            GetClassNameA(child, className, sizeof className);
            const auto style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
            if (std::string(className) == "Button" && IsWindowVisible(child)) {
                ++buttons;
                texts.push_back(WindowText(child));
            } else if (std::string(className) == "Static" && (style & SS_TYPEMASK) == SS_ICON) {
                // The box keeps an icon control whether or not it shows an icon in it.
                icons += SendMessageA(child, STM_GETICON, 0, 0) != 0 ? 1 : 0;
            } else if (std::string(className) == "Static") {
                texts.push_back(WindowText(child));
            }
        }
        DialogDriver::Press(dialog, IDOK);
    });
    ShowConfigWindow();
    DispatchPending();
    ASSERT_TRUE(driver.acted()) << "no message box";
    EXPECT_FALSE(driver.forcedToClose());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "could not open config window"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "OK"), texts.end());
    EXPECT_EQ(buttons, 1);
    EXPECT_EQ(icons, 0);
    EXPECT_EQ(ConfigWindow(), nullptr);
    for (const int number : kAllControls) {
        EXPECT_EQ(Control(number), nullptr) << "control " << number;
    }
    EXPECT_EQ(FormatSettingsText(current::Settings), FormatSettingsText(before));
    EXPECT_TRUE(IsWindowEnabled(Label()));
}

} // namespace
} // namespace config_test
