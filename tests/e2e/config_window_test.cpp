#include "../common/run_value_guard.h"
#include "driver.h"
#include "program_test.h"
#include "ui_numbers.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

namespace control = ui::control;

constexpr const char* kConfigTitle = "Lumatag Configuration";
using ConfigWindowEndToEndTest = e2e::ProgramTest;

TEST_F(ConfigWindowEndToEndTest, OpensFromTheMenuPreviewsEachChangeAndCloseSavesTheFile) {
    const RunValueGuard restoreRunValue;
    const HWND label = StartProgram();
    ASSERT_NE(label, nullptr);
    const HWND menu = OpenPopupMenu(label);
    ASSERT_NE(menu, nullptr);
    e2e::ChooseMenuItem(menu, ui::menu_item::kConfig);
    const HWND config = e2e::WaitForWindowWithControl(
        process().processId(), kConfigTitle, control::kFontDescription, e2e::kStartTimeout);
    ASSERT_NE(config, nullptr);
    EXPECT_TRUE(IsWindowVisible(config));
    EXPECT_EQ(e2e::ControlText(config, control::kFontDescription), " Arial, Size: 8");
    EXPECT_EQ(e2e::ControlText(config, control::kTransparencyReadOut), "Off");

    // A click on a check box shows on the label at once.
    e2e::SendToControl(config, control::kShowDomainName, BM_CLICK);
    EXPECT_TRUE(e2e::WaitUntil(
        [&] { return e2e::ControlText(label, control::kLabelText) == " HOST7 <LAB> "; },
        e2e::kMessageTimeout));
    EXPECT_EQ(e2e::WindowBounds(label).width, e2e::MeasureText("Arial", 8, " HOST7 <LAB> ").cx);

    // So does the track bar, moved with a key as the user would.
    e2e::SendToControl(config, control::kTransparency, WM_KEYDOWN, VK_HOME);
    e2e::SendToControl(config, control::kTransparency, WM_KEYUP, VK_HOME);
    EXPECT_TRUE(e2e::WaitUntil(
        [&] { return e2e::ControlText(config, control::kTransparencyReadOut) == "10%"; },
        e2e::kMessageTimeout));
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT_TRUE(GetLayeredWindowAttributes(label, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 25);

    // Neither the start-with-Windows box nor text typed without leaving the edit is taken
    // before Close, and nothing is written before it.
    e2e::SendToControl(config, control::kAutoStart, BM_CLICK);
    const std::string freeText = "Desk 4";
    e2e::SendToControl(config, control::kFreeText, WM_SETTEXT, 0,
                       reinterpret_cast<LPARAM>(freeText.c_str()));
    EXPECT_TRUE(e2e::AnswersMessages(label, e2e::kMessageTimeout));
    EXPECT_EQ(e2e::ControlText(label, control::kLabelText), " HOST7 <LAB> ");
    EXPECT_EQ(GetFileAttributesA(SettingsFile().c_str()), INVALID_FILE_ATTRIBUTES);

    e2e::SendToControl(config, control::kConfigClose, BM_CLICK);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(config); }, e2e::kExitTimeout));
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ReadFileBytes(SettingsFile()).has_value(); },
                               e2e::kMessageTimeout));
    EXPECT_EQ(e2e::ReadFileBytes(SettingsFile()), std::string("TransAmount = 10\r\n"
                                                              "AutoStart = 1\r\n"
                                                              "LabelPos = 4\r\n"
                                                              "ShowComputerName = 1\r\n"
                                                              "ShowDomainName = 1\r\n"
                                                              "ShowUserID = 0\r\n"
                                                              "ShowIP = 0\r\n"
                                                              "AddToDisplay = Desk 4\r\n"
                                                              "FontName = Arial\r\n"
                                                              "FontSize = 8\r\n"
                                                              "FontColor = -1\r\n"
                                                              "BackColor = -1\r\n"));
    // Appended piece by piece: GCC 12 gives a false -Wrestrict warning on '"' + std::string.
    std::string quotedPath = "\"";
    quotedPath += e2e::ProgramPath();
    quotedPath += '"';
    EXPECT_EQ(RunValueGuard::Read(), quotedPath);
    EXPECT_EQ(e2e::ControlText(label, control::kLabelText), " Desk 4 HOST7 <LAB> ");
    EXPECT_TRUE(ExitThroughMenu(label));
}

} // namespace
