#pragma once

#include "toolkit/event.h"

#include <cstdint>

// Runs the polling main loop until the quit flag is set.
void RunMainLoop();

// Acts on one polled event; sets quit when the event asks the program to end.
void DispatchEvent(const Event& event, bool& quit);

// Reads the desktop work area and returns its bottom edge; when the read fails the last
// reading stands (all zero before the first).
int32_t ReadWorkAreaBottom();
// The work-area check that follows every dispatch: rebuilds the label when the bottom edge of
// the work area has moved since it was last acted upon.
void FollowWorkArea();
