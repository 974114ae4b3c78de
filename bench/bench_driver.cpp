// Measures Lumatag and the reference program from outside, under the same Wine, with the
// end-to-end driver's means: start-up time, rebuild rate and memory. scripts/bench runs it and
// turns its lines into the table. Every line it prints is "figure=NAME key=value ...", so the
// script reads it with a pattern and nothing else; nothing here judges a figure.
//
//   bench_driver start RUNS              both programs, RUNS times each, after one warm-up
//   bench_driver rebuild PROGRAM STEPS   one run: rebuilds/s and memory before and after
//   bench_driver idle PROGRAM            starts it, says "ready", waits for a line on stdin
//
// PROGRAM is "lumatag" or "reference". Lumatag is rebuilt through its Configuration window's
// track bar, one key press per step, which is one BuildLabel each; when that window cannot be
// worked it falls back to moving the work area (each bottom-edge move is one BuildLabel) and
// says so in the line.

#include "bench_protocol.h"
#include "driver.h"
#include "ui_numbers.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using e2e::Milliseconds;
constexpr const char* kConfigTitle = "Lumatag Configuration";
constexpr int kTrackBarMinimum = 10;
constexpr int kTrackBarMaximum = 100;

class Stopwatch {
public:
    Stopwatch() {
        QueryPerformanceFrequency(&frequency_);
        QueryPerformanceCounter(&start_);
    }
    double Milliseconds() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) /
               static_cast<double>(frequency_.QuadPart);
    }

private:
    LARGE_INTEGER frequency_{};
    LARGE_INTEGER start_{};
};

struct Program {
    std::string name; // as printed: "lumatag" or "reference"
    std::string executable;
    std::string title;
    int textControl;
};

Program ProgramNamed(const std::string& name) {
    if (name == "lumatag") {
        return {name, e2e::ProgramPath(), ui::kLabelTitle, ui::control::kLabelText};
    }
    if (name == "reference") {
        return {name, e2e::TestExecutableFolder() + bench::kReferenceExecutable,
                bench::kReferenceTitle, bench::kReferenceTextControl};
    }
    throw std::runtime_error("unknown program " + name);
}

// What the label reads with the identity below and default settings, in both programs.
constexpr const char* kExpectedLabelText = " HOST7 ";

// The identity the end-to-end tests use and a fresh LOCALAPPDATA, so Lumatag starts from its
// default settings.
e2e::EnvironmentBlock BenchEnvironment(const std::string& localAppData) {
    e2e::EnvironmentBlock environment = e2e::TestIdentity();
    environment.Set("LOCALAPPDATA", localAppData);
    return environment;
}

// The control's text as the window system holds it. For another process's window
// GetWindowTextA asks no message of the program, so looking costs the program nothing and
// sees a text the moment it is set, even while the program is still busy.
std::string HeldText(HWND window, int control) {
    char text[256] = {};
    GetWindowTextA(GetDlgItem(window, control), text, sizeof text);
    return text;
}

// The program's one visible label window showing the expected text, or null.
HWND VisibleLabel(const Program& program, DWORD processId) {
    const std::vector<HWND> windows = e2e::TopLevelWindowsOf(processId, program.title);
    if (windows.size() != 1 || !IsWindowVisible(windows.front()) ||
        HeldText(windows.front(), program.textControl) != kExpectedLabelText) {
        return nullptr;
    }
    return windows.front();
}

// Looks once per scheduler tick (about a millisecond under Wine), finer than the end-to-end
// driver's waits because these waits are the figures; sleeping between looks rather than
// spinning keeps the driver off the CPU and the Wine server that the measured program needs.
template <typename Condition> bool WaitClosely(Condition condition, Milliseconds timeout) {
    const Stopwatch watch;
    while (!condition()) {
        if (watch.Milliseconds() >= static_cast<double>(timeout.count())) {
            return false;
        }
        Sleep(1);
    }
    return true;
}

// Resident set of another process in KiB; Wine answers from /proc/PID/status (VmRSS).
std::optional<unsigned long> ResidentKiB(DWORD processId) {
    const HANDLE process =
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (process == nullptr) {
        return std::nullopt;
    }
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    const BOOL read = GetProcessMemoryInfo(process, &counters, sizeof counters);
    CloseHandle(process);
    if (!read) {
        return std::nullopt;
    }
    return static_cast<unsigned long>(counters.WorkingSetSize / 1024);
}

std::string KiB(std::optional<unsigned long> value) {
    return value ? std::to_string(*value) : std::string("na");
}

void Print(const std::string& line) {
    std::cout << line << std::endl;
}

std::string Fixed(double value, int decimals = 2) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// One run of a program with its own LOCALAPPDATA; the folder outlives the process.
class BenchRun {
public:
    explicit BenchRun(const Program& program)
        : executable_(program.executable), environment_(BenchEnvironment(folder_.path())) {}

    // CreateProcessA, and nothing else that a start-up figure should not count.
    e2e::ProgramProcess& Start() { return process_.emplace(executable_, environment_); }
    e2e::ProgramProcess& process() { return process_.value(); }

    // Ends the program as a user would (a close request to the label ends both programs);
    // true when it left with exit code 0.
    bool Close(HWND label) {
        PostMessageA(label, WM_CLOSE, 0, 0);
        return process_.value().WaitForExit(e2e::kExitTimeout) == DWORD{0};
    }

private:
    e2e::TemporaryFolder folder_; // declared first, so it outlives the process
    std::string executable_;
    e2e::EnvironmentBlock environment_;
    std::optional<e2e::ProgramProcess> process_;
};

struct StartFigures {
    double visibleMilliseconds = 0;
    double answeringMilliseconds = 0;
};

// From CreateProcessA to the label on screen with its text, and on to the first message the
// program answers (its main loop has begun).
std::optional<StartFigures> MeasureStart(const Program& program) {
    BenchRun run(program);
    const Stopwatch watch;
    const DWORD processId = run.Start().processId();
    HWND label = nullptr;
    if (!WaitClosely([&] { return (label = VisibleLabel(program, processId)) != nullptr; },
                     e2e::kStartTimeout)) {
        return std::nullopt;
    }
    StartFigures figures;
    figures.visibleMilliseconds = watch.Milliseconds();
    if (!e2e::AnswersMessages(label, e2e::kStartTimeout)) {
        return std::nullopt;
    }
    figures.answeringMilliseconds = watch.Milliseconds();
    if (!run.Close(label)) {
        return std::nullopt;
    }
    return figures;
}

int RunStart(int runs) {
    const Program programs[] = {ProgramNamed("lumatag"), ProgramNamed("reference")};
    // One untimed start of each first: the first start after the Wine session comes up reads
    // every DLL from disk, which no later start does.
    for (const Program& program : programs) {
        MeasureStart(program);
    }
    for (int run = 1; run <= runs; ++run) {
        // Alternating which goes first evens out whatever the machine does meanwhile.
        for (int i = 0; i < 2; ++i) {
            const Program& program = programs[(run + i) % 2];
            const std::optional<StartFigures> figures = MeasureStart(program);
            if (!figures) {
                Print("figure=error program=" + program.name +
                      " what=start run=" + std::to_string(run));
                return 1;
            }
            Print("figure=start program=" + program.name + " run=" + std::to_string(run) +
                  " visible_ms=" + Fixed(figures->visibleMilliseconds) +
                  " answering_ms=" + Fixed(figures->answeringMilliseconds));
        }
    }
    return 0;
}

HWND WaitForLabel(const Program& program, DWORD processId) {
    HWND label = nullptr;
    if (!e2e::WaitUntil([&] { return (label = VisibleLabel(program, processId)) != nullptr; },
                        e2e::kStartTimeout) ||
        !e2e::AnswersMessages(label, e2e::kStartTimeout)) {
        return nullptr;
    }
    return label;
}

// Right-click on the label, then Config from the popup menu with the keyboard, as the
// end-to-end tests do. The Configuration window once its read-out shows, or null.
HWND OpenConfigWindow(HWND label, DWORD processId) {
    const HWND menu = e2e::OpenPopupMenu(label, processId, {600, 500}, e2e::kMessageTimeout);
    if (menu == nullptr) {
        return nullptr;
    }
    e2e::ChooseMenuItem(menu, ui::menu_item::kConfig);
    const HWND config = e2e::WaitForWindowWithControl(
        processId, kConfigTitle, ui::control::kTransparencyReadOut, e2e::kMessageTimeout);
    if (config == nullptr || GetDlgItem(config, ui::control::kTransparency) == nullptr ||
        !e2e::WaitUntil(
            [&] {
                return e2e::ControlText(config, ui::control::kTransparencyReadOut) ==
                       std::optional<std::string>("Off");
            },
            e2e::kMessageTimeout)) {
        return nullptr;
    }
    return config;
}

// The read-out's text for a track-bar position: "Off" at 100, else the percentage.
std::string ReadOutFor(int position) {
    return position >= kTrackBarMaximum ? std::string("Off") : std::to_string(position) + "%";
}

// Steps the track bar down and up through its range, one key press at a time, and returns the
// steps that landed. A key press sent to the track bar makes it notify its parent (WM_HSCROLL):
// one queued control event, which the program's next pass turns into one BuildLabel, setting
// the read-out just before it. The next key press is sent once the read-out shows the step; the
// program takes it at its next poll, after that BuildLabel, so no two steps merge into one.
int StepTrackBar(HWND config, int steps) {
    const HWND trackBar = GetDlgItem(config, ui::control::kTransparency);
    int position = kTrackBarMaximum;
    int direction = -1;
    for (int step = 0; step < steps; ++step) {
        if (position + direction < kTrackBarMinimum || position + direction > kTrackBarMaximum) {
            direction = -direction;
        }
        const std::string expected = ReadOutFor(position + direction);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(trackBar, WM_KEYDOWN, direction < 0 ? VK_LEFT : VK_RIGHT, 0,
                            SMTO_ABORTIFHUNG, static_cast<UINT>(e2e::kMessageTimeout.count()),
                            &ignored);
        if (!WaitClosely(
                [&] { return HeldText(config, ui::control::kTransparencyReadOut) == expected; },
                e2e::kMessageTimeout)) {
            return step;
        }
        position += direction;
    }
    return steps;
}

// Each move of the work area's bottom edge, made inside the program by the end-to-end hook,
// is one BuildLabel; the label's bottom edge following it shows that rebuild happened.
int StepWorkArea(HWND label, int steps) {
    const e2e::WorkAreaHook hook(label);
    const int bottom = e2e::ScreenHeight();
    for (int step = 0; step < steps; ++step) {
        const int newBottom = bottom - 1 - step % 2;
        const auto followed = [&] {
            const e2e::Bounds bounds = e2e::WindowBounds(label);
            return bounds.y + bounds.height == newBottom;
        };
        if (!hook.SetWorkArea(0, newBottom) || !WaitClosely(followed, e2e::kMessageTimeout)) {
            return step;
        }
    }
    return steps;
}

// The reference rebuilds inside its window procedure, so the answer to the message is the
// proof that the rebuild is done.
int StepReference(HWND label, int steps) {
    const UINT message = RegisterWindowMessageA(bench::kRebuildMessage);
    for (int step = 0; step < steps; ++step) {
        DWORD_PTR answer = 0;
        if (SendMessageTimeoutA(label, message, static_cast<WPARAM>(step + 1), 0, SMTO_ABORTIFHUNG,
                                static_cast<UINT>(e2e::kMessageTimeout.count()), &answer) == 0 ||
            answer != 1) {
            return step;
        }
    }
    return steps;
}

int RunRebuild(const std::string& name, int steps, bool forceWorkArea) {
    const Program program = ProgramNamed(name);
    BenchRun run(program);
    const DWORD processId = run.Start().processId();
    const HWND label = WaitForLabel(program, processId);
    if (label == nullptr) {
        Print("figure=error program=" + name + " what=start");
        return 1;
    }
    const std::optional<unsigned long> startRss = ResidentKiB(processId);
    std::string path = "message";
    std::optional<unsigned long> readyRss = startRss;
    int landed = 0;
    Stopwatch watch;
    double milliseconds = 0;
    if (name == "reference") {
        watch = Stopwatch();
        landed = StepReference(label, steps);
        milliseconds = watch.Milliseconds();
    } else {
        const HWND config = forceWorkArea ? nullptr : OpenConfigWindow(label, processId);
        if (config != nullptr) {
            path = "trackbar";
            readyRss = ResidentKiB(processId);
            watch = Stopwatch();
            landed = StepTrackBar(config, steps);
            milliseconds = watch.Milliseconds();
        }
        if (config == nullptr || landed == 0) {
            // No usable Configuration window in this build: the work area drives the rebuilds.
            path = "workarea";
            readyRss = ResidentKiB(processId);
            watch = Stopwatch();
            landed = StepWorkArea(label, steps);
            milliseconds = watch.Milliseconds();
        }
    }
    const std::optional<unsigned long> afterRss = ResidentKiB(processId);
    const bool closed = run.Close(label);
    Print("figure=rebuild program=" + name + " path=" + path + " steps=" + std::to_string(landed) +
          " of=" + std::to_string(steps) + " ms=" + Fixed(milliseconds) +
          " per_second=" + Fixed(milliseconds > 0 ? 1000.0 * landed / milliseconds : 0.0, 1) +
          " rss_start_kb=" + KiB(startRss) + " rss_ready_kb=" + KiB(readyRss) +
          " rss_after_kb=" + KiB(afterRss) + " exit=" + (closed ? "0" : "bad"));
    return landed == steps && closed ? 0 : 1;
}

int RunIdle(const std::string& name) {
    const Program program = ProgramNamed(name);
    BenchRun run(program);
    const HWND label = WaitForLabel(program, run.Start().processId());
    if (label == nullptr) {
        Print("figure=error program=" + name + " what=start");
        return 1;
    }
    // scripts/bench finds the process in /proc by its executable and Wine prefix; Wine does not
    // hand the environment block given here to the Unix process, so nothing else marks it.
    Print("figure=idle program=" + name + " state=ready");
    // scripts/bench measures from the Linux side meanwhile and answers when it is done; a
    // closed input ends the wait as well.
    std::string line;
    std::getline(std::cin, line);
    const bool closed = run.Close(label);
    Print("figure=idle program=" + name + " state=stopped exit=" + (closed ? "0" : "bad"));
    return closed ? 0 : 1;
}

int Usage() {
    std::cerr << "usage: bench_driver start RUNS | rebuild lumatag|reference STEPS [workarea] | "
                 "idle lumatag|reference\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    try {
        const std::string mode = argc > 1 ? argv[1] : "";
        if (mode == "start" && argc == 3) {
            return RunStart(std::atoi(argv[2]));
        }
        if (mode == "rebuild" && (argc == 4 || argc == 5)) {
            return RunRebuild(argv[2], std::atoi(argv[3]),
                              argc == 5 && std::string(argv[4]) == "workarea");
        }
        if (mode == "idle" && argc == 3) {
            return RunIdle(argv[2]);
        }
        return Usage();
    } catch (const std::exception& error) {
        Print(std::string("figure=error what=\"") + error.what() + "\"");
        return 1;
    }
}
