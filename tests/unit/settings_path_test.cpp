#include "settings/settings_path.h"

#include <gtest/gtest.h>

namespace {

struct LocationCase {
    const char* name;
    int32_t osVersionCode;
    const char* windir;
    const char* localAppData;
    SettingsLocation expected;
};

class SettingsLocationTest : public testing::TestWithParam<LocationCase> {};

TEST_P(SettingsLocationTest, PicksTheFileAndTheFolderToCreate) {
    const LocationCase& c = GetParam();
    const SettingsLocation location =
        SettingsLocationFor(c.osVersionCode, c.windir, c.localAppData);
    EXPECT_EQ(location.file, c.expected.file);
    EXPECT_EQ(location.folder, c.expected.folder);
}

const LocationCase kLocationCases[] = {
    {"Windows7",
     80,
     "C:\\Windows",
     "C:\\Users\\u\\AppData\\Local",
     {"C:\\Users\\u\\AppData\\Local\\Lumatag\\config.ini",
      "C:\\Users\\u\\AppData\\Local\\Lumatag"}},
    {"ModernUnknown",
     100,
     "C:\\Windows",
     "D:\\Local",
     {"D:\\Local\\Lumatag\\config.ini", "D:\\Local\\Lumatag"}},
    {"NoLocalAppDataGoesToTheDriveRoot",
     60,
     "C:\\WINDOWS",
     "",
     {"\\Lumatag\\config.ini", "\\Lumatag"}},
    {"Windows95", 10, "C:\\WINDOWS", "ignored", {"C:\\WINDOWS\\Lumatag.ini", ""}},
    {"Windows98", 30, "C:\\WINDOWS", "", {"C:\\WINDOWS\\Lumatag.ini", ""}},
    {"WindowsMe", 40, "C:\\WINDOWS", "", {"C:\\WINDOWS\\Lumatag.ini", ""}},
    {"Windows98WithoutWindir", 30, "", "", {"\\Lumatag.ini", ""}},
    {"Nt4IsNotTheWin9xFamily",
     20,
     "C:\\WINNT",
     "C:\\Local",
     {"C:\\Local\\Lumatag\\config.ini", "C:\\Local\\Lumatag"}},
};

INSTANTIATE_TEST_SUITE_P(Systems, SettingsLocationTest, testing::ValuesIn(kLocationCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ExtendedLengthPath, OnlyLongAbsolutePathsTakeTheExtendedForm) {
    const std::string longTail(300, 'a');
    EXPECT_EQ(ExtendedLengthPath("C:\\Local\\Lumatag\\config.ini"), std::nullopt);
    EXPECT_EQ(ExtendedLengthPath("C:\\" + longTail), "\\\\?\\C:\\" + longTail);
    EXPECT_EQ(ExtendedLengthPath("\\\\server\\share\\" + longTail),
              "\\\\?\\UNC\\server\\share\\" + longTail);
    // Already extended, rooted without a drive, relative, or with forward slashes: the prefix
    // would change what the path means.
    for (const std::string& path :
         {"\\\\?\\C:\\" + longTail, "\\" + longTail, "relative\\" + longTail, "C:/" + longTail}) {
        EXPECT_EQ(ExtendedLengthPath(path), std::nullopt) << path.substr(0, 12);
    }
}

TEST(RunValueData, QuotesThePathWithoutItsExtendedPrefix) {
    EXPECT_EQ(RunValueData("C:\\Program Files\\Lumatag\\Lumatag.exe"),
              "\"C:\\Program Files\\Lumatag\\Lumatag.exe\"");
    EXPECT_EQ(RunValueData("\\\\?\\C:\\Tools\\Lumatag.exe"), "\"C:\\Tools\\Lumatag.exe\"");
    // Dropping only the four prefix characters of a network path would leave "UNC\...".
    EXPECT_EQ(RunValueData("\\\\?\\UNC\\server\\tools\\Lumatag.exe"),
              "\"\\\\server\\tools\\Lumatag.exe\"");
    EXPECT_EQ(RunValueData(""), "\"\"");
}

} // namespace
