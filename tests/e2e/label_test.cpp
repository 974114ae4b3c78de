#include "driver.h"
#include "program_test.h"
#include "ui_numbers.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace {

using e2e::Bounds;
using e2e::Milliseconds;

// The label font of the default settings.
constexpr const char* kDefaultFace = "Arial";
constexpr int kDefaultPoints = 8;

// The main loop checks the work area after every pass of about a millisecond, so a move is
// due at once; these bound the wait for it and the watch for a move that must not happen.
constexpr Milliseconds kFollowTimeout{1000};
constexpr Milliseconds kStayWatch{500};

// Where a label of this text belongs with the default settings: the bottom-right corner,
// its bottom on the work area's bottom edge, sized to the text in the default font.
Bounds BottomRightBounds(const std::string& text, int workAreaBottom) {
    const SIZE size = e2e::MeasureText(kDefaultFace, kDefaultPoints, text);
    return {e2e::ScreenWidth() - size.cx, workAreaBottom - size.cy, size.cx, size.cy};
}

// With no settings file, so the defaults apply.
using LabelTest = e2e::ProgramTest;

TEST_F(LabelTest, IsABorderlessVisibleTopmostToolWindow) {
    const HWND label = StartProgram(e2e::TestIdentity());
    ASSERT_NE(label, nullptr);

    EXPECT_TRUE(IsWindowVisible(label));
    const LONG style = e2e::WindowStyle(label);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU), 0) << std::hex << style;
    // Exactly these two: no task-bar button (no WS_EX_APPWINDOW), and opaque at the default
    // opacity (no WS_EX_LAYERED).
    const LONG extendedStyle = e2e::WindowExtendedStyle(label);
    EXPECT_EQ(extendedStyle, WS_EX_TOOLWINDOW | WS_EX_TOPMOST) << std::hex << extendedStyle;
    // The whole client area is the text control, which takes no mouse input, so a right-click
    // anywhere on the label reaches the label window.
    const HWND text = GetDlgItem(label, ui::control::kLabelText);
    const Bounds window = e2e::WindowBounds(label);
    const Bounds control = e2e::WindowBounds(text);
    EXPECT_EQ(control, window);
    EXPECT_EQ(e2e::WindowStyle(text) & SS_TYPEMASK, SS_CENTER);
    EXPECT_EQ(e2e::WindowStyle(text) & SS_NOTIFY, 0);
}

struct IdentityCase {
    const char* name;
    std::optional<const char*> computerName; // nothing: the variable is not in the block
    const char* expectedText;
};

// Names the case in failure messages instead of dumping its bytes.
void PrintTo(const IdentityCase& c, std::ostream* out) {
    *out << c.name;
}

class LabelTextTest : public LabelTest, public testing::WithParamInterface<IdentityCase> {};

// Domain and user are in the environment but off by default, so only the computer name shows;
// the label is exactly as big as its text in the label font, in the bottom-right corner.
TEST_P(LabelTextTest, ShowsTheComputerNameSizedAndPlacedBottomRight) {
    const IdentityCase& c = GetParam();
    e2e::EnvironmentBlock environment = e2e::TestIdentity();
    if (c.computerName) {
        environment.Set("COMPUTERNAME", *c.computerName);
    } else {
        environment.Remove("COMPUTERNAME");
    }
    const HWND label = StartProgram(environment);
    ASSERT_NE(label, nullptr);

    EXPECT_EQ(e2e::ControlText(label, ui::control::kLabelText), c.expectedText);
    EXPECT_EQ(e2e::WindowBounds(label),
              BottomRightBounds(c.expectedText, e2e::DriverWorkArea().bottom));
    // The ampersand is drawn as typed rather than taken as a mnemonic marker, so the label
    // shows every character it was measured with.
    EXPECT_TRUE(e2e::WindowStyle(GetDlgItem(label, ui::control::kLabelText)) & SS_NOPREFIX);
}

INSTANTIATE_TEST_SUITE_P(
    Identities, LabelTextTest,
    testing::Values(IdentityCase{"ComputerName", "HOST7", " HOST7 "},
                    IdentityCase{"AmpersandIsCountedAndDrawn", "R&D", " R&D "},
                    // Nothing to show at all: the prompt, with no spaces around it.
                    IdentityCase{"NoComputerName", std::nullopt,
                                 "Please select display options..."}),
    [](const testing::TestParamInfo<IdentityCase>& info) { return info.param.name; });

TEST_F(LabelTest, CloseRequestEndsTheProgramWithExitCodeZero) {
    const HWND label = StartProgram(e2e::TestIdentity());
    ASSERT_NE(label, nullptr);

    ASSERT_TRUE(PostMessageA(label, WM_CLOSE, 0, 0));
    const std::optional<DWORD> exitCode = process().WaitForExit(e2e::kExitTimeout);
    ASSERT_TRUE(exitCode.has_value()) << "still running after WM_CLOSE; killed";
    EXPECT_EQ(*exitCode, 0u);
}

// Changes of the work area, made inside the program one after another. A step that must not
// move the label is followed by one that must, so the quiet step is known to have been taken
// (posted messages arrive in order) and the hook to be working.
struct WorkAreaStep {
    const char* what;
    int top;
    int bottomAboveScreenBottom;
    bool moves;
};

TEST_F(LabelTest, FollowsTheWorkAreaBottomEdgeOnly) {
    const HWND label = StartProgram(e2e::TestIdentity());
    ASSERT_NE(label, nullptr);
    const e2e::WorkAreaHook hook(label);

    const WorkAreaStep steps[] = {
        {"task bar appears at the bottom", 0, 40, true},
        {"task bar appears at the top as well", 30, 40, false},
        {"bottom task bar grows", 30, 100, true},
        {"bottom task bar goes away", 30, 0, true},
    };
    Bounds expected = BottomRightBounds(" HOST7 ", e2e::DriverWorkArea().bottom);
    ASSERT_EQ(e2e::WindowBounds(label), expected);
    for (const WorkAreaStep& step : steps) {
        SCOPED_TRACE(step.what);
        const int bottom = e2e::ScreenHeight() - step.bottomAboveScreenBottom;
        ASSERT_TRUE(hook.SetWorkArea(step.top, bottom));
        if (step.moves) {
            expected = BottomRightBounds(" HOST7 ", bottom);
            EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::WindowBounds(label) == expected; },
                                       kFollowTimeout))
                << "label at " << e2e::WindowBounds(label) << ", expected " << expected;
        } else {
            EXPECT_TRUE(
                e2e::HoldsFor([&] { return e2e::WindowBounds(label) == expected; }, kStayWatch))
                << "label moved to " << e2e::WindowBounds(label) << " from " << expected;
        }
    }
}

} // namespace
