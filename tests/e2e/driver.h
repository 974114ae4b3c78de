#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// A driver that starts the real program under Wine and works it from outside: its own
// environment block and LOCALAPPDATA per run, windows found by process id, controls read by
// number, and waits that always end. Nothing here knows a test framework; callers assert on
// what the functions return.
namespace e2e {

using Milliseconds = std::chrono::milliseconds;

// Bounds for the waits. Start-up includes Wine loading the program; closing includes Wine
// destroying the program's windows, which takes seconds under Xvfb with no window manager.
inline constexpr Milliseconds kStartTimeout{20000};
inline constexpr Milliseconds kExitTimeout{10000};
// How long one cross-process message may take before the program counts as hung.
inline constexpr Milliseconds kMessageTimeout{5000};

// Pause between two looks of a wait; the waits below are the only place the driver sleeps.
void PausePolling();

// Looks at condition until it holds or timeout has passed; true when it held. The last look
// is at or after the deadline, so a slow machine does not turn a late success into a failure.
template <typename Condition> bool WaitUntil(Condition condition, Milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        PausePolling();
    }
    return true;
}

// Looks at condition over the whole of duration; true when it held at every look.
template <typename Condition> bool HoldsFor(Condition condition, Milliseconds duration) {
    const auto end = std::chrono::steady_clock::now() + duration;
    while (condition()) {
        if (std::chrono::steady_clock::now() >= end) {
            return true;
        }
        PausePolling();
    }
    return false;
}

// The folder of the running test executable, with a trailing backslash; the program and the
// hook DLL are built beside it.
std::string TestExecutableFolder();
// build/windows/Lumatag.exe, or wherever the build put it: always beside the test exe.
std::string ProgramPath();

// An environment block for CreateProcessA. Names are matched without regard to case, as
// Windows does.
class EnvironmentBlock {
public:
    // A copy of the driver's own environment.
    static EnvironmentBlock OfThisProcess();

    void Set(const std::string& name, const std::string& value);
    void Remove(const std::string& name);
    std::optional<std::string> Get(const std::string& name) const;
    // NAME=VALUE entries, each ended by a zero byte, sorted by name without regard to case
    // (the order CreateProcess documents), and one more zero byte at the end.
    std::string Serialize() const;

private:
    struct Variable {
        std::string name;
        std::string value;
    };
    std::vector<Variable> variables_;
};

// The identity the tests give the program (COMPUTERNAME HOST7, USERDOMAIN LAB, USERNAME
// user1) over a copy of the driver's own environment; Wine would otherwise put in its own names.
EnvironmentBlock TestIdentity();

// A whole file's bytes; nothing when it cannot be opened.
std::optional<std::string> ReadFileBytes(const std::string& path);

// A fresh, empty folder under the temporary folder, removed with everything in it when the
// object goes. Declare it before any process that uses it, so the process is gone first.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    // Without a trailing backslash, as environment variables name folders.
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// A started program. If it still runs when the holder goes, it is killed, so a failed test
// never leaves a label behind for the next one.
class ProgramProcess {
public:
    // Starts the executable with exactly this environment, in the executable's own folder.
    // Throws std::runtime_error when CreateProcessA fails.
    ProgramProcess(const std::string& executable, const EnvironmentBlock& environment);
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    DWORD processId() const { return processId_; }
    bool IsRunning() const;
    // The full 32-bit exit code once the process has ended within timeout. When it has not,
    // the process is killed and nothing is returned, so the caller's test fails.
    std::optional<DWORD> WaitForExit(Milliseconds timeout);
    void Kill();

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

// One run of the program: its own LOCALAPPDATA folder, created before the program starts (so a
// test can put a settings file there first) and removed after the process has gone.
class ProgramRun {
public:
    ProgramRun() = default;

    const std::string& localAppData() const { return localAppData_.path(); }
    enum class LocalAppData { kThisRunsFolder, kAsGiven };
    // Starts the program with environment, its LOCALAPPDATA replaced by this run's folder
    // unless the caller asks for the environment as it is.
    ProgramProcess& Start(EnvironmentBlock environment,
                          LocalAppData localAppData = LocalAppData::kThisRunsFolder);
    // The started program; throws std::bad_optional_access before Start.
    ProgramProcess& process() { return process_.value(); }

private:
    TemporaryFolder localAppData_; // declared first, so it outlives the process
    std::optional<ProgramProcess> process_;
};

// A window's outer rectangle as position and size, printable in test failures.
struct Bounds {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Bounds&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Bounds& bounds);

// The top-level windows of a process with exactly this title, hidden ones included.
std::vector<HWND> TopLevelWindowsOf(DWORD processId, const std::string& title);
// The process's top-level window with this title, once there is exactly one and its child
// control is in place, or null when that does not happen within timeout. Whether it is
// visible is left to the caller to check.
HWND WaitForWindowWithControl(DWORD processId, const std::string& title, int control,
                              Milliseconds timeout);

// The program's popup menu: right-clicks window with the mouse pointer at cursor and returns
// the menu window of that process once it is up, or null after timeout.
HWND OpenPopupMenu(HWND window, DWORD processId, POINT cursor, Milliseconds timeout);
// Presses and releases a key in a window of the program.
void PressKey(HWND window, WPARAM key);
// Chooses a menu item with the keyboard: 1 Config, 2 About, 3 Exit (nothing is selected when
// the menu opens, and the separators are skipped).
void ChooseMenuItem(HWND menu, int item);

// Sends the window a message that does nothing and waits for the answer: true once the
// window's thread is taking messages, which the program does only from its main loop, so
// start-up is over. (WaitForInputIdle never returns for a program that polls with
// PeekMessageA under Wine.)
bool AnswersMessages(HWND window, Milliseconds timeout);

Bounds WindowBounds(HWND window);
LONG WindowStyle(HWND window);
LONG WindowExtendedStyle(HWND window);
// The text of a control, read with WM_GETTEXT across processes; nothing when the control
// does not exist or its program does not answer.
std::optional<std::string> ControlText(HWND window, int control);

// The screen and the desktop work area as the driver's own process sees them. Wine keeps the
// work area per process, so this is the program's work area only until something changes it
// inside the program (see WorkAreaHook).
int ScreenWidth();
int ScreenHeight();
RECT DriverWorkArea();

// Width and height of text in a font made the way the program makes its label font: face and
// size in points, CreateFontA with the display's LOGPIXELSY, regular weight, default charset,
// precision, quality and pitch; measured with GetTextExtentPoint32A over the whole text.
SIZE MeasureText(const std::string& face, int points, const std::string& text);

// Changes the desktop work area inside another process: a WH_GETMESSAGE hook from
// workarea_hook.dll on that process's thread, which sets the area when it sees the message
// SetWorkArea posts. Unhooked when the object goes.
class WorkAreaHook {
public:
    // Hooks the thread that owns window. Throws std::runtime_error when the DLL or the hook
    // cannot be set up.
    explicit WorkAreaHook(HWND window);
    ~WorkAreaHook();
    WorkAreaHook(const WorkAreaHook&) = delete;
    WorkAreaHook& operator=(const WorkAreaHook&) = delete;

    // Asks the hooked thread to set its work area to the screen's width between top and
    // bottom. Takes effect when the program next takes a message; false when it cannot post.
    bool SetWorkArea(int top, int bottom) const;

private:
    HWND window_;
    HMODULE library_ = nullptr;
    HHOOK hook_ = nullptr;
    UINT message_ = 0;
};

} // namespace e2e
