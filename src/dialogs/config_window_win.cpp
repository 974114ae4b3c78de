#include "dialogs/config_window_win.h"

#include "dialogs/choosers_win.h"
#include "dialogs/config_text.h"
#include "label/label_window_win.h"
#include "settings/os_version.h"
#include "settings/settings.h"
#include "settings/settings_store_win.h"
#include "toolkit/event.h"
#include "toolkit/modal_win.h"
#include "toolkit/toolkit.h"
#include "ui_numbers.h"

#include <windows.h>
#include <commctrl.h>

namespace {

namespace control = ui::control;
using toolkit::ControlKind;

// WS_GROUP on every control but the track bar and the option buttons after the first, so the
// four option buttons form one group that the push button created after them ends.
constexpr DWORD kFrame = BS_GROUPBOX | WS_GROUP;
constexpr DWORD kStaticText = SS_LEFT | WS_GROUP;
constexpr DWORD kCheckBox = BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP;
constexpr DWORD kFirstOption = BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP;
constexpr DWORD kOption = BS_AUTORADIOBUTTON | WS_TABSTOP;
constexpr DWORD kPushButton = BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP;
constexpr DWORD kSingleLineEdit = ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP;
constexpr DWORD kTrackBar = TBS_HORZ | WS_TABSTOP;

struct ConfigControl {
    int number;
    ControlKind kind;
    int x;
    int y;
    int width;
    int height;
    const char* text;
    DWORD style;
    DWORD exStyle;
};

// In creation order, which is also the Tab order.
constexpr ConfigControl kControls[] = {
    {control::kInformationFrame, ControlKind::kButton, 20, 35, 135, 145,
     "Information to view:", kFrame, 0},
    {control::kOptionsFrame, ControlKind::kButton, 10, 10, 275, 281, "Label options", kFrame, 0},
    {control::kShowComputerName, ControlKind::kButton, 25, 57, 110, 15, "Computer name", kCheckBox,
     0},
    {control::kShowDomainName, ControlKind::kButton, 25, 76, 110, 15, "Domain name", kCheckBox, 0},
    {control::kShowUserID, ControlKind::kButton, 25, 95, 110, 15, "Users logon ID", kCheckBox, 0},
    {control::kShowIP, ControlKind::kButton, 25, 114, 110, 15, "Primary IP address", kCheckBox, 0},
    {control::kTransparency, ControlKind::kTrackBar, 160, 147, 91, 20, "", kTrackBar, 0},
    {control::kTransparencyCaption, ControlKind::kStatic, 165, 127, 113, 15,
     "Transparency:", kStaticText, 0},
    {control::kTransparencyReadOut, ControlKind::kStatic, 250, 145, 20, 15, "99%", kStaticText, 0},
    {control::kBackColor, ControlKind::kButton, 20, 190, 110, 20, "&Background color:", kPushButton,
     0},
    {control::kFreeTextCaption, ControlKind::kStatic, 25, 139, 125, 15,
     "Text (added first on label)", kStaticText, 0},
    {control::kFreeText, ControlKind::kEdit, 27, 154, 116, 17, "", kSingleLineEdit,
     WS_EX_CLIENTEDGE},
    {control::kAutoStart, ControlKind::kButton, 20, 260, 165, 15, "Start Lumatag with Windows",
     kCheckBox, 0},
    {control::kCornerCaption, ControlKind::kStatic, 165, 38, 85, 15,
     "Screen position:", kStaticText, 0},
    {control::kBackColorSample, ControlKind::kStatic, 140, 190, 130, 20, "", kStaticText, 0},
    {control::kCornerFrame, ControlKind::kButton, 165, 50, 96, 60, "", kFrame, 0},
    {control::kCornerTopLeft, ControlKind::kButton, 171, 58, 15, 15, "", kFirstOption, 0},
    {control::kCornerBottomLeft, ControlKind::kButton, 171, 89, 15, 15, "", kOption, 0},
    {control::kCornerTopRight, ControlKind::kButton, 244, 58, 15, 15, "", kOption, 0},
    {control::kCornerBottomRight, ControlKind::kButton, 244, 90, 15, 15, "", kOption, 0},
    {control::kConfigClose, ControlKind::kButton, 125, 305, 60, 25, "&Close", kPushButton, 0},
    {control::kFont, ControlKind::kButton, 20, 220, 40, 20, "&Font", kPushButton, 0},
    {control::kFontDescription, ControlKind::kStatic, 70, 220, 200, 18, "", kStaticText,
     WS_EX_CLIENTEDGE},
};

constexpr int kTransparencyMinimum = 10;
constexpr int kTransparencyMaximum = 100;

// The option buttons sit in the frame's corners, so their order differs from LabelPos's.
int OptionForCorner(int32_t labelPos) {
    switch (labelPos) {
    case kTopLeft:
        return control::kCornerTopLeft;
    case kTopRight:
        return control::kCornerTopRight;
    case kBottomLeft:
        return control::kCornerBottomLeft;
    case kBottomRight:
        return control::kCornerBottomRight;
    default:
        return 0;
    }
}

void ShowOpenFailure() {
    const toolkit::ModalDialogScope modal;
    MessageBoxA(modal.owner(), "could not open config window", "error", MB_OK);
}

void CreateConfigControls() {
    for (const ConfigControl& item : kControls) {
        toolkit::CreateControl(ui::window::kConfig, item.number,
                               toolkit::ControlLayout(item.kind, item.x, item.y, item.width,
                                                      item.height, item.text, item.style,
                                                      item.exStyle));
        toolkit::SetControlGuiFont(item.number);
        if (item.kind == ControlKind::kTrackBar) {
            toolkit::SetTrackBarRange(item.number, kTransparencyMinimum, kTransparencyMaximum);
        }
    }
}

// Transparency needs layered windows, which Windows 95, 98, ME and NT 3.x and 4.0 lack; the
// 95, 98 and ME family has no logon domain and user of its own to show either.
void DisableWhatTheSystemLacks(int32_t osVersionCode) {
    if (IsWin9xFamily(osVersionCode)) {
        for (const int number :
             {control::kTransparency, control::kTransparencyCaption, control::kTransparencyReadOut,
              control::kShowDomainName, control::kShowUserID}) {
            toolkit::EnableControl(number, false);
        }
    } else if (IsOldNt(osVersionCode)) {
        for (const int number : {control::kTransparency, control::kTransparencyCaption,
                                 control::kTransparencyReadOut}) {
            toolkit::EnableControl(number, false);
        }
    }
}

// -1, the value of a colour never chosen, opens a chooser on black.
COLORREF ChooserStartColor(int32_t color) {
    return color == -1 ? COLORREF{0} : static_cast<COLORREF>(color);
}

void ChooseBackColor() {
    Settings& settings = current::Settings;
    const std::optional<COLORREF> chosen = RunColorChooser(ChooserStartColor(settings.BackColor));
    if (!chosen) {
        return;
    }
    const int32_t color = ColorFromChooser(*chosen);
    toolkit::SetControlBackColor(control::kBackColorSample, static_cast<COLORREF>(color));
    settings.BackColor = color;
}

void ChooseLabelFont() {
    Settings& settings = current::Settings;
    const std::optional<FontChoice> chosen =
        RunFontChooser(settings.FontName, settings.FontSize, ChooserStartColor(settings.FontColor));
    if (!chosen) {
        return;
    }
    // Style and effects are not kept: the label is always regular and upright.
    settings.FontName = chosen->faceName;
    settings.FontSize = FontSizeFromChooser(chosen->pointTenths);
    settings.FontColor = ColorFromChooser(chosen->color);
    toolkit::SetControlText(control::kFontDescription, FontDescription(settings));
    toolkit::SetControlTextColor(control::kFontDescription,
                                 static_cast<COLORREF>(settings.FontColor));
}

void CloseConfigWindow() {
    ApplyConfig();
    SaveSettings();
    toolkit::CloseWindow(ui::window::kConfig);
}

} // namespace

void OpenConfigWindow() {
    toolkit::WindowSpec layout;
    layout.title = "Lumatag Configuration";
    layout.clientWidth = 295;
    layout.clientHeight = 345;
    layout.style = WS_CAPTION;
    if (toolkit::OpenWindow(ui::window::kConfig, layout) == nullptr) {
        ShowOpenFailure();
        return;
    }
    // Shown and activated before its controls exist, so activation gives the keyboard focus
    // to the window itself and no control has it; nothing is drawn before the dispatch ends.
    toolkit::ShowWindowByNumber(ui::window::kConfig, SW_SHOWNORMAL);
    CreateConfigControls();
}

void ShowConfigWindow() {
    OpenConfigWindow();
    // When the window could not be opened, every step below addresses missing controls and
    // does nothing.
    const Settings& settings = current::Settings;
    toolkit::SetTrackBarPosition(control::kTransparency, settings.TransAmount);
    toolkit::SetControlText(control::kFreeText, settings.AddToDisplay);
    toolkit::SetControlState(control::kAutoStart, settings.AutoStart);
    toolkit::SetControlState(control::kShowComputerName, settings.ShowComputerName);
    toolkit::SetControlState(control::kShowDomainName, settings.ShowDomainName);
    toolkit::SetControlState(control::kShowUserID, settings.ShowUserID);
    toolkit::SetControlState(control::kShowIP, settings.ShowIP);
    toolkit::SetControlText(control::kFontDescription, FontDescription(settings));
    if (IsColorChosen(settings.FontColor)) {
        toolkit::SetControlTextColor(control::kFontDescription,
                                     static_cast<COLORREF>(settings.FontColor));
    }
    if (IsColorChosen(settings.BackColor)) {
        toolkit::SetControlBackColor(control::kBackColorSample,
                                     static_cast<COLORREF>(settings.BackColor));
    }
    if (const int option = OptionForCorner(settings.LabelPos); option != 0) {
        toolkit::SetControlState(option, 1);
    }
    DisableWhatTheSystemLacks(current::OsVersionCode);
    toolkit::SetControlText(control::kTransparencyReadOut, OpacityReadOut(settings.TransAmount));
}

void HandleConfigControl(int32_t number, int32_t type) {
    Settings& settings = current::Settings;
    switch (number) {
    case control::kShowComputerName:
        settings.ShowComputerName = toolkit::ControlState(number);
        break;
    case control::kShowDomainName:
        settings.ShowDomainName = toolkit::ControlState(number);
        break;
    case control::kShowUserID:
        settings.ShowUserID = toolkit::ControlState(number);
        break;
    case control::kShowIP:
        settings.ShowIP = toolkit::ControlState(number);
        break;
    case control::kTransparency:
        settings.TransAmount = toolkit::TrackBarPosition(number);
        toolkit::SetControlText(control::kTransparencyReadOut,
                                OpacityReadOut(settings.TransAmount));
        break;
    case control::kFreeText:
        // Typing changes nothing until the edit lets go of the keyboard focus.
        if (type != event_type::kFocusLost) {
            return;
        }
        settings.AddToDisplay = toolkit::ControlText(number);
        break;
    case control::kCornerTopLeft:
        settings.LabelPos = kTopLeft;
        break;
    case control::kCornerBottomLeft:
        settings.LabelPos = kBottomLeft;
        break;
    case control::kCornerTopRight:
        settings.LabelPos = kTopRight;
        break;
    case control::kCornerBottomRight:
        settings.LabelPos = kBottomRight;
        break;
    case control::kBackColor:
        ChooseBackColor();
        break;
    case control::kFont:
        ChooseLabelFont();
        break;
    case control::kConfigClose:
        // ApplyConfig rebuilds the label itself.
        CloseConfigWindow();
        return;
    default:
        return;
    }
    BuildLabel();
}

void ApplyConfig() {
    Settings& settings = current::Settings;
    settings.ShowComputerName = toolkit::ControlState(control::kShowComputerName);
    settings.ShowDomainName = toolkit::ControlState(control::kShowDomainName);
    settings.ShowUserID = toolkit::ControlState(control::kShowUserID);
    settings.ShowIP = toolkit::ControlState(control::kShowIP);
    settings.AutoStart = toolkit::ControlState(control::kAutoStart);
    settings.AddToDisplay = toolkit::ControlText(control::kFreeText);
    // Written or removed at every Close, whether the box changed or not.
    SetAutoStart(settings.AutoStart == 1);
    if (settings.TransAmount < 100) {
        ApplyTransparency(ui::window::kLabel, settings.TransAmount);
    }
    BuildLabel();
}
