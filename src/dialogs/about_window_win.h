#pragma once

#include <cstdint>

// Opens the About window (closing one already open) and fills it.
void ShowAboutWindow();
// Acts on an event of one of the About window's controls.
void HandleAboutControl(int32_t control);
