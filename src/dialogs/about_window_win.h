#pragma once

#include <windows.h>

#include <cstdint>

// Decodes the About picture the program holds as image number 1 (AboutImage), once at start-up.
void DecodeAboutImage();

// Creates the About window (window 2) with its four controls and shows it; a window already
// open under that number is closed first. Returns its handle, or null when it cannot be made.
HWND OpenAboutWindow();
// Opens the About window (closing one already open) and fills it.
void ShowAboutWindow();
// Acts on an event of one of the About window's controls.
void HandleAboutControl(int32_t control);
