#include "label/placement.h"

#include "settings/settings.h"

LabelPoint PlaceLabel(int32_t labelPos, int32_t width, int32_t height, ScreenSize screen,
                      int32_t workAreaBottom) {
    // Widened arithmetic: a hand-edited font size can make the measured size enormous, and
    // wrapping would move the label somewhere arbitrary instead of off the edge.
    auto clamp = [](int64_t value) {
        if (value < INT32_MIN) {
            return INT32_MIN;
        }
        if (value > INT32_MAX) {
            return INT32_MAX;
        }
        return static_cast<int32_t>(value);
    };
    const int32_t right = clamp(int64_t{screen.width} - width);
    const int32_t bottom = clamp(int64_t{workAreaBottom} - height);
    switch (labelPos) {
    case kTopLeft:
        return {0, 0};
    case kTopRight:
        return {right, 0};
    case kBottomLeft:
        return {0, bottom};
    case kBottomRight:
        return {right, bottom};
    default:
        return {screen.width, screen.height};
    }
}
