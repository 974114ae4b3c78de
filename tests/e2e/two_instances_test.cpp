#include "../common/run_value_guard.h"
#include "driver.h"
#include "program_test.h"
#include "ui_numbers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

namespace control = ui::control;

constexpr const char* kConfigTitle = "Lumatag Configuration";

class TwoInstancesTest : public e2e::ProgramTest {
protected:
    // Opens the Configuration window of the program behind label, puts text in the free-text
    // box and presses Close; true once the window has gone.
    static bool SaveFreeText(HWND label, DWORD processId, const std::string& text) {
        const HWND menu = e2e::OpenPopupMenu(label, processId, {600, 500}, e2e::kStartTimeout);
        if (menu == nullptr) {
            return false;
        }
        e2e::ChooseMenuItem(menu, ui::menu_item::kConfig);
        const HWND config = e2e::WaitForWindowWithControl(
            processId, kConfigTitle, control::kFontDescription, e2e::kStartTimeout);
        if (config == nullptr ||
            !e2e::WaitUntil(
                [&] { return e2e::ControlText(config, control::kTransparencyReadOut) == "Off"; },
                e2e::kMessageTimeout)) {
            return false;
        }
        e2e::SendToControl(config, control::kFreeText, WM_SETTEXT, 0,
                           reinterpret_cast<LPARAM>(text.c_str()));
        e2e::SendToControl(config, control::kConfigClose, BM_CLICK);
        return e2e::WaitUntil([&] { return !IsWindow(config); }, e2e::kExitTimeout);
    }
};

// Two labels on one machine share one settings file: each Close replaces it whole, so after
// both the file is the last one's, complete, with nothing half-written left beside it.
TEST_F(TwoInstancesTest, SavesOneAfterTheOtherLeaveTheLastCompleteFile) {
    const RunValueGuard restoreRunValue; // each Close also writes or removes the Run value
    const HWND first = StartProgram();
    ASSERT_NE(first, nullptr);
    e2e::EnvironmentBlock environment = e2e::TestIdentity();
    const std::string folder = SettingsFolder();
    environment.Set("LOCALAPPDATA",
                    folder.substr(0, folder.size() - std::string("\\Lumatag").size()));
    e2e::ProgramProcess secondProcess(e2e::ProgramPath(), environment);
    HWND second = nullptr;
    ASSERT_TRUE(e2e::WaitUntil(
        [&] {
            second = e2e::WaitForWindowWithControl(secondProcess.processId(), ui::kLabelTitle,
                                                   control::kLabelText, e2e::kMessageTimeout);
            return second != nullptr && e2e::AnswersMessages(second, e2e::kMessageTimeout);
        },
        e2e::kStartTimeout));

    ASSERT_TRUE(SaveFreeText(first, process().processId(), "first desk"));
    ASSERT_TRUE(e2e::WaitUntil(
        [&] {
            return e2e::ReadFileBytes(SettingsFile()).value_or("").find("first desk") !=
                   std::string::npos;
        },
        e2e::kMessageTimeout));
    ASSERT_TRUE(SaveFreeText(second, secondProcess.processId(), "second desk"));
    ASSERT_TRUE(e2e::WaitUntil(
        [&] {
            return e2e::ReadFileBytes(SettingsFile()).value_or("").find("second desk") !=
                   std::string::npos;
        },
        e2e::kMessageTimeout));

    const std::string saved = e2e::ReadFileBytes(SettingsFile()).value_or("");
    EXPECT_EQ(saved.size(), 199u + std::string("second desk").size());
    EXPECT_TRUE(saved.starts_with("TransAmount = 100\r\n")) << saved;
    EXPECT_NE(saved.find("\r\nAddToDisplay = second desk\r\n"), std::string::npos);
    EXPECT_TRUE(saved.ends_with("\r\nBackColor = -1\r\n")) << saved;
    WIN32_FIND_DATAA found{};
    int files = 0;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    do {
        files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    EXPECT_EQ(files, 1) << "no temporary file is left beside the settings";
    EXPECT_TRUE(ExitThroughMenu(first));
}

} // namespace
