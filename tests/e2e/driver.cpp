#include "driver.h"

#include "hook/workarea_hook.h"
#include "toolkit/unique_handle.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace e2e {
namespace {

constexpr DWORD kPollIntervalMilliseconds = 10;

DWORD ToDword(Milliseconds duration) {
    return static_cast<DWORD>(std::clamp<Milliseconds::rep>(duration.count(), 0, INFINITE - 1));
}

bool SameNameIgnoringCase(const std::string& left, const std::string& right) {
    return left.size() == right.size() &&
           std::equal(left.begin(), left.end(), right.begin(), [](char a, char b) {
               return std::toupper(static_cast<unsigned char>(a)) ==
                      std::toupper(static_cast<unsigned char>(b));
           });
}

std::string UpperCase(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

std::string LastErrorText(const char* what) {
    return std::string(what) + " failed, error " + std::to_string(GetLastError());
}

// A message to another process's window that cannot hang the driver.
std::optional<LRESULT> SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG,
                            ToDword(kMessageTimeout), &result) == 0) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(result);
}

} // namespace

void PausePolling() {
    Sleep(kPollIntervalMilliseconds);
}

std::string TestExecutableFolder() {
    std::string path(MAX_PATH, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    return path.substr(0, path.find_last_of("\\/") + 1);
}

std::string ProgramPath() {
    return TestExecutableFolder() + "Lumatag.exe";
}

EnvironmentBlock EnvironmentBlock::OfThisProcess() {
    EnvironmentBlock block;
    char* strings = GetEnvironmentStringsA();
    if (strings == nullptr) {
        return block;
    }
    for (const char* entry = strings; *entry != '\0';
         entry += std::char_traits<char>::length(entry) + 1) {
        const std::string text(entry);
        // Names may start with '=' (Windows keeps per-drive folders as "=C:=C:\..."), so the
        // separator is the first '=' after the first character.
        const size_t separator = text.find('=', 1);
        if (separator == std::string::npos) {
            continue;
        }
        block.variables_.push_back({text.substr(0, separator), text.substr(separator + 1)});
    }
    FreeEnvironmentStringsA(strings);
    return block;
}

void EnvironmentBlock::Set(const std::string& name, const std::string& value) {
    for (Variable& variable : variables_) {
        if (SameNameIgnoringCase(variable.name, name)) {
            variable.value = value;
            return;
        }
    }
    variables_.push_back({name, value});
}

void EnvironmentBlock::Remove(const std::string& name) {
    std::erase_if(variables_, [&name](const Variable& variable) {
        return SameNameIgnoringCase(variable.name, name);
    });
}

std::optional<std::string> EnvironmentBlock::Get(const std::string& name) const {
    for (const Variable& variable : variables_) {
        if (SameNameIgnoringCase(variable.name, name)) {
            return variable.value;
        }
    }
    return std::nullopt;
}

std::string EnvironmentBlock::Serialize() const {
    std::vector<Variable> sorted = variables_;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Variable& a, const Variable& b) {
        return UpperCase(a.name) < UpperCase(b.name);
    });
    std::string block;
    for (const Variable& variable : sorted) {
        block += variable.name + "=" + variable.value;
        block += '\0';
    }
    // An empty block still needs its two zero bytes.
    if (block.empty()) {
        block += '\0';
    }
    block += '\0';
    return block;
}

TemporaryFolder::TemporaryFolder() {
    char base[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH + 1, base);
    // Process id and a counter keep parallel runs and successive tests apart.
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        std::string candidate = std::string(base) + "lumatag-e2e-" +
                                std::to_string(GetCurrentProcessId()) + "-" +
                                std::to_string(++counter);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            path_ = std::move(candidate);
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    throw std::runtime_error(LastErrorText("CreateDirectoryA for a temporary folder"));
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(path_), ignored);
}

EnvironmentBlock TestIdentity() {
    EnvironmentBlock environment = EnvironmentBlock::OfThisProcess();
    environment.Set("COMPUTERNAME", "HOST7");
    environment.Set("USERDOMAIN", "LAB");
    environment.Set("USERNAME", "user1");
    return environment;
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

ProgramProcess::ProgramProcess(const std::string& executable, const EnvironmentBlock& environment) {
    std::string commandLine = "\"" + executable + "\"";
    std::string block = environment.Serialize();
    const std::string folder = executable.substr(0, executable.find_last_of("\\/") + 1);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        block.data(), folder.c_str(), &startup, &started)) {
        throw std::runtime_error(LastErrorText(("CreateProcessA of " + executable).c_str()));
    }
    CloseHandle(started.hThread);
    process_ = started.hProcess;
    processId_ = started.dwProcessId;
}

ProgramProcess::~ProgramProcess() {
    Kill();
    CloseHandle(process_);
}

bool ProgramProcess::IsRunning() const {
    return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> ProgramProcess::WaitForExit(Milliseconds timeout) {
    if (WaitForSingleObject(process_, ToDword(timeout)) != WAIT_OBJECT_0) {
        Kill();
        return std::nullopt;
    }
    DWORD code = 0;
    if (!GetExitCodeProcess(process_, &code)) {
        return std::nullopt;
    }
    return code;
}

void ProgramProcess::Kill() {
    if (IsRunning()) {
        TerminateProcess(process_, 1);
        // Bounded: the folder it used is removed next, which needs the process gone.
        WaitForSingleObject(process_, ToDword(kExitTimeout));
    }
}

ProgramProcess& ProgramRun::Start(EnvironmentBlock environment, LocalAppData localAppData) {
    if (localAppData == LocalAppData::kThisRunsFolder) {
        environment.Set("LOCALAPPDATA", this->localAppData());
    }
    process_.reset();
    process_.emplace(ProgramPath(), environment);
    return *process_;
}

std::ostream& operator<<(std::ostream& out, const Bounds& bounds) {
    return out << "(" << bounds.x << ", " << bounds.y << ") " << bounds.width << " x "
               << bounds.height;
}

namespace {

struct WindowSearch {
    DWORD processId;
    const std::string* title;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindowOfProcess(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId) {
        return TRUE;
    }
    // For another process's window GetWindowTextA reads the title the system holds and sends
    // the program no message, so a hung program cannot stall the search.
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    if (*search.title == text) {
        search.found.push_back(window);
    }
    return TRUE;
}

} // namespace

std::vector<HWND> TopLevelWindowsOf(DWORD processId, const std::string& title) {
    WindowSearch search{processId, &title, {}};
    EnumWindows(CollectWindowOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindowWithControl(DWORD processId, const std::string& title, int control,
                              Milliseconds timeout) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            const std::vector<HWND> windows = TopLevelWindowsOf(processId, title);
            found = windows.size() == 1 && GetDlgItem(windows.front(), control) != nullptr
                        ? windows.front()
                        : nullptr;
            return found != nullptr;
        },
        timeout);
    return found;
}

HWND OpenPopupMenu(HWND window, DWORD processId, POINT cursor, Milliseconds timeout) {
    SetCursorPos(cursor.x, cursor.y);
    PostMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(2, 2));
    PostMessageA(window, WM_RBUTTONUP, 0, MAKELPARAM(2, 2));
    HWND menu = nullptr;
    WaitUntil(
        [&] {
            for (HWND candidate = FindWindowExA(nullptr, nullptr, "#32768", nullptr);
                 candidate != nullptr;
                 candidate = FindWindowExA(nullptr, candidate, "#32768", nullptr)) {
                DWORD owner = 0;
                GetWindowThreadProcessId(candidate, &owner);
                if (owner == processId && IsWindowVisible(candidate)) {
                    menu = candidate;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return menu;
}

void PressKey(HWND window, WPARAM key) {
    PostMessageA(window, WM_KEYDOWN, key, 0);
    PostMessageA(window, WM_KEYUP, key, 0);
}

void ChooseMenuItem(HWND menu, int item) {
    for (int i = 0; i < item; ++i) {
        PressKey(menu, VK_DOWN);
    }
    PressKey(menu, VK_RETURN);
}

bool AnswersMessages(HWND window, Milliseconds timeout) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, ToDword(timeout), &ignored) != 0;
}

Bounds WindowBounds(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

LONG WindowStyle(HWND window) {
    return GetWindowLongA(window, GWL_STYLE);
}

LONG WindowExtendedStyle(HWND window) {
    return GetWindowLongA(window, GWL_EXSTYLE);
}

std::optional<std::string> ControlText(HWND window, int control) {
    const HWND handle = GetDlgItem(window, control);
    if (handle == nullptr) {
        return std::nullopt;
    }
    const std::optional<LRESULT> length = SendBounded(handle, WM_GETTEXTLENGTH, 0, 0);
    if (!length || *length < 0) {
        return std::nullopt;
    }
    std::string text(static_cast<size_t>(*length) + 1, '\0');
    const std::optional<LRESULT> copied =
        SendBounded(handle, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    if (!copied || *copied < 0) {
        return std::nullopt;
    }
    text.resize(static_cast<size_t>(*copied));
    return text;
}

int ScreenWidth() {
    return GetSystemMetrics(SM_CXSCREEN);
}

int ScreenHeight() {
    return GetSystemMetrics(SM_CYSCREEN);
}

RECT DriverWorkArea() {
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

SIZE MeasureText(const std::string& face, int points, const std::string& text) {
    int pixelsPerInch = 0;
    if (const HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr)) {
        pixelsPerInch = GetDeviceCaps(display, LOGPIXELSY);
        DeleteDC(display);
    }
    const UniqueFont font(CreateFontA(-MulDiv(points, pixelsPerInch, 72), 0, 0, 0, FW_NORMAL, FALSE,
                                      FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                      DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
    const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    SIZE size{};
    if (font && dc) {
        const ScopedSelectObject selectFont(dc.get(), font.get());
        GetTextExtentPoint32A(dc.get(), text.data(), static_cast<int>(text.size()), &size);
    }
    return size;
}

WorkAreaHook::WorkAreaHook(HWND window) : window_(window) {
    const std::string dll = TestExecutableFolder() + workarea_hook::kDllName;
    library_ = LoadLibraryA(dll.c_str());
    if (library_ == nullptr) {
        throw std::runtime_error(LastErrorText(("LoadLibraryA of " + dll).c_str()));
    }
    const auto procedure = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(GetProcAddress(library_, workarea_hook::kProcName)));
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    // Wine, like Windows, loads the DLL into the thread's process the first time the hook runs
    // there; the hook procedure then runs inside the program, where the work area lives.
    hook_ = procedure == nullptr ? nullptr
                                 : SetWindowsHookExA(WH_GETMESSAGE, procedure, library_, thread);
    message_ = RegisterWindowMessageA(workarea_hook::kSetWorkAreaMessage);
    if (hook_ == nullptr || message_ == 0) {
        const std::string error = LastErrorText("Setting the work-area hook");
        if (hook_ != nullptr) {
            UnhookWindowsHookEx(hook_);
        }
        FreeLibrary(library_);
        throw std::runtime_error(error);
    }
}

WorkAreaHook::~WorkAreaHook() {
    UnhookWindowsHookEx(hook_);
    FreeLibrary(library_);
}

bool WorkAreaHook::SetWorkArea(int top, int bottom) const {
    return PostMessageA(window_, message_, static_cast<WPARAM>(top), static_cast<LPARAM>(bottom)) !=
           FALSE;
}

} // namespace e2e
