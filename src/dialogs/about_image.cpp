#include "dialogs/about_image.h"

#include "toolkit/bmp_layout.h"

namespace {

constexpr size_t kAboutBmpFileSize = 13078;
constexpr uint32_t kPaletteEntries = 256;

BmpLayout AboutBmpLayout() {
    BmpLayout layout;
    layout.fileSize = kAboutBmpFileSize;
    layout.reserved = 0;
    layout.pixelOffset = 1078;
    layout.infoHeaderSize = 40;
    layout.width = 157;
    layout.height = 75;
    layout.planes = 1;
    layout.bitsPerPixel = 8;
    layout.compression = 0;
    layout.imageSize = 12000;
    layout.horizontalPixelsPerMetre = 18263;
    layout.verticalPixelsPerMetre = 18263;
    layout.coloursUsed = kPaletteEntries;
    layout.importantColours = 128;
    return layout;
}

bool PaletteReservedBytesAreZero(std::span<const uint8_t> bytes, const BmpLayout& layout) {
    const size_t start = kBmpFileHeaderSize + layout.infoHeaderSize;
    for (size_t entry = 0; entry < kPaletteEntries; ++entry) {
        if (bytes[start + entry * 4 + 3] != 0) {
            return false;
        }
    }
    return true;
}

} // namespace

bool ValidateAboutBmp(std::span<const uint8_t> bytes) {
    const std::optional<BmpLayout> layout = ReadBmpLayout(bytes);
    // ReadBmpLayout has checked that the palette lies inside the bytes.
    return layout && *layout == AboutBmpLayout() && bytes.size() == kAboutBmpFileSize &&
           PaletteReservedBytesAreZero(bytes, *layout);
}
