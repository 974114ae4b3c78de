#pragma once

#include <cstdint>
#include <optional>

// The alpha byte for an opacity in percent (percent x 255 / 100, truncating); nothing for a
// percent outside 0 to 100, which leaves the window as it is.
std::optional<uint8_t> OpacityByte(int32_t percent);
