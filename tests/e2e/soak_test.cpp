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

} // namespace
