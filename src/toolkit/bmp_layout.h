#pragma once

#include <cstdint>
#include <optional>
#include <span>

// The fields of a BMP file's two headers, as stored (little-endian) at the start of the file.
struct BmpLayout {
    uint32_t fileSize = 0;
    uint32_t reserved = 0;
    uint32_t pixelOffset = 0;
    uint32_t infoHeaderSize = 0;
    int32_t width = 0;
    int32_t height = 0; // positive: rows stored bottom-up; negative: top-down
    uint16_t planes = 0;
    uint16_t bitsPerPixel = 0;
    uint32_t compression = 0;
    uint32_t imageSize = 0;
    int32_t horizontalPixelsPerMetre = 0;
    int32_t verticalPixelsPerMetre = 0;
    uint32_t coloursUsed = 0;
    uint32_t importantColours = 0;
    bool operator==(const BmpLayout&) const = default;
};

// The size of the file header ("BM", size, reserved, pixel offset) that precedes the info header.
inline constexpr uint32_t kBmpFileHeaderSize = 14;

// Bytes of one stored pixel row: every row is filled up to a multiple of 4 bytes.
uint64_t BmpRowStride(int32_t width, uint16_t bitsPerPixel);

// Reads the headers of an uncompressed BMP file held in memory. Empty unless the bytes begin
// with "BM", the info header is at least a BITMAPINFOHEADER, and the headers, the palette and
// every pixel row they describe lie inside the bytes, so a decoder may trust the layout.
std::optional<BmpLayout> ReadBmpLayout(std::span<const uint8_t> bytes);
