#include "label/placement.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

constexpr ScreenSize kScreen{1280, 1024};
constexpr int32_t kWorkAreaBottom = 984; // a 40-pixel task bar at the bottom

struct PlacementCase {
    const char* name;
    int32_t labelPos;
    int32_t width;
    int32_t height;
    int32_t workAreaBottom;
    LabelPoint expected;
};

class PlaceLabelTest : public testing::TestWithParam<PlacementCase> {};

TEST_P(PlaceLabelTest, PutsTheLabelInItsCorner) {
    const PlacementCase& c = GetParam();
    EXPECT_EQ(PlaceLabel(c.labelPos, c.width, c.height, kScreen, c.workAreaBottom), c.expected);
}

const PlacementCase kPlacementCases[] = {
    {"TopLeft", 1, 60, 14, kWorkAreaBottom, {0, 0}},
    {"TopRight", 2, 60, 14, kWorkAreaBottom, {1220, 0}},
    {"BottomLeftSitsOnTheWorkArea", 3, 60, 14, kWorkAreaBottom, {0, 970}},
    {"BottomRightSitsOnTheWorkArea", 4, 60, 14, kWorkAreaBottom, {1220, 970}},
    // A task bar at the top leaves the work area's bottom at the screen's bottom.
    {"BottomRightWithTaskBarOnTop", 4, 60, 14, 1024, {1220, 1010}},
    {"TopRightIgnoresTheWorkArea", 2, 60, 14, 500, {1220, 0}},
    {"CornerZeroIsOutOfSight", 0, 60, 14, kWorkAreaBottom, {1280, 1024}},
    {"CornerFiveIsOutOfSight", 5, 60, 14, kWorkAreaBottom, {1280, 1024}},
    {"NegativeCornerIsOutOfSight", -1, 60, 14, kWorkAreaBottom, {1280, 1024}},
    {"WiderThanTheScreenGoesNegative", 4, 2000, 14, kWorkAreaBottom, {-720, 970}},
    {"WiderThanTheScreenOnTheLeftStaysAtZero", 1, 2000, 14, kWorkAreaBottom, {0, 0}},
    {"ZeroSizedLabel", 4, 0, 0, kWorkAreaBottom, {1280, 984}},
    // A size no 32-bit subtraction can hold stays at the limit instead of wrapping around.
    {"HugeSizeDoesNotWrap", 4, INT_MAX, INT_MAX, -10, {1280 - INT_MAX, INT_MIN}},
};

INSTANTIATE_TEST_SUITE_P(Corners, PlaceLabelTest, testing::ValuesIn(kPlacementCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
