#include "toolkit/bmp_layout.h"

#include <cstdlib>

namespace {

constexpr uint32_t kInfoHeaderSize = 40; // BITMAPINFOHEADER
constexpr uint32_t kUncompressed = 0;    // BI_RGB

uint16_t Read16(std::span<const uint8_t> bytes, size_t offset) {
    return static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

uint32_t Read32(std::span<const uint8_t> bytes, size_t offset) {
    return static_cast<uint32_t>(bytes[offset]) | (static_cast<uint32_t>(bytes[offset + 1]) << 8) |
           (static_cast<uint32_t>(bytes[offset + 2]) << 16) |
           (static_cast<uint32_t>(bytes[offset + 3]) << 24);
}

BmpLayout ReadFields(std::span<const uint8_t> bytes) {
    BmpLayout layout;
    layout.fileSize = Read32(bytes, 2);
    layout.reserved = Read32(bytes, 6);
    layout.pixelOffset = Read32(bytes, 10);
    layout.infoHeaderSize = Read32(bytes, 14);
    layout.width = static_cast<int32_t>(Read32(bytes, 18));
    layout.height = static_cast<int32_t>(Read32(bytes, 22));
    layout.planes = Read16(bytes, 26);
    layout.bitsPerPixel = Read16(bytes, 28);
    layout.compression = Read32(bytes, 30);
    layout.imageSize = Read32(bytes, 34);
    layout.horizontalPixelsPerMetre = static_cast<int32_t>(Read32(bytes, 38));
    layout.verticalPixelsPerMetre = static_cast<int32_t>(Read32(bytes, 42));
    layout.coloursUsed = Read32(bytes, 46);
    layout.importantColours = Read32(bytes, 50);
    return layout;
}

bool IsPixelFormatSupported(const BmpLayout& layout) {
    switch (layout.bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return false;
    }
    // INT32_MIN has no positive row count.
    return layout.planes == 1 && layout.compression == kUncompressed && layout.width > 0 &&
           layout.height != 0 && layout.height != INT32_MIN;
}

// Palette entries that follow the info header: all 2^bits for indexed pictures unless the
// header names fewer, and only those the header names for true-colour ones.
std::optional<uint64_t> PaletteEntries(const BmpLayout& layout) {
    if (layout.bitsPerPixel > 8) {
        return layout.coloursUsed;
    }
    const uint32_t most = 1U << layout.bitsPerPixel;
    if (layout.coloursUsed > most) {
        return std::nullopt;
    }
    return layout.coloursUsed == 0 ? most : layout.coloursUsed;
}

} // namespace

uint64_t BmpRowStride(int32_t width, uint16_t bitsPerPixel) {
    const uint64_t bits = static_cast<uint64_t>(width < 0 ? 0 : width) * bitsPerPixel;
    return (bits + 31) / 32 * 4;
}

std::optional<BmpLayout> ReadBmpLayout(std::span<const uint8_t> bytes) {
    if (bytes.size() < kBmpFileHeaderSize + kInfoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') {
        return std::nullopt;
    }
    const BmpLayout layout = ReadFields(bytes);
    if (layout.infoHeaderSize < kInfoHeaderSize || !IsPixelFormatSupported(layout)) {
        return std::nullopt;
    }
    const std::optional<uint64_t> paletteEntries = PaletteEntries(layout);
    if (!paletteEntries) {
        return std::nullopt;
    }
    // 64-bit arithmetic on values first bounded by the data's size: nothing can wrap, whatever
    // the header claims.
    const uint64_t headersEnd =
        uint64_t{kBmpFileHeaderSize} + layout.infoHeaderSize + *paletteEntries * 4;
    if (headersEnd > layout.pixelOffset || layout.pixelOffset > bytes.size()) {
        return std::nullopt;
    }
    const uint64_t available = bytes.size() - layout.pixelOffset;
    const uint64_t rows = static_cast<uint64_t>(std::llabs(layout.height));
    const uint64_t stride = BmpRowStride(layout.width, layout.bitsPerPixel);
    if (rows > available || stride > available || rows * stride > available) {
        return std::nullopt;
    }
    return layout;
}
