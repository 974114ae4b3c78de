#include "label/opacity.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

namespace {

TEST(Settings, ZeroAndEmptyUntilLoadedThenTheDocumentedDefaults) {
    const Settings unloaded;
    EXPECT_EQ(unloaded.TransAmount, 0);
    EXPECT_EQ(unloaded.FontName, "");
    const Settings defaults = DefaultSettings();
    EXPECT_EQ(defaults.TransAmount, 100);
    EXPECT_EQ(defaults.AutoStart, 0);
    EXPECT_EQ(defaults.LabelPos, 4);
    EXPECT_EQ(defaults.ShowComputerName, 1);
    EXPECT_EQ(defaults.ShowDomainName, 0);
    EXPECT_EQ(defaults.ShowUserID, 0);
    EXPECT_EQ(defaults.ShowIP, 0);
    EXPECT_EQ(defaults.AddToDisplay, "");
    EXPECT_EQ(defaults.FontName, "Arial");
    EXPECT_EQ(defaults.FontSize, 8);
    EXPECT_EQ(defaults.FontColor, -1);
    EXPECT_EQ(defaults.BackColor, -1);
}

TEST(Colors, ZeroAndBelowMeanNoneChosenAndChosenBlackIsKeptAsAlmostBlack) {
    EXPECT_FALSE(IsColorChosen(-1));
    EXPECT_FALSE(IsColorChosen(0));
    EXPECT_FALSE(IsColorChosen(INT32_MIN));
    EXPECT_TRUE(IsColorChosen(1));
    EXPECT_TRUE(IsColorChosen(0x00FFFFFF));
    EXPECT_EQ(ColorFromChooser(0), 65536);
    EXPECT_EQ(ColorFromChooser(0x000000FF), 0x000000FF);
    EXPECT_EQ(ColorFromChooser(0x00123456), 0x00123456);
    EXPECT_TRUE(IsColorChosen(ColorFromChooser(0)));
}

TEST(Opacity, PercentTimes255Over100Truncated) {
    const std::pair<int32_t, int> table[] = {{0, 0},     {10, 25},  {25, 63},  {50, 127},
                                             {75, 191},  {90, 229}, {99, 252}, {100, 255}};
    for (const auto& [percent, alpha] : table) {
        ASSERT_TRUE(OpacityByte(percent).has_value()) << percent;
        EXPECT_EQ(*OpacityByte(percent), alpha) << percent;
    }
}

TEST(Opacity, OutOfRangeLeavesTheWindowAlone) {
    for (int32_t percent : {-1, 101, 150, INT32_MIN, INT32_MAX}) {
        EXPECT_FALSE(OpacityByte(percent).has_value()) << percent;
    }
}

} // namespace
