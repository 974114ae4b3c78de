#include "toolkit/toolkit.h"
#include "win32_test_support.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <thread>
#include <vector>

namespace {

constexpr int kWindow = 1;
constexpr int kOtherWindow = 2;
constexpr int kButton = 5;
constexpr int kTrackBar = 6;
constexpr int kEdit = 10;
constexpr int kStatic = 24;
constexpr int kDisabledButton = 19;

class ToolkitTest : public testing::Test {
protected:
    void SetUp() override {
        EnsureToolkit();
        window_ = OpenTestWindow(kWindow, "toolkit test", 300, 200);
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override {
        toolkit::Shutdown();
        DrainEvents();
    }

    HWND AddControl(int number, toolkit::ControlKind kind, DWORD style, int y) {
        toolkit::ControlSpec layout;
        layout.kind = kind;
        layout.x = 10;
        layout.y = y;
        layout.width = 100;
        layout.height = 20;
        layout.style = style;
        return toolkit::CreateControl(kWindow, number, layout);
    }

    void ShowAndActivate() {
        toolkit::ShowWindowByNumber(kWindow, SW_SHOWNORMAL);
        SetForegroundWindow(window_);
        SetActiveWindow(window_);
        DrainEvents();
    }

    // Polls until an event with this code arrives or the poll runs dry.
    static std::vector<Event> PollAll() {
        std::vector<Event> events;
        for (int i = 0; i < 10000; ++i) {
            const Event event = toolkit::Poll();
            if (event.code == event_code::kNone) {
                break;
            }
            events.push_back(event);
        }
        return events;
    }

    static int Count(const std::vector<Event>& events, const Event& wanted) {
        int count = 0;
        for (const Event& event : events) {
            count += event == wanted ? 1 : 0;
        }
        return count;
    }

    HWND window_ = nullptr;
};

TEST_F(ToolkitTest, PollNeverBlocksAndReportsNothingWhenIdle) {
    DrainEvents();
    EXPECT_EQ(toolkit::Poll().code, event_code::kNone);
}

TEST_F(ToolkitTest, ACloseRequestBecomesACloseEventAndTheWindowStaysOpen) {
    DrainEvents();
    PostMessageA(window_, WM_CLOSE, 0, 0);
    const std::vector<Event> events = PollAll();
    EXPECT_EQ(Count(events, {event_code::kClose, kWindow, 0, 0, 0}), 1);
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_EQ(toolkit::WindowHandle(kWindow), window_);
}

TEST_F(ToolkitTest, AButtonClickIsTheResultOfThePollThatDispatchedIt) {
    const HWND button = AddControl(kButton, toolkit::ControlKind::kButton, BS_PUSHBUTTON, 10);
    DrainEvents();
    PostMessageA(button, BM_CLICK, 0, 0);
    const Event event = toolkit::Poll();
    EXPECT_EQ(event, (Event{event_code::kControl, 0, 0, kButton, BN_CLICKED}));
}

TEST_F(ToolkitTest, MenuCommandsAndRightButtonPressesComeBackAsTheirCodes) {
    DrainEvents();
    PostMessageA(window_, WM_COMMAND, MAKEWPARAM(2, 0), 0);
    EXPECT_EQ(toolkit::Poll(), (Event{event_code::kMenu, 0, 2, 0, 0}));
    PostMessageA(window_, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(toolkit::Poll().code, event_code::kRightButton);
}

TEST_F(ToolkitTest, EditFocusChangesAreQueuedInOrder) {
    const HWND edit = AddControl(kEdit, toolkit::ControlKind::kEdit, WS_TABSTOP, 10);
    const HWND button =
        AddControl(kButton, toolkit::ControlKind::kButton, BS_PUSHBUTTON | WS_TABSTOP, 40);
    ShowAndActivate();
    SetFocus(edit);
    SetFocus(button);
    const std::vector<Event> events = PollAll();
    const Event gained{event_code::kControl, 0, 0, kEdit, event_type::kFocusGained};
    const Event lost{event_code::kControl, 0, 0, kEdit, event_type::kFocusLost};
    ASSERT_EQ(Count(events, gained), 1);
    ASSERT_EQ(Count(events, lost), 1);
    EXPECT_LT(std::find(events.begin(), events.end(), gained) - events.begin(),
              std::find(events.begin(), events.end(), lost) - events.begin());
}

TEST_F(ToolkitTest, TrackBarNotificationsWaitingTogetherMergeIntoOne) {
    const HWND trackBar = AddControl(kTrackBar, toolkit::ControlKind::kTrackBar, WS_TABSTOP, 10);
    SendMessageA(trackBar, TBM_SETRANGE, TRUE, MAKELPARAM(10, 100));
    DrainEvents();
    for (int i = 0; i < 5; ++i) {
        SendMessageA(trackBar, WM_KEYDOWN, VK_RIGHT, 0);
    }
    const std::vector<Event> events = PollAll();
    EXPECT_EQ(Count(events, {event_code::kControl, 0, 0, kTrackBar, 0}), 1);
    EXPECT_EQ(SendMessageA(trackBar, TBM_GETPOS, 0, 0), 15);
}

// Messages another thread sends are all delivered inside one PeekMessageA, so one poll can see
// several events arise: a track bar step and then a click on Close. They must reach the loop
// in that order, or Close would run first and the step would find its track bar gone.
TEST_F(ToolkitTest, EventsArisingInOnePollKeepTheirOrder) {
    const HWND trackBar = AddControl(kTrackBar, toolkit::ControlKind::kTrackBar, WS_TABSTOP, 10);
    SendMessageA(trackBar, TBM_SETRANGE, TRUE, MAKELPARAM(10, 100));
    const HWND button = AddControl(kButton, toolkit::ControlKind::kButton, BS_PUSHBUTTON, 40);
    ShowAndActivate();
    std::thread sender([&] {
        SendNotifyMessageA(trackBar, WM_KEYDOWN, VK_RIGHT, 0);
        SendNotifyMessageA(button, BM_CLICK, 0, 0);
    });
    sender.join();
    const std::vector<Event> events = PollAll();
    const Event step{event_code::kControl, 0, 0, kTrackBar, 0};
    const Event click{event_code::kControl, 0, 0, kButton, BN_CLICKED};
    const auto stepAt = std::find(events.begin(), events.end(), step);
    const auto clickAt = std::find(events.begin(), events.end(), click);
    ASSERT_NE(stepAt, events.end());
    ASSERT_NE(clickAt, events.end());
    EXPECT_LT(stepAt - events.begin(), clickAt - events.begin());
}

TEST_F(ToolkitTest, OpeningAnOpenNumberReplacesTheWindowAndItsControls) {
    AddControl(kButton, toolkit::ControlKind::kButton, BS_PUSHBUTTON, 10);
    const HWND replacement = OpenTestWindow(kWindow, "again", 100, 100);
    ASSERT_NE(replacement, nullptr);
    EXPECT_FALSE(IsWindow(window_));
    EXPECT_EQ(toolkit::WindowHandle(kWindow), replacement);
    EXPECT_EQ(toolkit::ControlHandle(kButton), nullptr);
}

TEST_F(ToolkitTest, WindowsAreCentredWithTheirClientAreaAsAsked) {
    RECT client{};
    GetClientRect(window_, &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
    RECT outer{};
    GetWindowRect(window_, &outer);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);
}

TEST_F(ToolkitTest, OperationsOnNumbersThatDoNotExistDoNothing) {
    toolkit::SetControlText(99, "x");
    toolkit::SetControlTextColor(99, RGB(1, 2, 3));
    toolkit::SetControlBackColor(99, RGB(1, 2, 3));
    toolkit::SetControlFont(99, nullptr);
    toolkit::MoveControl(99, 1, 2, 3, 4);
    toolkit::MoveWindowClientArea(kOtherWindow, 1, 2, 3, 4);
    toolkit::ShowWindowByNumber(kOtherWindow, SW_SHOW);
    toolkit::CloseWindow(kOtherWindow);
    EXPECT_EQ(toolkit::ControlText(99), "");
    EXPECT_EQ(toolkit::ControlHandle(99), nullptr);
    EXPECT_EQ(toolkit::WindowHandle(kOtherWindow), nullptr);
    EXPECT_EQ(toolkit::CreateControl(kOtherWindow, 50, {}), nullptr);
    EXPECT_TRUE(IsWindow(window_));
}

TEST_F(ToolkitTest, TabMovesAmongEnabledTabStopsAndWraps) {
    const HWND first =
        AddControl(kButton, toolkit::ControlKind::kButton, BS_PUSHBUTTON | WS_TABSTOP, 10);
    AddControl(kStatic, toolkit::ControlKind::kStatic, 0, 40);
    const HWND disabled =
        AddControl(kDisabledButton, toolkit::ControlKind::kButton, BS_PUSHBUTTON | WS_TABSTOP, 70);
    EnableWindow(disabled, FALSE);
    const HWND last = AddControl(kEdit, toolkit::ControlKind::kEdit, WS_TABSTOP, 100);
    ShowAndActivate();
    ASSERT_EQ(GetActiveWindow(), window_);
    SetFocus(nullptr);

    auto pressTab = [&](bool shift) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        PostMessageA(window_, WM_KEYDOWN, VK_TAB, 0);
        DrainEvents();
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
        return GetFocus();
    };
    EXPECT_EQ(pressTab(false), first);
    EXPECT_EQ(pressTab(false), last);
    EXPECT_EQ(pressTab(false), first);
    EXPECT_EQ(pressTab(true), last);
    EXPECT_EQ(pressTab(true), first);
}

struct ColorCase {
    const char* name;
    bool text;
    bool back;
};

class ControlColorTest : public ToolkitTest, public testing::WithParamInterface<ColorCase> {};

TEST_P(ControlColorTest, AnswersTheStaticControlsColourQuestion) {
    const HWND control = AddControl(kStatic, toolkit::ControlKind::kStatic, 0, 10);
    const COLORREF textColor = RGB(200, 10, 20);
    const COLORREF backColor = RGB(10, 120, 230);
    if (GetParam().text) {
        toolkit::SetControlTextColor(kStatic, textColor);
    }
    if (GetParam().back) {
        toolkit::SetControlBackColor(kStatic, backColor);
    }
    const HDC dc = GetDC(control);
    const COLORREF sentinel = RGB(1, 2, 3);
    SetTextColor(dc, sentinel);
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(window_, WM_CTLCOLORSTATIC,
                                                             reinterpret_cast<WPARAM>(dc),
                                                             reinterpret_cast<LPARAM>(control)));
    EXPECT_EQ(GetTextColor(dc), GetParam().text ? textColor : sentinel);
    if (GetParam().back) {
        EXPECT_EQ(GetBkColor(dc), backColor);
        LOGBRUSH described{};
        ASSERT_EQ(GetObjectA(brush, sizeof described, &described), int{sizeof described});
        EXPECT_EQ(described.lbColor, backColor);
    } else {
        EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(brush, GetSysColorBrush(COLOR_BTNFACE));
    }
    ReleaseDC(control, dc);
}

INSTANTIATE_TEST_SUITE_P(Colours, ControlColorTest,
                         testing::Values(ColorCase{"TextOnly", true, false},
                                         ColorCase{"BackOnly", false, true},
                                         ColorCase{"Both", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
