#include "app/main_loop_win.h"

#include "app/popup_menu_win.h"
#include "dialogs/about_window_win.h"
#include "dialogs/config_window_win.h"
#include "label/label_window_win.h"
#include "toolkit/toolkit.h"
#include "ui_numbers.h"

#include <windows.h>
#include <mmsystem.h>

namespace {

// The work area as last read; a failed read leaves it as it was, so no rebuild follows.
RECT g_workArea{};

// The loop never blocks, so each pass rests for one tick. The timer resolution is raised only
// for the length of the pause, so the program does not keep the whole system's timer fast.
void PauseOneMillisecond() {
    timeBeginPeriod(1);
    Sleep(1);
    timeEndPeriod(1);
}

void RunMenuCommand(int item, bool& quit) {
    switch (item) {
    case ui::menu_item::kConfig:
        ShowConfigWindow();
        break;
    case ui::menu_item::kAbout:
        ShowAboutWindow();
        break;
    case ui::menu_item::kExit:
        quit = true;
        break;
    default:
        break;
    }
}

// Control numbers are unique across the windows, so the number alone says whose control it is.
void RouteControlEvent(const Event& event) {
    using namespace ui::control;
    switch (event.control) {
    case kShowComputerName:
    case kShowDomainName:
    case kShowUserID:
    case kShowIP:
    case kTransparency:
    case kFreeText:
    case kCornerTopLeft:
    case kCornerBottomLeft:
    case kCornerTopRight:
    case kCornerBottomRight:
    case kConfigClose:
    case kFont:
    case kBackColor:
        HandleConfigControl(event.control, event.type);
        break;
    case kAboutClose:
    case kAboutLink:
        HandleAboutControl(event.control);
        break;
    default:
        break;
    }
}

} // namespace

int32_t ReadWorkAreaBottom() {
    RECT area{};
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) {
        g_workArea = area;
    }
    return g_workArea.bottom;
}

void FollowWorkArea() {
    const int32_t bottom = ReadWorkAreaBottom();
    if (bottom != current::WorkAreaBottom) {
        current::WorkAreaBottom = bottom;
        BuildLabel();
    }
}

void DispatchEvent(const Event& event, bool& quit) {
    switch (event.code) {
    case event_code::kRightButton:
        ShowPopupMenu();
        break;
    case event_code::kClose:
        // Only the label's close request ends the program; the dialogs close by their buttons.
        if (event.window == ui::window::kLabel) {
            quit = true;
        }
        break;
    case event_code::kMenu:
        RunMenuCommand(event.item, quit);
        break;
    case event_code::kControl:
        RouteControlEvent(event);
        break;
    default:
        break;
    }
}

void RunMainLoop() {
    bool quit = false;
    while (true) {
        const Event event = toolkit::Poll();
        DispatchEvent(event, quit);
        FollowWorkArea();
        PauseOneMillisecond();
        if (quit) {
            break;
        }
    }
}
