#pragma once

#include <cstdint>

struct LabelPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const LabelPoint&) const = default;
};

struct ScreenSize {
    int32_t width = 0;
    int32_t height = 0;
};

// Top-left corner of a label of width x height for the corner in labelPos. Only the bottom
// edge follows the work area; nothing is clamped, so an oversized label gets a negative x
// and an unknown corner puts the label just beyond the screen's bottom-right corner.
LabelPoint PlaceLabel(int32_t labelPos, int32_t width, int32_t height, ScreenSize screen,
                      int32_t workAreaBottom);
