#include "toolkit/toolkit.h"

#include "toolkit/toolkit_internal_win.h"
#include "toolkit/unique_handle.h"

#include <map>

namespace toolkit {
namespace {

// The fonts by number; each lives until replaced under its number or until Shutdown.
std::map<int, UniqueFont>& Fonts() {
    static std::map<int, UniqueFont> fonts;
    return fonts;
}

BOOL Has(unsigned styleFlags, unsigned flag) {
    return (styleFlags & flag) != 0 ? TRUE : FALSE;
}

} // namespace

int FontHeightForPoints(int points) {
    int pixelsPerInch = 0;
    const UniqueMemoryDc display(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
    if (display) {
        pixelsPerInch = GetDeviceCaps(display.get(), LOGPIXELSY);
    }
    return -MulDiv(points, pixelsPerInch, 72);
}

HFONT MakeFont(int number, const std::string& faceName, int points, unsigned styleFlags) {
    UniqueFont font(CreateFontA(
        FontHeightForPoints(points), 0, 0, 0,
        Has(styleFlags, font_style::kBold) ? FW_BOLD : FW_NORMAL,
        Has(styleFlags, font_style::kItalic), Has(styleFlags, font_style::kUnderline),
        Has(styleFlags, font_style::kStrikeOut), DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, faceName.c_str()));
    auto& fonts = Fonts();
    const HFONT handle = font.get();
    // The font made before under this number goes either way, only after its successor exists.
    if (font) {
        fonts[number] = std::move(font);
    } else {
        fonts.erase(number);
    }
    return handle;
}

HFONT FontHandle(int number) {
    const auto& fonts = Fonts();
    const auto found = fonts.find(number);
    return found == fonts.end() ? nullptr : found->second.get();
}

namespace internal {
void FreeFonts() {
    Fonts().clear();
}
} // namespace internal

} // namespace toolkit
