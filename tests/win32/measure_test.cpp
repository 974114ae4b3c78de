#include "label/label_font_win.h"
#include "toolkit/unique_handle.h"

#include "toolkit/toolkit.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int DisplayPixelsPerInch() {
    const HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    const int dpi = GetDeviceCaps(display, LOGPIXELSY);
    DeleteDC(display);
    return dpi;
}

// The size GDI reports for a text in a font made here from the documented parameters, on the
// screen's own DC: what the label's measurement must agree with.
SIZE ReferenceExtent(const char* face, int points, const std::string& text) {
    const UniqueFont font(CreateFontA(-MulDiv(points, DisplayPixelsPerInch(), 72), 0, 0, 0,
                                      FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                      DEFAULT_PITCH | FF_DONTCARE, face));
    const ScopedWindowDc screen(nullptr);
    const ScopedSelectObject select(screen.get(), font.get());
    SIZE extent{};
    GetTextExtentPoint32A(screen.get(), text.data(), static_cast<int>(text.size()), &extent);
    return extent;
}

TEST(FontHeight, AsksForTheCharacterHeightOfThePointSize) {
    const int dpi = DisplayPixelsPerInch();
    EXPECT_EQ(toolkit::FontHeightForPoints(8), -MulDiv(8, dpi, 72));
    EXPECT_EQ(toolkit::FontHeightForPoints(0), 0);
    if (dpi == 96) {
        EXPECT_EQ(toolkit::FontHeightForPoints(8), -11);
        EXPECT_EQ(toolkit::FontHeightForPoints(12), -16);
    }
}

struct MeasureCase {
    const char* face;
    int points;
    std::string text;
};

class MeasureTextTest : public testing::TestWithParam<MeasureCase> {};

TEST_P(MeasureTextTest, AgreesWithTheFontParameters) {
    const MeasureCase& c = GetParam();
    const SIZE expected = ReferenceExtent(c.face, c.points, c.text);
    ASSERT_GT(expected.cx, 0);
    EXPECT_EQ(MeasureTextWidth(c.face, c.points, c.text), expected.cx);
    EXPECT_EQ(MeasureTextHeight(c.text, c.face, c.points), expected.cy);
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, MeasureTextTest,
    testing::Values(MeasureCase{"Arial", 8, " HOST7 "},
                    // Leading and trailing spaces count, and so does an ampersand.
                    MeasureCase{"Arial", 8, "   R&D   "},
                    MeasureCase{"Times New Roman", 20, " Desk HOST7 <LAB\\user1> 10.1.2.3 "},
                    // Far wider than the 600-pixel scratch image: measured whole, not clipped.
                    MeasureCase{"Arial", 24, std::string(200, 'W')},
                    // A face that is not installed is substituted, and measured as substituted.
                    MeasureCase{"No Such Face Anywhere", 10, " HOST7 "}));

TEST(MeasureText, AnEmptyTextMeasuresZero) {
    EXPECT_EQ(MeasureTextWidth("Arial", 8, ""), 0);
    EXPECT_EQ(MeasureTextHeight("", "Arial", 8), 0);
}

} // namespace
