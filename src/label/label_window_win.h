#pragma once

#include <cstdint>

// Brings the label up to date with the settings, the identity facts and the work area:
// composes, measures and places it, creating the label window on the first call.
void BuildLabel();

// Makes a window uniformly translucent, percent 0 to 100; does nothing outside that range or
// where the system has no layered windows.
void ApplyTransparency(int window, int32_t percent);

// Frees the label's font and the measuring font; the label window itself goes with the
// toolkit's windows.
void ReleaseLabelResources();

namespace current {
// The bottom edge of the desktop work area as last acted upon; the bottom corners sit on it.
extern int32_t WorkAreaBottom;
} // namespace current
