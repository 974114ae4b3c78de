#include "label/label_window_win.h"

#include "label/label_font_win.h"
#include "label/label_text.h"
#include "label/opacity.h"
#include "label/placement.h"
#include "settings/settings.h"
#include "toolkit/toolkit.h"
#include "toolkit/unique_handle.h"
#include "ui_numbers.h"

namespace current {
int32_t WorkAreaBottom = 0;
}

namespace {

// Replaced by a new one on every rebuild, after control 29 has switched to the new one.
UniqueFont g_labelFont;

void CreateLabelWindow(LabelPoint at, int32_t width, int32_t height) {
    toolkit::WindowSpec layout;
    layout.title = ui::kLabelTitle;
    layout.clientWidth = width;
    layout.clientHeight = height;
    layout.style = WS_POPUP;
    layout.position = POINT{at.x, at.y};
    const HWND window = toolkit::OpenWindow(ui::window::kLabel, layout);
    if (window == nullptr) {
        return;
    }
    // Exactly a tool window, set while still hidden: no task-bar button, no Alt+Tab entry.
    SetWindowLongA(window, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    toolkit::ControlSpec text;
    text.kind = toolkit::ControlKind::kStatic;
    text.width = width;
    text.height = height;
    // Created without its text: Wine refuses to create a window whose initial text runs to
    // tens of thousands of characters, yet accepts the same text through SetWindowTextA, which
    // every build sets right after.
    text.text = "";
    // Without SS_NOTIFY the control is transparent to the mouse, so a right-click anywhere on
    // the label reaches the label window. SS_NOPREFIX makes an ampersand show as typed instead
    // of underlining the next letter, so the label draws exactly the text it measured.
    text.style = WS_GROUP | SS_CENTER | SS_NOPREFIX;
    toolkit::CreateControl(ui::window::kLabel, ui::control::kLabelText, text);
    ShowWindow(window, SW_SHOW);
    // The text control covers the whole client area, so the window never paints its own
    // background over the text and resizing does not flicker.
    SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) | WS_CLIPCHILDREN);
}

// Dropping the layered style makes the window fully opaque again.
void MakeOpaque(int window) {
    const HWND handle = toolkit::WindowHandle(window);
    const LONG exStyle = GetWindowLongA(handle, GWL_EXSTYLE);
    if ((exStyle & WS_EX_LAYERED) != 0) {
        SetWindowLongA(handle, GWL_EXSTYLE, exStyle & ~WS_EX_LAYERED);
    }
}

void MoveLabelWindow(LabelPoint at, int32_t width, int32_t height) {
    toolkit::MoveWindowClientArea(ui::window::kLabel, at.x, at.y, width, height);
    toolkit::MoveControl(ui::control::kLabelText, 0, 0, width, height);
}

} // namespace

void BuildLabel() {
    const Settings& settings = current::Settings;
    current::LabelText = ComposeLabelText(settings, current::IdentityFacts);
    const std::string& text = current::LabelText;
    const int32_t width = MeasureTextWidth(settings.FontName, settings.FontSize, text);
    const int32_t height = MeasureTextHeight(text, settings.FontName, settings.FontSize);
    const ScreenSize screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const LabelPoint at =
        PlaceLabel(settings.LabelPos, width, height, screen, current::WorkAreaBottom);

    if (toolkit::WindowHandle(ui::window::kLabel) == nullptr) {
        CreateLabelWindow(at, width, height);
    } else {
        MoveLabelWindow(at, width, height);
    }
    if (settings.TransAmount < 100) {
        ApplyTransparency(ui::window::kLabel, settings.TransAmount);
    } else {
        // Turned back up to 100 while running: the preview must not keep showing a
        // translucency the user has switched off.
        MakeOpaque(ui::window::kLabel);
    }

    UniqueFont font(CreateLabelFont(settings.FontName, settings.FontSize));
    toolkit::SetControlFont(ui::control::kLabelText, font.get());
    g_labelFont = std::move(font);
    toolkit::SetControlText(ui::control::kLabelText, text);

    if (IsColorChosen(settings.FontColor)) {
        toolkit::SetControlTextColor(ui::control::kLabelText,
                                     static_cast<COLORREF>(settings.FontColor));
    }
    if (IsColorChosen(settings.BackColor)) {
        toolkit::SetControlBackColor(ui::control::kLabelText,
                                     static_cast<COLORREF>(settings.BackColor));
    }
}

void ApplyTransparency(int window, int32_t percent) {
    const std::optional<uint8_t> alpha = OpacityByte(percent);
    if (!alpha) {
        return;
    }
    // Looked up by name: Windows 95, 98, ME and NT 4.0 have no layered windows, and the
    // program must still start there with an opaque label.
    const UniqueLibrary user32(LoadLibraryA("user32.dll"));
    if (!user32) {
        return;
    }
    using SetLayeredWindowAttributesFunction = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    const auto setLayeredWindowAttributes = reinterpret_cast<SetLayeredWindowAttributesFunction>(
        reinterpret_cast<void*>(GetProcAddress(user32.get(), "SetLayeredWindowAttributes")));
    if (setLayeredWindowAttributes == nullptr) {
        return;
    }
    const HWND handle = toolkit::WindowHandle(window);
    SetWindowLongA(handle, GWL_EXSTYLE, GetWindowLongA(handle, GWL_EXSTYLE) | WS_EX_LAYERED);
    setLayeredWindowAttributes(handle, 0, *alpha, LWA_ALPHA);
}

void ReleaseLabelResources() {
    g_labelFont.reset();
    ReleaseMeasuringFont();
}
