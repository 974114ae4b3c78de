#pragma once

#include "toolkit/event.h"

#include <windows.h>

// The seams between the toolkit's own source files; nothing outside src/toolkit uses them.
namespace toolkit::internal {

// Queues an event the toolkit raises itself, for a later poll (toolkit_win.cpp).
void QueueToolkitEvent(const Event& event);

// Makes a freshly created "Static" control behave as a hyperlink (link_control_win.cpp).
void MakeLink(HWND control, int number, COLORREF linkColor);

// Free every image and every font the toolkit holds (images_win.cpp, fonts_win.cpp).
void FreeImages();
void FreeFonts();

} // namespace toolkit::internal
