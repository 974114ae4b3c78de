#include "settings/os_version.h"

#include <gtest/gtest.h>

namespace {

struct VersionCase {
    const char* name;
    OsVersionFacts facts;
    int32_t expected;
};

class ClassifyOsVersionTest : public testing::TestWithParam<VersionCase> {};

TEST_P(ClassifyOsVersionTest, GivesTheVersionCode) {
    EXPECT_EQ(ClassifyOsVersion(GetParam().facts), GetParam().expected);
}

const VersionCase kVersionCases[] = {
    {"Windows95", {1, 4, 0, false}, 10},
    {"Windows98", {1, 4, 10, false}, 30},
    {"WindowsMe", {1, 4, 90, false}, 40},
    {"NineXFamilyLooksAtMinorOnly", {1, 7, 10, false}, 30},
    {"UnknownNineX", {1, 4, 3, false}, 100},
    {"Nt351", {2, 3, 51, true}, 5},
    {"Nt40", {2, 4, 0, true}, 20},
    {"Windows2000", {2, 5, 0, false}, 50},
    {"WindowsXp", {2, 5, 1, true}, 60},
    {"WindowsXpX64", {2, 5, 2, true}, 60},
    {"Server2003", {2, 5, 2, false}, 65},
    {"UnknownNt5", {2, 5, 3, true}, 100},
    {"Vista", {2, 6, 0, true}, 70},
    {"Server2008", {2, 6, 0, false}, 75},
    {"Windows7", {2, 6, 1, true}, 80},
    {"Server2008R2", {2, 6, 1, false}, 75},
    // Without a compatibility manifest Windows 8 and 10 report 6.2.
    {"Windows10AsReported", {2, 6, 2, true}, 100},
    {"Windows10IfItToldTheTruth", {2, 10, 0, true}, 100},
    {"Win32s", {0, 3, 10, false}, 100},
    {"UnknownPlatform", {3, 10, 0, true}, 100},
};

INSTANTIATE_TEST_SUITE_P(Versions, ClassifyOsVersionTest, testing::ValuesIn(kVersionCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OsVersionFamilies, OnlyTheOldSystemsChangeBehaviour) {
    for (int32_t code : {10, 30, 40}) {
        EXPECT_TRUE(IsWin9xFamily(code)) << code;
        EXPECT_FALSE(IsOldNt(code)) << code;
    }
    for (int32_t code : {5, 20}) {
        EXPECT_TRUE(IsOldNt(code)) << code;
        EXPECT_FALSE(IsWin9xFamily(code)) << code;
    }
    for (int32_t code : {0, 50, 60, 65, 70, 75, 80, 100}) {
        EXPECT_FALSE(IsWin9xFamily(code) || IsOldNt(code)) << code;
    }
}

} // namespace
