#include "dialogs/about_window_win.h"

// The About window is not built yet: the menu command reaches here and does nothing.
void ShowAboutWindow() {}

void HandleAboutControl(int32_t) {}
