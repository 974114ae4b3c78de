#include "label/opacity.h"

std::optional<uint8_t> OpacityByte(int32_t percent) {
    if (percent < 0 || percent > 100) {
        return std::nullopt;
    }
    return static_cast<uint8_t>(percent * 255 / 100);
}
