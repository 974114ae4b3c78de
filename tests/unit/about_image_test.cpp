#include "dialogs/about_image.h"
#include "toolkit/bmp_layout.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

uint32_t ReadLittleEndian(const Bytes& bytes, size_t offset, size_t size) {
    uint32_t value = 0;
    for (size_t i = size; i-- > 0;) {
        value = (value << 8) | bytes.at(offset + i);
    }
    return value;
}

void WriteLittleEndian(Bytes& bytes, size_t offset, size_t size, uint32_t value) {
    for (size_t i = 0; i < size; ++i) {
        bytes.at(offset + i) = static_cast<uint8_t>(value >> (8 * i));
    }
}

Bytes Stored() {
    const std::span<const uint8_t> bytes = AboutBmpBytes();
    return Bytes(bytes.begin(), bytes.end());
}

// The header table of the About picture, read straight from the bytes the program holds.
struct HeaderField {
    const char* name;
    size_t offset;
    size_t size;
    uint32_t value;
};

const HeaderField kAboutHeader[] = {
    {"Signature", 0, 2, 'B' | ('M' << 8)},
    {"FileSize", 2, 4, 13078},
    {"Reserved", 6, 4, 0},
    {"PixelOffset", 10, 4, 1078},
    {"InfoHeaderSize", 14, 4, 40},
    {"Width", 18, 4, 157},
    {"HeightBottomUp", 22, 4, 75},
    {"Planes", 26, 2, 1},
    {"BitsPerPixel", 28, 2, 8},
    {"Uncompressed", 30, 4, 0},
    {"ImageSize", 34, 4, 12000},
    {"HorizontalResolution", 38, 4, 18263},
    {"VerticalResolution", 42, 4, 18263},
    {"ColoursUsed", 46, 4, 256},
    {"ImportantColours", 50, 4, 128},
};

class AboutBmpHeader : public testing::TestWithParam<HeaderField> {};

TEST_P(AboutBmpHeader, HoldsItsValue) {
    const Bytes bytes = Stored();
    EXPECT_EQ(ReadLittleEndian(bytes, GetParam().offset, GetParam().size), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Fields, AboutBmpHeader, testing::ValuesIn(kAboutHeader),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AboutBmp, IsTheCommittedFileByteForByte) {
    std::ifstream file(LUMATAG_RESOURCES_DIR "/about.bmp", std::ios::binary);
    ASSERT_TRUE(file) << "resources/about.bmp";
    const Bytes committed{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_EQ(Stored(), committed);
}

TEST(AboutBmp, HasAPaletteOf256EntriesAndUsesOnlyTheImportantOnes) {
    const Bytes bytes = Stored();
    ASSERT_EQ(bytes.size(), 13078u);
    for (size_t entry = 0; entry < 256; ++entry) {
        EXPECT_EQ(bytes[54 + entry * 4 + 3], 0) << "palette entry " << entry;
    }
    for (size_t row = 0; row < 75; ++row) {
        for (size_t column = 0; column < 157; ++column) {
            ASSERT_LT(bytes[1078 + row * 160 + column], 128)
                << "row " << row << " column " << column;
        }
    }
}

TEST(AboutBmp, PassesItsOwnValidation) {
    EXPECT_TRUE(ValidateAboutBmp(AboutBmpBytes()));
}

// One change to the stored file that validation must refuse.
struct Corruption {
    const char* name;
    size_t offset; // where the value is written; ignored when resizing
    size_t size;
    uint32_t value;
    long resizeBy = 0; // bytes added (positive) or cut off the end (negative)
};

class AboutBmpValidation : public testing::TestWithParam<Corruption> {};

TEST_P(AboutBmpValidation, RefusesAnyOtherLayout) {
    Bytes bytes = Stored();
    const Corruption& c = GetParam();
    if (c.resizeBy != 0) {
        bytes.resize(static_cast<size_t>(static_cast<long>(bytes.size()) + c.resizeBy));
    } else {
        WriteLittleEndian(bytes, c.offset, c.size, c.value);
    }
    EXPECT_FALSE(ValidateAboutBmp(bytes));
}

const Corruption kCorruptions[] = {
    {"NotBM", 0, 2, 'B' | ('A' << 8)},
    {"FileSizeField", 2, 4, 13079},
    {"ReservedSet", 6, 4, 1},
    {"PixelOffset", 10, 4, 1082},
    {"LargerInfoHeader", 14, 4, 108},
    {"Narrower", 18, 4, 156},
    {"TopDown", 22, 4, static_cast<uint32_t>(-75)},
    {"TwoPlanes", 26, 2, 2},
    {"FourBitsPerPixel", 28, 2, 4},
    {"RunLengthEncoded", 30, 4, 1},
    {"ImageSize", 34, 4, 0},
    {"HorizontalResolution", 38, 4, 3780},
    {"VerticalResolution", 42, 4, 3780},
    {"ColoursUsed", 46, 4, 0},
    {"ImportantColours", 50, 4, 0},
    {"PaletteReservedByte", 54 + 200 * 4 + 3, 1, 7},
    {"OneByteShort", 0, 0, 0, -1},
    {"OneByteLonger", 0, 0, 0, 1},
    {"Empty", 0, 0, 0, -13078},
};

INSTANTIATE_TEST_SUITE_P(Corruptions, AboutBmpValidation, testing::ValuesIn(kCorruptions),
                         [](const auto& info) { return std::string(info.param.name); });

// A BMP file made up for the generic reader: headers right, pixel rows zero.
Bytes MakeBmp(int32_t width, int32_t height, uint16_t bitsPerPixel, uint32_t paletteEntries) {
    const uint32_t pixelOffset = 14 + 40 + paletteEntries * 4;
    const uint64_t stride = BmpRowStride(width, bitsPerPixel);
    const uint64_t rows = static_cast<uint64_t>(height < 0 ? -int64_t{height} : height);
    Bytes bytes(pixelOffset + stride * rows, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    WriteLittleEndian(bytes, 2, 4, static_cast<uint32_t>(bytes.size()));
    WriteLittleEndian(bytes, 10, 4, pixelOffset);
    WriteLittleEndian(bytes, 14, 4, 40);
    WriteLittleEndian(bytes, 18, 4, static_cast<uint32_t>(width));
    WriteLittleEndian(bytes, 22, 4, static_cast<uint32_t>(height));
    WriteLittleEndian(bytes, 26, 2, 1);
    WriteLittleEndian(bytes, 28, 2, bitsPerPixel);
    WriteLittleEndian(bytes, 46, 4, paletteEntries);
    return bytes;
}

TEST(ReadBmpLayout, ReadsEveryHeaderField) {
    const auto layout = ReadBmpLayout(Stored());
    ASSERT_TRUE(layout);
    BmpLayout expected;
    expected.fileSize = 13078;
    expected.pixelOffset = 1078;
    expected.infoHeaderSize = 40;
    expected.width = 157;
    expected.height = 75;
    expected.planes = 1;
    expected.bitsPerPixel = 8;
    expected.imageSize = 12000;
    expected.horizontalPixelsPerMetre = 18263;
    expected.verticalPixelsPerMetre = 18263;
    expected.coloursUsed = 256;
    expected.importantColours = 128;
    EXPECT_EQ(*layout, expected);
}

TEST(ReadBmpLayout, AcceptsUncompressedPicturesOfEveryDepthEitherWayUp) {
    EXPECT_TRUE(ReadBmpLayout(MakeBmp(3, 2, 24, 0)));
    EXPECT_TRUE(ReadBmpLayout(MakeBmp(3, -2, 24, 0)));
    EXPECT_TRUE(ReadBmpLayout(MakeBmp(5, 5, 32, 0)));
    EXPECT_TRUE(ReadBmpLayout(MakeBmp(33, 1, 1, 2)));
    EXPECT_TRUE(ReadBmpLayout(MakeBmp(7, 3, 4, 16)));
    EXPECT_TRUE(ReadBmpLayout(MakeBmp(7, 3, 8, 256)));
}

struct Unreadable {
    const char* name;
    Bytes bytes;
};

Bytes With(Bytes bytes, size_t offset, size_t size, uint32_t value) {
    WriteLittleEndian(bytes, offset, size, value);
    return bytes;
}

Bytes Shortened(Bytes bytes, size_t by) {
    bytes.resize(bytes.size() - by);
    return bytes;
}

class ReadBmpLayoutRefusal : public testing::TestWithParam<Unreadable> {};

TEST_P(ReadBmpLayoutRefusal, RefusesWhatADecoderCouldNotTrust) {
    EXPECT_FALSE(ReadBmpLayout(GetParam().bytes));
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadBmpLayoutRefusal,
    testing::Values(
        Unreadable{"Empty", {}}, Unreadable{"ShorterThanTheHeaders", Bytes(53, 0)},
        Unreadable{"NotBM", With(MakeBmp(2, 2, 24, 0), 0, 1, 'X')},
        Unreadable{"CoreHeaderOnly", With(MakeBmp(2, 2, 24, 0), 14, 4, 12)},
        Unreadable{"LastRowCutShort", Shortened(MakeBmp(2, 2, 24, 0), 1)},
        Unreadable{"PaletteRunsIntoThePixels", With(MakeBmp(2, 2, 8, 4), 10, 4, 14 + 40 + 8)},
        // No colour count means all 256 entries, which this file does not have room for.
        Unreadable{"ImpliedPaletteMissing", MakeBmp(2, 2, 8, 0)},
        Unreadable{"PixelOffsetPastTheEnd", With(MakeBmp(2, 2, 24, 0), 10, 4, 1000)},
        Unreadable{"MoreColoursThanIndexes", With(MakeBmp(2, 2, 1, 2), 46, 4, 3)},
        Unreadable{"RunLengthEncoded", With(MakeBmp(2, 2, 8, 4), 30, 4, 1)},
        Unreadable{"TwelveBitsPerPixel", With(MakeBmp(2, 2, 24, 0), 28, 2, 12)},
        Unreadable{"NoPlanes", With(MakeBmp(2, 2, 24, 0), 26, 2, 0)},
        Unreadable{"ZeroWidth", With(MakeBmp(2, 2, 24, 0), 18, 4, 0)},
        Unreadable{"NegativeWidth", With(MakeBmp(2, 2, 24, 0), 18, 4, static_cast<uint32_t>(-2))},
        Unreadable{"ZeroHeight", With(MakeBmp(2, 2, 24, 0), 22, 4, 0)},
        Unreadable{"MostNegativeHeight",
                   With(MakeBmp(2, 2, 24, 0), 22, 4, static_cast<uint32_t>(INT32_MIN))},
        Unreadable{"RowsTooWideToAddressClaimed",
                   With(MakeBmp(2, 2, 32, 0), 18, 4, static_cast<uint32_t>(INT32_MAX))},
        Unreadable{"RowsTooManyClaimed",
                   With(MakeBmp(2, 2, 24, 0), 22, 4, static_cast<uint32_t>(INT32_MAX))}),
    [](const auto& info) { return std::string(info.param.name); });

struct StrideCase {
    int32_t width;
    uint16_t bitsPerPixel;
    uint64_t stride;
};

TEST(BmpRowStride, FillsEachRowUpToAMultipleOfFourBytes) {
    const StrideCase cases[] = {{157, 8, 160}, {160, 8, 160}, {1, 1, 4},  {32, 1, 4},
                                {33, 1, 8},    {3, 24, 12},   {2, 24, 8}, {1, 32, 4}};
    for (const StrideCase& c : cases) {
        EXPECT_EQ(BmpRowStride(c.width, c.bitsPerPixel), c.stride)
            << c.width << " pixels at " << c.bitsPerPixel << " bits";
    }
}

} // namespace
