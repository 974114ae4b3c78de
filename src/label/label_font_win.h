#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// The label's font and both measuring fonts: regular weight, upright, no effects, the face
// given (the system's font mapper substitutes a face that is not installed). The caller owns
// the result.
HFONT CreateLabelFont(const std::string& faceName, int32_t points);

// The label text's width in pixels in that font, every character counted.
int32_t MeasureTextWidth(const std::string& faceName, int32_t points, const std::string& text);
// The label text's height in pixels in that font, measured through a static control as the
// label's own control would see the font.
int32_t MeasureTextHeight(const std::string& text, const std::string& faceName, int32_t points);
// Frees the font that the last height measurement left loaded.
void ReleaseMeasuringFont();
