#pragma once

#include "driver.h"
#include "ui_numbers.h"

#include <gtest/gtest.h>

#include <string>

namespace e2e {

// Sends a message to a control of another process's window and waits for the answer, giving
// up if the program does not answer in time.
void SendToControl(HWND window, int control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// Each test runs the program once with its own LOCALAPPDATA; a program still running at the
// end of a test is killed.
class ProgramTest : public testing::Test {
protected:
    // Starts the program and waits until start-up is over and the label with its text
    // control exists. Returns the label window, or null (after failing the test) if not.
    HWND
    StartProgram(const EnvironmentBlock& environment = TestIdentity(),
                 ProgramRun::LocalAppData localAppData = ProgramRun::LocalAppData::kThisRunsFolder);

    // Puts a settings file in place before the program starts.
    void WriteSettingsFile(const std::string& contents);
    std::string SettingsFolder() const { return run_.localAppData() + "\\Lumatag"; }
    std::string SettingsFile() const { return SettingsFolder() + "\\config.ini"; }

    ProgramProcess& process() { return run_.process(); }

    // Right-clicks the label with the mouse pointer at cursor and returns the popup menu
    // window once it is up, or null.
    HWND OpenPopupMenu(HWND label, POINT cursor = {600, 500});
    // Chooses a menu item with the keyboard: 1 Config, 2 About, 3 Exit.
    // Exit from the popup menu; true when the program then ends with exit code 0.
    bool ExitThroughMenu(HWND label);

private:
    ProgramRun run_;
};

} // namespace e2e
