#include "app/popup_menu_win.h"

#include "toolkit/toolkit.h"
#include "toolkit/unique_handle.h"
#include "ui_numbers.h"

#include <windows.h>

namespace {

UniqueMenu g_popupMenu;

} // namespace

void BuildPopupMenu() {
    g_popupMenu.reset(CreatePopupMenu());
    if (!g_popupMenu) {
        return;
    }
    const HMENU menu = g_popupMenu.get();
    AppendMenuA(menu, MF_STRING, ui::menu_item::kConfig, "Config");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, ui::menu_item::kAbout, "About");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, ui::menu_item::kExit, "Exit");
}

void ShowPopupMenu() {
    if (!g_popupMenu) {
        return;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    // One pixel up and left, so the pointer rests inside the menu's first item.
    cursor.x -= 1;
    cursor.y -= 1;
    // The label owns the menu whichever window was clicked; bringing the owner to the
    // foreground first lets the menu close when the user clicks elsewhere.
    const HWND owner = toolkit::WindowHandle(ui::window::kLabel);
    SetForegroundWindow(owner);
    TrackPopupMenu(g_popupMenu.get(), TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, owner, nullptr);
}

void ReleasePopupMenu() { g_popupMenu.reset(); }
