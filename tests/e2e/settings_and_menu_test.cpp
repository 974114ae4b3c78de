#include "driver.h"
#include "program_test.h"
#include "ui_numbers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using e2e::Bounds;

// A hand-edited settings file, and where and how it must put the label.
struct HandEditedCase {
    const char* name;
    std::string file;
    std::string text;
    const char* face;
    int points;
    int corner; // 1 top left, 2 top right, 3 bottom left, 4 bottom right, anything else hidden
};

void PrintTo(const HandEditedCase& c, std::ostream* out) {
    *out << c.name;
}

Bounds ExpectedBounds(const HandEditedCase& c, int workAreaBottom) {
    const SIZE size = e2e::MeasureText(c.face, c.points, c.text);
    const int right = e2e::ScreenWidth() - size.cx;
    const int bottom = workAreaBottom - size.cy;
    switch (c.corner) {
    case 1:
        return {0, 0, size.cx, size.cy};
    case 2:
        return {right, 0, size.cx, size.cy};
    case 3:
        return {0, bottom, size.cx, size.cy};
    case 4:
        return {right, bottom, size.cx, size.cy};
    default:
        return {e2e::ScreenWidth(), e2e::ScreenHeight(), size.cx, size.cy};
    }
}

class HandEditedSettingsTest : public e2e::ProgramTest,
                               public testing::WithParamInterface<HandEditedCase> {};

TEST_P(HandEditedSettingsTest, TheFileShapesTheLabel) {
    const HandEditedCase& c = GetParam();
    WriteSettingsFile(c.file);
    const HWND label = StartProgram();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(e2e::ControlText(label, ui::control::kLabelText), c.text);
    // The size also tells the font: it is the text measured in the face and size of the file.
    EXPECT_EQ(e2e::WindowBounds(label), ExpectedBounds(c, e2e::DriverWorkArea().bottom));
}

INSTANTIATE_TEST_SUITE_P(
    Files, HandEditedSettingsTest,
    testing::Values(
        HandEditedCase{"TopLeft", "LabelPos = 1\r\n", " HOST7 ", "Arial", 8, 1},
        HandEditedCase{"TopRightWithFreeTextAndLogon",
                       "labelpos=2\nAddToDisplay =   R&D lab  \nShowDomainName = 1\nShowUserID=1\n",
                       " R&D lab HOST7 <LAB\\user1> ", "Arial", 8, 2},
        HandEditedCase{"BottomLeftInAnotherFont",
                       "\xEF\xBB\xBF; edited by hand\r\nLabelPos = 3\r\nFontName = Times New "
                       "Roman\r\nFontSize = 14pt\r\n[Ignored]\r\nLabelPos = 1\r\n",
                       " HOST7 ", "Times New Roman", 14, 3},
        HandEditedCase{"NothingShown", "ShowComputerName = 0\r\n",
                       "Please select display options...", "Arial", 8, 4},
        HandEditedCase{"UnknownCornerHidesTheLabel", "LabelPos = 7\r\n", " HOST7 ", "Arial", 8, 7}),
    [](const auto& info) { return std::string(info.param.name); });

using SettingsTest = e2e::ProgramTest;

TEST_F(SettingsTest, StartUpCreatesTheSettingsFolderButNoFile) {
    const HWND label = StartProgram();
    ASSERT_NE(label, nullptr);
    const DWORD attributes = GetFileAttributesA(SettingsFolder().c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributesA(SettingsFile().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SettingsTest, HalfTransparencyGivesAlpha127) {
    WriteSettingsFile("TransAmount = 50\r\n");
    const HWND label = StartProgram();
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(e2e::WindowExtendedStyle(label) & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(label, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 127);
    EXPECT_EQ(flags, DWORD{LWA_ALPHA});
}

class PopupMenuTest : public e2e::ProgramTest {
protected:
    static constexpr POINT kCursor{600, 500};
};

TEST_F(PopupMenuTest, OpensAtTheCursorLessOnePixelAndExitEndsTheProgramSavingNothing) {
    const HWND label = StartProgram();
    ASSERT_NE(label, nullptr);
    const HWND menu = OpenPopupMenu(label, kCursor);
    ASSERT_NE(menu, nullptr);
    const Bounds bounds = e2e::WindowBounds(menu);
    EXPECT_EQ(bounds.x, kCursor.x - 1);
    EXPECT_EQ(bounds.y, kCursor.y - 1);

    e2e::ChooseMenuItem(menu, ui::menu_item::kExit);
    EXPECT_EQ(process().WaitForExit(e2e::kExitTimeout), DWORD{0});
    EXPECT_EQ(GetFileAttributesA(SettingsFile().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(PopupMenuTest, EscapeClosesTheMenuWithoutACommand) {
    const HWND label = StartProgram();
    ASSERT_NE(label, nullptr);
    const HWND menu = OpenPopupMenu(label, kCursor);
    ASSERT_NE(menu, nullptr);
    e2e::PressKey(menu, VK_ESCAPE);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(menu); }, e2e::kMessageTimeout));
    EXPECT_TRUE(e2e::AnswersMessages(label, e2e::kMessageTimeout));
    EXPECT_TRUE(process().IsRunning());
    // The menu comes back on the next right-click: the loop is running, not stuck in it.
    EXPECT_NE(OpenPopupMenu(label, kCursor), nullptr);
}

} // namespace
