#pragma once

#include <cstdint>
#include <span>

// The About picture as the program holds it: the bytes of the BMP file resources/about.bmp,
// built in at compile time.
std::span<const uint8_t> AboutBmpBytes();

// True when the bytes are a BMP file with exactly the About picture's layout: 157 x 75 pixels
// in 256 colours (128 of them important), bottom-up, uncompressed, 13078 bytes in all, with a
// palette of blue, green, red and a zero byte per entry. The window is laid out around it.
bool ValidateAboutBmp(std::span<const uint8_t> bytes);
