#include "config_window_test_support.h"

#include "app/main_loop_win.h"
#include "dialogs/config_window_win.h"
#include "label/identity_facts.h"
#include "label/label_window_win.h"
#include "settings/os_version.h"
#include "settings/settings.h"
#include "settings/settings_path.h"
#include "settings/settings_store_win.h"
#include "toolkit/toolkit.h"
#include "win32_test_support.h"

namespace config_test {
namespace {

constexpr COLORREF kSentinel = RGB(1, 2, 3);

AnsweredColors Ask(int number, bool askTheSystem) {
    const HWND handle = Control(number);
    const HDC dc = GetDC(handle);
    // A colour the answer does not set stays at the sentinel.
    SetTextColor(dc, kSentinel);
    SetBkColor(dc, kSentinel);
    const auto wParam = reinterpret_cast<WPARAM>(dc);
    const auto lParam = reinterpret_cast<LPARAM>(handle);
    if (askTheSystem) {
        DefWindowProcA(GetParent(handle), WM_CTLCOLORSTATIC, wParam, lParam);
    } else {
        SendMessageA(GetParent(handle), WM_CTLCOLORSTATIC, wParam, lParam);
    }
    const AnsweredColors colors{GetTextColor(dc), GetBkColor(dc)};
    ReleaseDC(handle, dc);
    return colors;
}

struct DialogSearch {
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<DialogSearch*>(context);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) == "#32770" && WindowText(window) == search->title) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindThreadDialog(const char* title) {
    DialogSearch search{title, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Ticks of 20 ms: ten seconds for a dialog to show up, five for it to close after the action.
constexpr UINT kTickMilliseconds = 20;
constexpr int kTicksToAppear = 500;
constexpr int kTicksToClose = 250;

} // namespace

HWND ConfigWindow() {
    return toolkit::WindowHandle(ui::window::kConfig);
}
HWND Label() {
    return toolkit::WindowHandle(ui::window::kLabel);
}
HWND Control(int number) {
    return toolkit::ControlHandle(number);
}

std::string WindowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void DispatchPending() {
    bool quit = false;
    for (int i = 0; i < 10000; ++i) {
        const Event event = toolkit::Poll();
        if (event.code == event_code::kNone) {
            return;
        }
        DispatchEvent(event, quit);
    }
    ADD_FAILURE() << "the event poll never ran dry";
}

void Click(int number) {
    SendMessageA(Control(number), BM_CLICK, 0, 0);
    DispatchPending();
}

std::optional<BYTE> LabelAlpha() {
    if ((GetWindowLongA(Label(), GWL_EXSTYLE) & WS_EX_LAYERED) == 0) {
        return std::nullopt;
    }
    using GetLayeredWindowAttributesFunction = BOOL(WINAPI*)(HWND, COLORREF*, BYTE*, DWORD*);
    const auto getAttributes =
        reinterpret_cast<GetLayeredWindowAttributesFunction>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("user32.dll"), "GetLayeredWindowAttributes")));
    BYTE alpha = 0;
    DWORD flags = 0;
    if (getAttributes == nullptr || !getAttributes(Label(), nullptr, &alpha, &flags)) {
        return std::nullopt;
    }
    return alpha;
}

LOGFONTA LabelFont() {
    LOGFONTA font{};
    const auto handle =
        reinterpret_cast<HFONT>(SendMessageA(Control(control::kLabelText), WM_GETFONT, 0, 0));
    GetObjectA(handle, sizeof font, &font);
    return font;
}

AnsweredColors AskColors(int number) {
    return Ask(number, false);
}
AnsweredColors SystemColors(int number) {
    return Ask(number, true);
}

DialogDriver::DialogDriver(const char* title, Action action)
    : title_(title), action_(std::move(action)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, kTickMilliseconds, &DialogDriver::OnTick);
}

DialogDriver::~DialogDriver() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
}

void DialogDriver::Press(HWND dialog, int button) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

void CALLBACK DialogDriver::OnTick(HWND, UINT, UINT_PTR, DWORD) {
    if (current_ != nullptr) {
        current_->Tick();
    }
}

void DialogDriver::Tick() {
    ++ticks_;
    const HWND dialog = FindThreadDialog(title_);
    if (!acted_) {
        if (dialog != nullptr) {
            acted_ = true;
            ticks_ = 0;
            action_(dialog);
        } else if (ticks_ > kTicksToAppear) {
            KillTimer(nullptr, timer_);
        }
        return;
    }
    if (dialog != nullptr && ticks_ > kTicksToClose) {
        forced_ = true;
        EndDialog(dialog, 0);
    }
}

void ConfigWindowTest::SetUp() {
    EnsureToolkit();
    RECT workArea{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    current::WorkAreaBottom = workArea.bottom;
    current::IdentityFacts = {"HOST7", "LAB", "user1", "10.1.2.3"};
    current::OsVersionCode = kModernWindows;
    current::Settings = DefaultSettings();

    char temporary[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temporary);
    folder_ =
        std::string(temporary) + "lumatag-config-test-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
    current::SettingsPath = folder_ + "\\config.ini";
    DeleteFileA(current::SettingsPath.c_str());

    // The program's label exists before the Configuration window can be opened.
    BuildLabel();
    DrainEvents();
}

void ConfigWindowTest::TearDown() {
    toolkit::Shutdown();
    ReleaseLabelResources();
    DrainEvents();
    DeleteFileA(current::SettingsPath.c_str());
    RemoveDirectoryA(folder_.c_str());
}

void ConfigWindowTest::ShowAndSettle() {
    ShowConfigWindow();
    DispatchPending();
}

std::string ConfigWindowTest::SavedFile() {
    std::string contents;
    ReadWholeFile(current::SettingsPath, contents);
    return contents;
}

} // namespace config_test
