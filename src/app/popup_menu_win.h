#pragma once

// Creates the popup menu Config / About / Exit, once at start-up.
void BuildPopupMenu();
// Shows the menu at the mouse cursor, owned by the label window; the chosen item arrives later
// as a menu event.
void ShowPopupMenu();
// Frees the menu at shutdown.
void ReleasePopupMenu();
