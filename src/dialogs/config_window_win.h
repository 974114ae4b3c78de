#pragma once

#include <cstdint>

// Opens the Configuration window (closing one already open) and sets every control from the
// settings.
void ShowConfigWindow();
// Acts on an event of one of the Configuration window's controls.
void HandleConfigControl(int32_t control, int32_t type);
