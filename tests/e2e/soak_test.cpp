#include "driver.h"
#include "program_test.h"
#include "ui_numbers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <regex>
#include <string>

namespace {

// Wine's gdi trace channel logs every object it allocates or frees with the process's live
// count, "... allocated font 0x1234 57/..." or "... freed font 0x1234 56/...". The last such
// line is the number of GDI objects the program holds right now.
std::optional<int> LiveGdiObjects(const std::string& traceFile) {
    std::ifstream trace(traceFile, std::ios::binary);
    static const std::regex countLine(R"((allocated|freed) \S+ \S+ (\d+)/\d+)");
    std::optional<int> live;
    std::string line;
    std::smatch match;
    while (std::getline(trace, line)) {
        if (std::regex_search(line, match, countLine)) {
            live = std::stoi(match[2].str());
        }
    }
    return live;
}

class GdiSoakTest : public e2e::ProgramTest {
protected:
    // Rebuilds the label `count` times by moving the work area's bottom edge to and fro, and
    // waits until the last move has been followed.
    static void Rebuild(HWND label, const e2e::WorkAreaHook& hook, int count) {
        const int bottom = e2e::ScreenHeight();
        for (int i = 0; i < count; ++i) {
            const int newBottom = bottom - 1 - i % 2;
            ASSERT_TRUE(hook.SetWorkArea(0, newBottom));
            ASSERT_TRUE(e2e::WaitUntil(
                [&] {
                    const e2e::Bounds bounds = e2e::WindowBounds(label);
                    return bounds.y + bounds.height == newBottom;
                },
                e2e::kMessageTimeout))
                << "rebuild " << i;
        }
    }
};

// Wine writes a program's debug channels to the Unix standard error it inherited, which is the
// test program's own; scripts/run-tests sends that to a file and names it here.
std::string TraceFile() {
    char path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("LUMATAG_TRACE_FILE", path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

TEST_F(GdiSoakTest, AThousandRebuildsLeaveTheGdiObjectCountWhereItWas) {
    const std::string trace = TraceFile();
    if (trace.empty()) {
        GTEST_SKIP() << "needs LUMATAG_TRACE_FILE naming this program's standard error (run "
                        "through scripts/run-tests)";
    }
    e2e::EnvironmentBlock environment = e2e::TestIdentity();
    environment.Set("WINEDEBUG", "trace+gdi");
    const HWND label = StartProgram(environment);
    ASSERT_NE(label, nullptr);
    const e2e::WorkAreaHook hook(label);

    Rebuild(label, hook, 20);
    const std::optional<int> warm = LiveGdiObjects(trace);
    ASSERT_TRUE(warm.has_value()) << "no gdi trace from the program";
    Rebuild(label, hook, 1000);
    const std::optional<int> after = LiveGdiObjects(trace);
    ASSERT_TRUE(after.has_value());
    std::printf("GDI objects after warm-up: %d, after 1000 more rebuilds: %d\n", *warm, *after);
    EXPECT_LE(*after, *warm + 2);
}

// Opens a window through the popup menu and returns it once its last control exists.
class WindowCycleSoakTest : public GdiSoakTest {
protected:
    HWND OpenThroughMenu(HWND label, int item, const char* title, int lastControl) {
        const HWND menu = OpenPopupMenu(label);
        if (menu == nullptr) {
            return nullptr;
        }
        e2e::ChooseMenuItem(menu, item);
        return e2e::WaitForWindowWithControl(process().processId(), title, lastControl,
                                             e2e::kStartTimeout);
    }
    static bool CloseWithButton(HWND window, int closeButton) {
        e2e::SendToControl(window, closeButton, BM_CLICK);
        return e2e::WaitUntil([&] { return !IsWindow(window); }, e2e::kExitTimeout);
    }
    // One step of the track bar with the keyboard, followed until the read-out shows it.
    static bool StepTrackBar(HWND config, WPARAM key, const std::string& readOut) {
        e2e::SendToControl(config, ui::control::kTransparency, WM_KEYDOWN, key);
        e2e::SendToControl(config, ui::control::kTransparency, WM_KEYUP, key);
        return e2e::WaitUntil(
            [&] { return e2e::ControlText(config, ui::control::kTransparencyReadOut) == readOut; },
            e2e::kMessageTimeout);
    }
    static std::string ReadOutFor(int percent) {
        return percent >= 100 ? "Off" : std::to_string(percent) + "%";
    }
};

// The label, the Configuration window and the About window opened and closed fifty times
// each, with the track bar swept and the corner changed in between: every font, brush, bitmap
// and window they make must be gone again afterwards.
TEST_F(WindowCycleSoakTest, WindowCyclesAndConfigurationChangesLeaveNoGdiObjectsBehind) {
    const std::string trace = TraceFile();
    if (trace.empty()) {
        GTEST_SKIP() << "needs LUMATAG_TRACE_FILE (run through scripts/run-tests)";
    }
    constexpr const char* kConfigTitle = "Lumatag Configuration";
    constexpr const char* kAboutTitle = "About v1.2.1";
    constexpr int kCorners[] = {ui::control::kCornerTopLeft, ui::control::kCornerTopRight,
                                ui::control::kCornerBottomLeft, ui::control::kCornerBottomRight};
    e2e::EnvironmentBlock environment = e2e::TestIdentity();
    environment.Set("WINEDEBUG", "trace+gdi");
    const HWND label = StartProgram(environment);
    ASSERT_NE(label, nullptr);

    int rebuilds = 0;
    auto cycle = [&](int round) {
        const HWND config = OpenThroughMenu(label, ui::menu_item::kConfig, kConfigTitle,
                                            ui::control::kFontDescription);
        ASSERT_NE(config, nullptr) << "round " << round;
        // The controls exist before the menu command has set them from the settings; the
        // read-out is the last thing it sets.
        ASSERT_TRUE(e2e::WaitUntil(
            [&] { return e2e::ControlText(config, ui::control::kTransparencyReadOut) == "Off"; },
            e2e::kMessageTimeout));
        // Ten steps down and back up: twenty rebuilds, the first one layering the label.
        for (int percent = 99; percent >= 90; --percent, ++rebuilds) {
            ASSERT_TRUE(StepTrackBar(config, VK_LEFT, ReadOutFor(percent))) << percent;
        }
        for (int percent = 91; percent <= 100; ++percent, ++rebuilds) {
            ASSERT_TRUE(StepTrackBar(config, VK_RIGHT, ReadOutFor(percent))) << percent;
        }
        e2e::SendToControl(config, kCorners[round % 4], BM_CLICK);
        ++rebuilds;
        ASSERT_TRUE(CloseWithButton(config, ui::control::kConfigClose)) << "round " << round;
        const HWND about =
            OpenThroughMenu(label, ui::menu_item::kAbout, kAboutTitle, ui::control::kAboutLink);
        ASSERT_NE(about, nullptr) << "round " << round;
        // The About command discards every event until it has filled in its text, a click
        // included, so the window is ready for one only once the text is there.
        ASSERT_TRUE(e2e::WaitUntil(
            [&] { return !e2e::ControlText(about, ui::control::kAboutText).value_or("").empty(); },
            e2e::kMessageTimeout));
        ASSERT_TRUE(CloseWithButton(about, ui::control::kAboutClose)) << "round " << round;
    };

    for (int round = 0; round < 2; ++round) {
        cycle(round);
    }
    ASSERT_FALSE(HasFatalFailure());
    const std::optional<int> warm = LiveGdiObjects(trace);
    ASSERT_TRUE(warm.has_value()) << "no gdi trace from the program";
    rebuilds = 0;
    for (int round = 0; round < 50 && !HasFatalFailure(); ++round) {
        cycle(round);
    }
    ASSERT_FALSE(HasFatalFailure());
    const std::optional<int> after = LiveGdiObjects(trace);
    ASSERT_TRUE(after.has_value());
    std::printf("GDI objects after warm-up: %d, after 50 Configuration and About windows and %d "
                "rebuilds: %d\n",
                *warm, rebuilds, *after);
    EXPECT_LE(*after, *warm + 2);
    EXPECT_TRUE(ExitThroughMenu(label));
}

} // namespace
