#include "dialogs/config_window_win.h"

// The Configuration window is not built yet: the menu command reaches here and does nothing.
void ShowConfigWindow() {}

void HandleConfigControl(int32_t, int32_t) {}
