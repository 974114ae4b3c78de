#include "toolkit/toolkit.h"
#include "win32_test_support.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

constexpr int kWindow = 1;

class ToolkitControlStateTest : public testing::Test {
protected:
    void SetUp() override {
        EnsureToolkit();
        ASSERT_NE(OpenTestWindow(kWindow, "toolkit state test", 300, 300), nullptr);
    }
    void TearDown() override {
        toolkit::Shutdown();
        DrainEvents();
    }

    static HWND Add(int number, toolkit::ControlKind kind, DWORD style) {
        toolkit::ControlSpec layout;
        layout.kind = kind;
        layout.y = number * 10;
        layout.width = 100;
        layout.height = 10;
        layout.style = style;
        return toolkit::CreateControl(kWindow, number, layout);
    }
    static bool Checked(int number) {
        return SendMessageA(toolkit::ControlHandle(number), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
};

TEST_F(ToolkitControlStateTest, CheckBoxesTakeAnyNonZeroStateAsCheckedAndReadBackOneOrZero) {
    Add(2, toolkit::ControlKind::kButton, BS_AUTOCHECKBOX);
    for (const int state : {1, 2, -1, 0, 7}) {
        toolkit::SetControlState(2, state);
        EXPECT_EQ(Checked(2), state != 0) << state;
        EXPECT_EQ(toolkit::ControlState(2), state != 0 ? 1 : 0) << state;
    }
}

// Buttons 3 to 6 are one group (3 starts it, the disabled 5 and the hidden 6 belong to it);
// option 8 starts a group of its own after the push button 7.
TEST_F(ToolkitControlStateTest, CheckingAnOptionClearsTheOthersOfItsGroupOnly) {
    Add(3, toolkit::ControlKind::kButton, BS_AUTORADIOBUTTON | WS_GROUP);
    Add(4, toolkit::ControlKind::kButton, BS_AUTORADIOBUTTON);
    Add(5, toolkit::ControlKind::kButton, BS_AUTORADIOBUTTON);
    Add(6, toolkit::ControlKind::kButton, BS_AUTORADIOBUTTON);
    Add(7, toolkit::ControlKind::kButton, BS_PUSHBUTTON | WS_GROUP);
    Add(8, toolkit::ControlKind::kButton, BS_AUTORADIOBUTTON | WS_GROUP);
    toolkit::EnableControl(5, false);
    ShowWindow(toolkit::ControlHandle(6), SW_HIDE);
    toolkit::SetControlState(8, 1);

    for (const int chosen : {5, 6, 4, 3}) {
        toolkit::SetControlState(chosen, 1);
        for (const int option : {3, 4, 5, 6}) {
            EXPECT_EQ(Checked(option), option == chosen) << chosen << " then " << option;
        }
        EXPECT_TRUE(Checked(8)) << "another group";
    }
    toolkit::SetControlState(3, 0);
    EXPECT_FALSE(Checked(3));
    EXPECT_EQ(toolkit::ControlState(3), 0);
}

TEST_F(ToolkitControlStateTest, TrackBarsHoldAPositionOutsideTheirRangeAtTheNearestEnd) {
    const HWND trackBar = Add(6, toolkit::ControlKind::kTrackBar, 0);
    toolkit::SetTrackBarRange(6, 10, 100);
    EXPECT_EQ(SendMessageA(trackBar, TBM_GETRANGEMIN, 0, 0), 10);
    EXPECT_EQ(SendMessageA(trackBar, TBM_GETRANGEMAX, 0, 0), 100);
    const std::pair<int, int> cases[] = {{55, 55}, {5, 10}, {150, 100}, {10, 10}, {100, 100}};
    for (const auto& [set, shown] : cases) {
        toolkit::SetTrackBarPosition(6, set);
        EXPECT_EQ(toolkit::TrackBarPosition(6), shown) << set;
    }
    DrainEvents();
}

TEST_F(ToolkitControlStateTest, ControlsAreEnabledAndDisabledAndGivenTheGuiFont) {
    const HWND edit = Add(10, toolkit::ControlKind::kEdit, 0);
    toolkit::EnableControl(10, false);
    EXPECT_FALSE(IsWindowEnabled(edit));
    toolkit::EnableControl(10, true);
    EXPECT_TRUE(IsWindowEnabled(edit));
    toolkit::SetControlGuiFont(10);
    EXPECT_EQ(SendMessageA(edit, WM_GETFONT, 0, 0),
              reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
}

// State is a button's and position a track bar's: asked of another kind or of a number that
// does not exist, the operations do nothing and read as 0.
TEST_F(ToolkitControlStateTest, OperationsOnOtherKindsOrMissingNumbersDoNothing) {
    const HWND edit = Add(10, toolkit::ControlKind::kEdit, 0);
    const HWND button = Add(2, toolkit::ControlKind::kButton, BS_AUTOCHECKBOX);
    SendMessageA(button, BM_SETCHECK, BST_CHECKED, 0);
    toolkit::SetControlText(10, "text");
    toolkit::SetControlState(10, 1);
    EXPECT_EQ(toolkit::ControlState(10), 0);
    EXPECT_EQ(toolkit::TrackBarPosition(2), 0);
    toolkit::SetTrackBarPosition(2, 0);
    EXPECT_TRUE(Checked(2));
    EXPECT_EQ(toolkit::ControlText(10), "text");

    toolkit::SetControlState(99, 1);
    toolkit::EnableControl(99, false);
    toolkit::SetControlGuiFont(99);
    toolkit::SetTrackBarRange(99, 1, 2);
    toolkit::SetTrackBarPosition(99, 1);
    EXPECT_EQ(toolkit::ControlState(99), 0);
    EXPECT_EQ(toolkit::TrackBarPosition(99), 0);
    EXPECT_TRUE(IsWindowEnabled(edit));
    DrainEvents();
}

} // namespace
