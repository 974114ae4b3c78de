#include "dialogs/about_image.h"
#include "toolkit/toolkit.h"
#include "win32_test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

constexpr int kImage = 7;
constexpr int kFont = 3;
constexpr int kWindow = 1;
constexpr int kLink = 12;

DIBSECTION Describe(HBITMAP bitmap) {
    DIBSECTION described{};
    EXPECT_EQ(GetObjectA(bitmap, sizeof described, &described), int{sizeof described});
    return described;
}

COLORREF PixelOfDib(const DIBSECTION& dib, int x, int yFromTop) {
    const auto* bits = static_cast<const uint8_t*>(dib.dsBm.bmBits);
    const int row = dib.dsBmih.biHeight > 0 ? dib.dsBm.bmHeight - 1 - yFromTop : yFromTop;
    const uint8_t* pixel = bits + row * dib.dsBm.bmWidthBytes + x * 3;
    return RGB(pixel[2], pixel[1], pixel[0]);
}

class ToolkitImageTest : public testing::Test {
protected:
    void SetUp() override { EnsureToolkit(); }
    void TearDown() override { toolkit::Shutdown(); }
};

TEST_F(ToolkitImageTest, AnIndexedBmpBecomesATrueColourBitmapOfTheSamePixels) {
    const std::span<const uint8_t> file = AboutBmpBytes();
    ASSERT_TRUE(toolkit::LoadBmpImage(kImage, file));
    const DIBSECTION dib = Describe(toolkit::ImageHandle(kImage));
    ASSERT_EQ(dib.dsBm.bmWidth, 157);
    ASSERT_EQ(dib.dsBm.bmHeight, 75);
    ASSERT_EQ(dib.dsBm.bmBitsPixel, 24);
    ASSERT_NE(dib.dsBm.bmBits, nullptr);
    // Every pixel is its palette entry's colour; the file stores rows bottom-up, 160 bytes each.
    const uint8_t* palette = file.data() + 54;
    int mismatches = 0;
    for (int y = 0; y < 75; ++y) {
        for (int x = 0; x < 157; ++x) {
            const uint8_t index = file[1078 + (74 - y) * 160 + x];
            const COLORREF expected =
                RGB(palette[index * 4 + 2], palette[index * 4 + 1], palette[index * 4]);
            mismatches += PixelOfDib(dib, x, y) == expected ? 0 : 1;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST_F(ToolkitImageTest, ATopDownTrueColourBmpKeepsItsRowsInPlace) {
    // 2 x 2, 24 bits, rows stored top-down: red green / blue white.
    std::vector<uint8_t> file(54 + 2 * 8, 0);
    const uint32_t header[] = {static_cast<uint32_t>(file.size()), 0, 54, 40, 2,
                               static_cast<uint32_t>(-2)};
    file[0] = 'B';
    file[1] = 'M';
    std::memcpy(file.data() + 2, header, sizeof header);
    file[26] = 1;  // planes
    file[28] = 24; // bits per pixel
    // Blue, green, red per pixel; each row padded to 8 bytes.
    const uint8_t rows[] = {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0};
    std::memcpy(file.data() + 54, rows, sizeof rows);
    ASSERT_TRUE(toolkit::LoadBmpImage(kImage, file));
    const DIBSECTION dib = Describe(toolkit::ImageHandle(kImage));
    EXPECT_EQ(PixelOfDib(dib, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(PixelOfDib(dib, 1, 0), RGB(0, 255, 0));
    EXPECT_EQ(PixelOfDib(dib, 0, 1), RGB(0, 0, 255));
    EXPECT_EQ(PixelOfDib(dib, 1, 1), RGB(255, 255, 255));
}

TEST_F(ToolkitImageTest, LoadingUnderANumberFreesTheImageBeforeEvenWhenTheNewOneFails) {
    ASSERT_TRUE(toolkit::LoadBmpImage(kImage, AboutBmpBytes()));
    const HBITMAP first = toolkit::ImageHandle(kImage);
    ASSERT_TRUE(toolkit::LoadBmpImage(kImage, AboutBmpBytes()));
    const HBITMAP second = toolkit::ImageHandle(kImage);
    EXPECT_NE(second, first);
    EXPECT_EQ(GetObjectType(first), 0u);

    const std::vector<uint8_t> notABmp(200, 'x');
    EXPECT_FALSE(toolkit::LoadBmpImage(kImage, notABmp));
    EXPECT_EQ(toolkit::ImageHandle(kImage), nullptr);
    EXPECT_EQ(GetObjectType(second), 0u);
    const std::span<const uint8_t> truncated = AboutBmpBytes().first(13000);
    EXPECT_FALSE(toolkit::LoadBmpImage(kImage, truncated));
    EXPECT_EQ(toolkit::ImageHandle(kImage), nullptr);
}

TEST_F(ToolkitImageTest, ShutdownFreesEveryImageAndFont) {
    ASSERT_TRUE(toolkit::LoadBmpImage(kImage, AboutBmpBytes()));
    const HBITMAP image = toolkit::ImageHandle(kImage);
    const HFONT font = toolkit::MakeFont(kFont, "Arial", 9, 0);
    ASSERT_NE(font, nullptr);
    toolkit::Shutdown();
    EXPECT_EQ(toolkit::ImageHandle(kImage), nullptr);
    EXPECT_EQ(toolkit::FontHandle(kFont), nullptr);
    EXPECT_EQ(GetObjectType(image), 0u);
    EXPECT_EQ(GetObjectType(font), 0u);
}

struct FontCase {
    const char* name;
    unsigned flags;
    LONG weight;
    bool italic;
    bool underline;
    bool strikeOut;
};

TEST(ToolkitFontTest, MakesEachStyleAndDeletesTheFontMadeBeforeUnderItsNumber) {
    const FontCase cases[] = {
        {"Plain", 0, FW_NORMAL, false, false, false},
        {"Bold", toolkit::font_style::kBold, FW_BOLD, false, false, false},
        {"Italic", toolkit::font_style::kItalic, FW_NORMAL, true, false, false},
        {"Underline", toolkit::font_style::kUnderline, FW_NORMAL, false, true, false},
        {"StrikeOut", toolkit::font_style::kStrikeOut, FW_NORMAL, false, false, true},
        {"All",
         toolkit::font_style::kBold | toolkit::font_style::kItalic |
             toolkit::font_style::kUnderline | toolkit::font_style::kStrikeOut,
         FW_BOLD, true, true, true},
    };
    const HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    const int twelvePoints = -MulDiv(12, GetDeviceCaps(display, LOGPIXELSY), 72);
    DeleteDC(display);
    HFONT before = nullptr;
    for (const FontCase& c : cases) {
        SCOPED_TRACE(c.name);
        const HFONT font = toolkit::MakeFont(kFont, "Times New Roman", 12, c.flags);
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(toolkit::FontHandle(kFont), font);
        LOGFONTA described{};
        ASSERT_EQ(GetObjectA(font, sizeof described, &described), int{sizeof described});
        EXPECT_STREQ(described.lfFaceName, "Times New Roman");
        EXPECT_EQ(described.lfHeight, twelvePoints);
        EXPECT_EQ(described.lfWeight, c.weight);
        EXPECT_EQ(described.lfItalic != 0, c.italic);
        EXPECT_EQ(described.lfUnderline != 0, c.underline);
        EXPECT_EQ(described.lfStrikeOut != 0, c.strikeOut);
        if (before != nullptr) {
            EXPECT_EQ(GetObjectType(before), 0u) << "the font made before must be deleted";
        }
        before = font;
    }
    toolkit::Shutdown();
}

class ToolkitLinkTest : public testing::Test {
protected:
    void SetUp() override {
        EnsureToolkit();
        // Wine starts the pointer in the middle of the screen, where the window would be.
        SetCursorPos(0, 0);
        ASSERT_NE(OpenTestWindow(kWindow, "link test", 200, 60), nullptr);
        toolkit::ControlSpec link;
        link.kind = toolkit::ControlKind::kLink;
        link.x = 10;
        link.y = 10;
        link.width = 150;
        link.height = 20;
        link.text = "Somewhere";
        link.linkColor = kLinkColor;
        link_ = toolkit::CreateControl(kWindow, kLink, link);
        ASSERT_NE(link_, nullptr);
        toolkit::SetControlFont(
            kLink, toolkit::MakeFont(kFont, "Arial", 10, toolkit::font_style::kUnderline));
        toolkit::ShowWindowByNumber(kWindow, SW_SHOWNORMAL);
        DrainEvents();
    }
    void TearDown() override {
        toolkit::Shutdown();
        DrainEvents();
    }

    // How many pixels of the link show exactly this colour, once it has repainted.
    int PixelsOf(COLORREF color) const {
        RedrawWindow(link_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        const HDC dc = GetDC(link_);
        int count = 0;
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 150; ++x) {
                count += GetPixel(dc, x, y) == color ? 1 : 0;
            }
        }
        ReleaseDC(link_, dc);
        return count;
    }

    static constexpr COLORREF kLinkColor = RGB(255, 0, 0);
    HWND link_ = nullptr;
};

TEST_F(ToolkitLinkTest, IsDrawnInTheLinkColourOnlyWhileThePointerIsOverIt) {
    const int blackAtRest = PixelsOf(RGB(0, 0, 0));
    EXPECT_GT(blackAtRest, 20);
    EXPECT_EQ(PixelsOf(kLinkColor), 0);

    SendMessageA(link_, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(PixelsOf(RGB(0, 0, 0)), 0);
    EXPECT_EQ(PixelsOf(kLinkColor), blackAtRest);

    SendMessageA(link_, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(PixelsOf(RGB(0, 0, 0)), blackAtRest);
    EXPECT_EQ(PixelsOf(kLinkColor), 0);
}

} // namespace
