#include "toolkit/modal_win.h"

namespace toolkit {
namespace {

HWND ForegroundWindowOfThisProcess() {
    const HWND foreground = GetForegroundWindow();
    if (foreground == nullptr) {
        return nullptr;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(foreground, &processId);
    return processId == GetCurrentProcessId() ? foreground : nullptr;
}

struct Collection {
    HWND spared;
    std::vector<HWND>* windows;
};

BOOL CALLBACK CollectWindowToDisable(HWND window, LPARAM context) {
    const auto* collection = reinterpret_cast<const Collection*>(context);
    if (window != collection->spared && IsWindowVisible(window) && IsWindowEnabled(window)) {
        collection->windows->push_back(window);
    }
    return TRUE;
}

} // namespace

ModalDialogScope::ModalDialogScope() : owner_(ForegroundWindowOfThisProcess()) {
    // The foreground window is spared even when it belongs to another program: it is not
    // ours to touch. Our own foreground window is the owner, which the dialog itself disables.
    const Collection collection{GetForegroundWindow(), &disabled_};
    EnumThreadWindows(GetCurrentThreadId(), CollectWindowToDisable,
                      reinterpret_cast<LPARAM>(&collection));
    for (const HWND window : disabled_) {
        EnableWindow(window, FALSE);
    }
}

ModalDialogScope::~ModalDialogScope() {
    // A window destroyed while the dialog was up is skipped.
    for (const HWND window : disabled_) {
        if (IsWindow(window)) {
            EnableWindow(window, TRUE);
        }
    }
}

} // namespace toolkit
