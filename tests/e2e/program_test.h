#pragma once

#include "driver.h"
#include "ui_numbers.h"

#include <gtest/gtest.h>

#include <string>

namespace e2e {

// The identity the tests give the program; Wine would otherwise put in its own names.
EnvironmentBlock TestIdentity();

// Each test runs the program once with its own LOCALAPPDATA; a program still running at the
// end of a test is killed.
class ProgramTest : public testing::Test {
protected:
    // Starts the program and waits until start-up is over and the label with its text
    // control exists. Returns the label window, or null (after failing the test) if not.
    HWND StartProgram(const EnvironmentBlock& environment = TestIdentity());

    // Puts a settings file in place before the program starts.
    void WriteSettingsFile(const std::string& contents);
    std::string SettingsFolder() const { return run_.localAppData() + "\\Lumatag"; }
    std::string SettingsFile() const { return SettingsFolder() + "\\config.ini"; }

    ProgramProcess& process() { return run_.process(); }

private:
    ProgramRun run_;
};

} // namespace e2e
