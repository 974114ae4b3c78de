#pragma once

#include <cstdint>

// Opens the Configuration window (closing one already open) with its controls, unset; tells
// the user when the window cannot be created.
void OpenConfigWindow();
// Opens the Configuration window and sets every control from the settings.
void ShowConfigWindow();
// Acts on an event of one of the Configuration window's controls.
void HandleConfigControl(int32_t control, int32_t type);
// Copies the control states that no handler stored into the settings, updates the start with
// Windows and rebuilds the label. Run by the Close button.
void ApplyConfig();
