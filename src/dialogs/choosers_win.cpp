#include "dialogs/choosers_win.h"

#include "label/label_font_win.h"
#include "toolkit/modal_win.h"
#include "toolkit/toolkit.h"
#include "toolkit/system_win.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// The colours the user defines in the chooser are kept until the program ends.
std::array<COLORREF, 16> g_customColors{};

} // namespace

std::optional<COLORREF> RunColorChooser(COLORREF initial) {
    g_customColors[0] = initial;
    CHOOSECOLORA chooser{};
    chooser.lStructSize = sizeof(chooser);
    chooser.rgbResult = initial;
    chooser.lpCustColors = g_customColors.data();
    chooser.Flags = CC_RGBINIT;
    const toolkit::ModalDialogScope modal;
    chooser.hwndOwner = modal.owner();
    const auto chooseColor =
        toolkit::SystemFunction<decltype(ChooseColorA)>("comdlg32.dll", "ChooseColorA");
    if (chooseColor == nullptr || !chooseColor(&chooser)) {
        return std::nullopt;
    }
    return chooser.rgbResult;
}

LOGFONTA FontChooserStartFont(const std::string& faceName, int32_t points) {
    LOGFONTA font{};
    if (points != 0) {
        font.lfHeight = toolkit::FontHeightForPoints(points);
    }
    font.lfWeight = FW_NORMAL;
    // lfFaceName holds 31 characters and the terminating zero; the rest of a longer name is
    // left out, and the zero-initialised array ends it.
    const size_t length = std::min(faceName.size(), sizeof(font.lfFaceName) - 1);
    std::memcpy(font.lfFaceName, faceName.data(), length);
    return font;
}

std::optional<FontChoice> RunFontChooser(const std::string& faceName, int32_t points,
                                         COLORREF initialColor) {
    LOGFONTA font = FontChooserStartFont(faceName, points);
    CHOOSEFONTA chooser{};
    chooser.lStructSize = sizeof(chooser);
    chooser.hDC = nullptr;
    chooser.lpLogFont = &font;
    chooser.Flags = CF_SCREENFONTS | CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
    chooser.rgbColors = initialColor;
    const toolkit::ModalDialogScope modal;
    chooser.hwndOwner = modal.owner();
    const auto chooseFont =
        toolkit::SystemFunction<decltype(ChooseFontA)>("comdlg32.dll", "ChooseFontA");
    if (chooseFont == nullptr || !chooseFont(&chooser)) {
        return std::nullopt;
    }
    FontChoice choice;
    choice.faceName.assign(font.lfFaceName, strnlen(font.lfFaceName, sizeof(font.lfFaceName)));
    choice.pointTenths = chooser.iPointSize;
    choice.color = chooser.rgbColors;
    return choice;
}
