#include "dialogs/config_text.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct FontDescriptionCase {
    std::string fontName;
    int32_t fontSize;
    std::string expected;
};

TEST(FontDescription, NamesTheFaceAndTheWholePointSizeAfterOneSpace) {
    const FontDescriptionCase cases[] = {
        {"Arial", 8, " Arial, Size: 8"},
        {"Times New Roman", 12, " Times New Roman, Size: 12"},
        {"", 0, " , Size: 0"},
        {"Arial", -3, " Arial, Size: -3"},
        {"Arial", 100, " Arial, Size: 100"},
        {"Arial", INT32_MIN, " Arial, Size: -2147483648"},
        // Longer than a font's face-name field: shown whole, as stored.
        {std::string(40, 'x'), 8, " " + std::string(40, 'x') + ", Size: 8"},
    };
    for (const FontDescriptionCase& c : cases) {
        Settings settings = DefaultSettings();
        settings.FontName = c.fontName;
        settings.FontSize = c.fontSize;
        EXPECT_EQ(FontDescription(settings), c.expected) << c.fontName << " " << c.fontSize;
    }
}

TEST(FontSizeFromChooser, DropsTheTenthsOfAPoint) {
    const std::pair<int32_t, int32_t> cases[] = {
        {80, 8}, {105, 10}, {109, 10}, {110, 11}, {5, 0}, {0, 0},
    };
    for (const auto& [pointTenths, points] : cases) {
        EXPECT_EQ(FontSizeFromChooser(pointTenths), points) << pointTenths;
    }
}

TEST(OpacityReadOut, OffFromOneHundredUpElseThePercentage) {
    const std::pair<int32_t, const char*> cases[] = {
        {100, "Off"}, {150, "Off"}, {INT32_MAX, "Off"}, {99, "99%"}, {55, "55%"},
        {10, "10%"},  {5, "5%"},    {0, "0%"},          {-5, "-5%"}, {INT32_MIN, "-2147483648%"},
    };
    for (const auto& [transAmount, expected] : cases) {
        EXPECT_EQ(OpacityReadOut(transAmount), expected) << transAmount;
    }
}

} // namespace
