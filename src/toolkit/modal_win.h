#pragma once

#include <windows.h>

#include <vector>

namespace toolkit {

// The program's side of a system modal dialog (a chooser, a message box) run on this thread:
// for as long as the object lives, every visible and enabled top-level window of the thread
// except the foreground one is disabled, and exactly those are enabled again when it goes.
// Create it right before the dialog call and pass owner() as the dialog's owner.
class ModalDialogScope {
public:
    ModalDialogScope();
    ~ModalDialogScope();
    ModalDialogScope(const ModalDialogScope&) = delete;
    ModalDialogScope& operator=(const ModalDialogScope&) = delete;

    // The foreground window when it belongs to this process, otherwise null (no owner).
    HWND owner() const { return owner_; }

private:
    HWND owner_ = nullptr;
    std::vector<HWND> disabled_; // not owned: only enabled again
};

} // namespace toolkit
