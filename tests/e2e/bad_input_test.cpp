#include "driver.h"
#include "program_test.h"
#include "ui_numbers.h"

#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <functional>
#include <random>
#include <string>

namespace {

// Whatever the settings file or the environment holds, the program shows a label, keeps
// running and ends cleanly on Exit, and never touches a file it could not have written.
struct BadInputCase {
    const char* name;
    std::function<std::string()> settingsFile; // nothing written when empty
    std::function<void(e2e::EnvironmentBlock&)> environment;
};

void PrintTo(const BadInputCase& c, std::ostream* out) {
    *out << c.name;
}

std::string RandomBytes(size_t count) {
    std::mt19937 generator(20261211);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(count, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(byte(generator));
    }
    return bytes;
}

std::string Line(const std::string& key, const std::string& value) {
    return key + " = " + value + "\r\n";
}

const BadInputCase kBadInputCases[] = {
    {"RandomBytes", [] { return RandomBytes(64 * 1024); }, {}},
    {"OneFiveMegabyteLine", [] { return std::string(5 * 1024 * 1024, 'x'); }, {}},
    {"NulBytes",
     [] { return std::string("LabelPos = 2\0\0\r\nAddToDisplay = a\0b\r\n\0\0\0", 34); },
     {}},
    {"FontSizeZero", [] { return Line("FontSize", "0"); }, {}},
    {"FontSizeNegative", [] { return Line("FontSize", "-12"); }, {}},
    {"FontSizeLargest", [] { return Line("FontSize", "2147483647"); }, {}},
    {"HugeFontName", [] { return Line("FontName", std::string(10000, 'F')); }, {}},
    {"HugeFreeText", [] { return Line("AddToDisplay", std::string(100000, 'W')); }, {}},
    {"SmallestCornerAndColours",
     [] {
         return Line("LabelPos", "-2147483648") + Line("FontColor", "-2147483648") +
                Line("BackColor", "-2147483648") + Line("TransAmount", "-2147483648");
     },
     {}},
    {"LargestCornerAndColours",
     [] {
         return Line("LabelPos", "2147483647") + Line("FontColor", "2147483647") +
                Line("BackColor", "2147483647") + Line("TransAmount", "2147483647");
     },
     {}},
    {"HugeComputerName",
     {},
     [](e2e::EnvironmentBlock& environment) {
         environment.Set("COMPUTERNAME", std::string(30000, 'C'));
     }},
    {"TextsThatLookLikeFormats",
     [] {
         return Line("AddToDisplay", "%s%n%x \"quoted\" C:\\path & more") +
                Line("FontName", "%n%n%n");
     },
     [](e2e::EnvironmentBlock& environment) { environment.Set("USERNAME", "%s%n"); }},
};

class BadInputTest : public e2e::ProgramTest, public testing::WithParamInterface<BadInputCase> {};

TEST_P(BadInputTest, TheProgramShowsALabelAndEndsCleanly) {
    const BadInputCase& c = GetParam();
    std::string written;
    if (c.settingsFile) {
        written = c.settingsFile();
        WriteSettingsFile(written);
    }
    e2e::EnvironmentBlock environment = e2e::TestIdentity();
    if (c.environment) {
        c.environment(environment);
    }
    const HWND label = StartProgram(environment);
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(IsWindowVisible(label));
    EXPECT_TRUE(ExitThroughMenu(label));
    if (c.settingsFile) {
        EXPECT_TRUE(e2e::ReadFileBytes(SettingsFile()) == written)
            << "loading must leave the file as it was";
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, BadInputTest, testing::ValuesIn(kBadInputCases),
                         [](const auto& info) { return std::string(info.param.name); });

using SettingsPlaceTest = e2e::ProgramTest;

TEST_F(SettingsPlaceTest, AFileWhereTheSettingsFolderBelongsIsLeftAsItIs) {
    {
        std::ofstream blocker(SettingsFolder(), std::ios::binary);
        blocker << "in the way";
    }
    const HWND label = StartProgram();
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(ExitThroughMenu(label));
    EXPECT_EQ(e2e::ReadFileBytes(SettingsFolder()), "in the way");
}

TEST_F(SettingsPlaceTest, AReadOnlySettingsFileIsReadAndLeftAlone) {
    WriteSettingsFile("LabelPos = 1\r\n");
    ASSERT_TRUE(SetFileAttributesA(SettingsFile().c_str(), FILE_ATTRIBUTE_READONLY));
    const HWND label = StartProgram();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(e2e::WindowBounds(label).x, 0);
    EXPECT_EQ(e2e::WindowBounds(label).y, 0);
    EXPECT_TRUE(ExitThroughMenu(label));
    EXPECT_TRUE(GetFileAttributesA(SettingsFile().c_str()) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(SettingsFile().c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Without LOCALAPPDATA the settings folder is "\Lumatag" at the root of the current drive,
// which for the program is the drive it was started from.
TEST_F(SettingsPlaceTest, WithoutLocalAppDataTheProgramStillRuns) {
    const std::string rootFolder = e2e::ProgramPath().substr(0, 2) + "\\Lumatag";
    const bool existedBefore = GetFileAttributesA(rootFolder.c_str()) != INVALID_FILE_ATTRIBUTES;
    e2e::EnvironmentBlock environment = e2e::TestIdentity();
    environment.Remove("LOCALAPPDATA");
    const HWND label = StartProgram(environment, e2e::ProgramRun::LocalAppData::kAsGiven);
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(ExitThroughMenu(label));
    if (!existedBefore) {
        RemoveDirectoryA(rootFolder.c_str()); // only ever empty: loading creates no file
    }
}

} // namespace
