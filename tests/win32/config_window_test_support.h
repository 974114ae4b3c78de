#pragma once

#include "../common/run_value_guard.h"

#include "ui_numbers.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// What the Configuration window's tests share: a program-like state around the window, the
// main loop's dispatch, and a way to work the system dialogs that the window opens.
namespace config_test {

namespace control = ui::control;

// Any OsVersionCode that changes nothing in the window.
constexpr int32_t kModernWindows = 80;

HWND ConfigWindow();
HWND Label();
HWND Control(int number);
std::string WindowText(HWND window);

// Takes every waiting event and hands it to the main loop's dispatch, as the program does.
void DispatchPending();
// A click as the user makes it: the button reacts, reports, and the loop dispatches.
void Click(int number);

// The label's alpha while it is layered; nothing while it is opaque.
std::optional<BYTE> LabelAlpha();
LOGFONTA LabelFont();

// The colours a static control is told to paint with, asked the way the control asks its
// parent window.
struct AnsweredColors {
    COLORREF text = 0;
    COLORREF back = 0;
};
AnsweredColors AskColors(int number);
// What the system itself would answer for that control.
AnsweredColors SystemColors(int number);

// Works one system dialog from inside its own modal loop. A thread timer's procedure runs
// while the dialog's loop dispatches messages; it waits for the dialog of this thread with the
// given title, hands it to the action once, and ends the dialog itself if the action did not
// close it. Every wait counts timer ticks, so a dialog that never shows up or never closes
// fails the test instead of hanging it. One driver at a time.
class DialogDriver {
public:
    using Action = std::function<void(HWND dialog)>;

    DialogDriver(const char* title, Action action);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    bool acted() const { return acted_; }
    bool forcedToClose() const { return forced_; }

    // Presses one of the dialog's buttons (IDOK, IDCANCEL) once the action has returned.
    static void Press(HWND dialog, int button);

private:
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
    void Tick();

    static inline DialogDriver* current_ = nullptr;
    const char* title_;
    Action action_;
    UINT_PTR timer_ = 0;
    int ticks_ = 0;
    bool acted_ = false;
    bool forced_ = false;
};

// The label built as at start-up, the default settings, a modern Windows, and the settings
// file in a folder of the test's own.
class ConfigWindowTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the window as the Config command does and lets the loop take what that raised.
    static void ShowAndSettle();
    static std::string SavedFile();

private:
    std::string folder_;
};

} // namespace config_test
