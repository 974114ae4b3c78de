#include "dialogs/about_window_win.h"

#include "dialogs/about_image.h"
#include "dialogs/about_text.h"
#include "toolkit/system_win.h"
#include "toolkit/toolkit.h"
#include "ui_numbers.h"

#include <shellapi.h>

namespace {

constexpr int kLinkFontPoints = 10;

void AddControls() {
    using toolkit::ControlKind;
    using toolkit::ControlLayout;
    using namespace ui::control;

    toolkit::CreateControl(
        ui::window::kAbout, kAboutClose,
        ControlLayout(ControlKind::kButton, 80, 205, 60, 20, "Close", BS_PUSHBUTTON | WS_TABSTOP));

    // Given the picture at creation, the control resizes itself to it plus its sunken edge.
    // Without the picture (it failed to decode) it keeps this size and shows nothing.
    toolkit::ControlSpec picture =
        ControlLayout(ControlKind::kImage, 25, 5, 157, 75, "", SS_NOTIFY, WS_EX_CLIENTEDGE);
    picture.image = ui::image::kAbout;
    toolkit::CreateControl(ui::window::kAbout, kAboutImage, picture);

    toolkit::CreateControl(ui::window::kAbout, kAboutText,
                           ControlLayout(ControlKind::kStatic, 5, 90, 204, 85, "", SS_CENTER));

    toolkit::ControlSpec link =
        ControlLayout(ControlKind::kLink, 65, 176, 200, 15, "Lumatag website", 0);
    link.linkColor = RGB(0, 0, 0); // hovering changes nothing visible
    toolkit::CreateControl(ui::window::kAbout, kAboutLink, link);

    for (const int control : {kAboutClose, kAboutImage, kAboutText, kAboutLink}) {
        toolkit::SetControlGuiFont(control);
    }
}

} // namespace

void DecodeAboutImage() {
    // The window is laid out around this exact picture; bytes of any other shape leave image 1
    // absent, which the window handles as a picture that failed to decode.
    if (ValidateAboutBmp(AboutBmpBytes())) {
        toolkit::LoadBmpImage(ui::image::kAbout, AboutBmpBytes());
    }
}

HWND OpenAboutWindow() {
    toolkit::WindowSpec layout;
    layout.title = "About v1.2.1";
    layout.clientWidth = 218;
    layout.clientHeight = 233;
    // A title bar alone: no system menu, so no close box; the Close button closes it.
    layout.style = WS_CAPTION;
    const HWND window = toolkit::OpenWindow(ui::window::kAbout, layout);
    if (window == nullptr) {
        return nullptr;
    }
    AddControls();
    toolkit::ShowWindowByNumber(ui::window::kAbout, SW_SHOWNORMAL);
    return window;
}

void ShowAboutWindow() {
    OpenAboutWindow();
    // The new window paints while these are taken; whatever else was pending is dropped.
    while (toolkit::Poll().code != event_code::kNone) {
    }
    toolkit::SetControlText(ui::control::kAboutText, current::AboutText);
    // Made anew by every About command; MakeFont deletes the one before, whose window
    // OpenAboutWindow has already closed.
    if (const HFONT font = toolkit::MakeFont(ui::font::kAboutLink, "Arial", kLinkFontPoints,
                                             toolkit::font_style::kUnderline)) {
        toolkit::SetControlFont(ui::control::kAboutLink, font);
    }
}

void HandleAboutControl(int32_t control) {
    switch (control) {
    case ui::control::kAboutClose:
        toolkit::CloseWindow(ui::window::kAbout);
        break;
    case ui::control::kAboutLink:
        // Empty strings, not null, for the parameters and the directory; the system opens the
        // address in the user's default browser, and the window stays open.
        if (const auto shellExecute =
                toolkit::SystemFunction<decltype(ShellExecuteA)>("shell32.dll", "ShellExecuteA")) {
            shellExecute(nullptr, "open", ProductWebPageAddress().c_str(), "", "", SW_SHOWNORMAL);
        }
        break;
    default:
        break;
    }
}
