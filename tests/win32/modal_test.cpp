#include "toolkit/modal_win.h"
#include "toolkit/unique_handle.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <thread>

namespace {

UniqueWindow MakeTopLevelWindow(bool visible, bool enabled) {
    UniqueWindow window(CreateWindowExA(0, "Static", "modal test", WS_POPUP, 10, 10, 50, 20,
                                        nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    if (visible) {
        ShowWindow(window.get(), SW_SHOWNA);
    }
    EnableWindow(window.get(), enabled ? TRUE : FALSE);
    return window;
}

struct Windows {
    UniqueWindow foreground = MakeTopLevelWindow(true, true);
    UniqueWindow visible = MakeTopLevelWindow(true, true);
    UniqueWindow alreadyDisabled = MakeTopLevelWindow(true, false);
    UniqueWindow hidden = MakeTopLevelWindow(false, true);
};

TEST(ModalDialogScope, DisablesTheOtherVisibleEnabledWindowsAndEnablesExactlyThoseAfter) {
    Windows windows;
    SetForegroundWindow(windows.foreground.get());
    ASSERT_EQ(GetForegroundWindow(), windows.foreground.get());
    {
        const toolkit::ModalDialogScope modal;
        EXPECT_EQ(modal.owner(), windows.foreground.get());
        EXPECT_TRUE(IsWindowEnabled(windows.foreground.get()));
        EXPECT_FALSE(IsWindowEnabled(windows.visible.get()));
        EXPECT_FALSE(IsWindowEnabled(windows.alreadyDisabled.get()));
        EXPECT_TRUE(IsWindowEnabled(windows.hidden.get()));
    }
    EXPECT_TRUE(IsWindowEnabled(windows.foreground.get()));
    EXPECT_TRUE(IsWindowEnabled(windows.visible.get()));
    EXPECT_FALSE(IsWindowEnabled(windows.alreadyDisabled.get()));
    EXPECT_TRUE(IsWindowEnabled(windows.hidden.get()));
}

TEST(ModalDialogScope, AWindowDestroyedWhileTheDialogIsUpIsLeftAlone) {
    Windows windows;
    SetForegroundWindow(windows.foreground.get());
    {
        const toolkit::ModalDialogScope modal;
        windows.visible.reset();
    }
    EXPECT_TRUE(IsWindowEnabled(windows.foreground.get()));
    EXPECT_FALSE(IsWindowEnabled(windows.alreadyDisabled.get()));
}

// Another program's window in the foreground: the dialog gets no owner, and that window is
// not ours to disable or enable.
TEST(ModalDialogScope, WithAnotherProgramInTheForegroundTheDialogHasNoOwner) {
    Windows windows;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    char commandLine[] = "notepad.exe";
    ASSERT_TRUE(CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
    WaitForInputIdle(process.hProcess, 10000);
    HWND other = nullptr;
    // Bounded: the other program gets a few seconds to put its window up.
    for (int i = 0; i < 200 && other == nullptr; ++i) {
        other = FindWindowA("Notepad", nullptr);
        if (other == nullptr) {
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
    }
    if (other != nullptr) {
        SetForegroundWindow(other);
    }
    const bool otherInFront = other != nullptr && GetForegroundWindow() == other;
    std::optional<HWND> owner;
    bool foregroundDisabledMeanwhile = false;
    bool otherEnabledMeanwhile = false;
    if (otherInFront) {
        const toolkit::ModalDialogScope modal;
        owner = modal.owner();
        foregroundDisabledMeanwhile = !IsWindowEnabled(windows.foreground.get());
        otherEnabledMeanwhile = IsWindowEnabled(other) != FALSE;
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    ASSERT_TRUE(otherInFront) << "the other program's window did not come to the foreground";
    EXPECT_EQ(owner, nullptr);
    EXPECT_TRUE(foregroundDisabledMeanwhile) << "our own windows are all disabled";
    EXPECT_TRUE(otherEnabledMeanwhile);
    EXPECT_TRUE(IsWindowEnabled(windows.foreground.get()));
    EXPECT_TRUE(IsWindowEnabled(windows.visible.get()));
}

} // namespace
