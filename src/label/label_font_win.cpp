#include "label/label_font_win.h"

#include "toolkit/toolkit.h"
#include "toolkit/unique_handle.h"

#include <climits>

namespace {

// Each height measurement replaces this one; the last stays loaded until shutdown.
UniqueFont g_heightScratchFont;

int TextLength(const std::string& text) {
    return text.size() > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(text.size());
}

// Width or height of text in whatever font is selected into dc; 0 for an empty text.
SIZE TextExtent(HDC dc, const std::string& text) {
    SIZE extent{};
    if (!text.empty()) {
        GetTextExtentPoint32A(dc, text.data(), TextLength(text), &extent);
    }
    return extent;
}

} // namespace

HFONT CreateLabelFont(const std::string& faceName, int32_t points) {
    return CreateFontA(toolkit::FontHeightForPoints(points), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                       FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, faceName.c_str());
}

int32_t MeasureTextWidth(const std::string& faceName, int32_t points, const std::string& text) {
    const UniqueFont font(CreateLabelFont(faceName, points));
    const ScopedWindowDc screen(nullptr);
    const UniqueBitmap image(CreateCompatibleBitmap(screen.get(), 600, 300));
    const UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    if (!dc) {
        return 0;
    }
    const ScopedSelectObject selectImage(dc.get(), image.get());
    const ScopedSelectObject selectFont(dc.get(), font.get());
    return TextExtent(dc.get(), text).cx;
}

int32_t MeasureTextHeight(const std::string& text, const std::string& faceName, int32_t points) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const UniqueWindow window(CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                              nullptr, instance, nullptr));
    if (!window) {
        return 0;
    }
    const HWND control = CreateWindowExA(0, "Static", "", WS_CHILD | SS_LEFT, 0, 0, 0, 0,
                                         window.get(), nullptr, instance, nullptr);
    g_heightScratchFont.reset(CreateLabelFont(faceName, points));
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(g_heightScratchFont.get()), FALSE);
    const auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    if (font == nullptr) {
        return 0;
    }
    const ScopedWindowDc screen(nullptr);
    const UniqueBitmap image(CreateCompatibleBitmap(screen.get(), 1, 1));
    const UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    if (!dc || !image) {
        return 0;
    }
    const ScopedSelectObject selectImage(dc.get(), image.get());
    const ScopedSelectObject selectFont(dc.get(), font);
    return TextExtent(dc.get(), text).cy;
}

void ReleaseMeasuringFont() {
    g_heightScratchFont.reset();
}
