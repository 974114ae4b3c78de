#pragma once

#include "settings/settings.h"

#include <cstdint>
#include <string>

// The Configuration window's description of the label font: " Arial, Size: 8" for the
// defaults.
std::string FontDescription(const Settings& settings);

// The label's whole-point font size from the font chooser's size in tenths of a point, the
// fraction dropped: 10.5 points give 10.
int32_t FontSizeFromChooser(int32_t pointTenths);

// The Configuration window's opacity read-out: "Off" from 100 percent up, else "55%".
std::string OpacityReadOut(int32_t transAmount);
