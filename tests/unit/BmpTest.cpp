#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/Bmp.h"
#include "support/BmpWriter.h"

namespace sorabell::platform {
namespace {

using namespace sorabell::testing;
using Picture = std::vector<std::vector<TColor>>;

TColor Hex(uint32_t rrggbb) {
    return RGBColor(static_cast<int>(rrggbb >> 16), static_cast<int>((rrggbb >> 8) & 0xFF),
                    static_cast<int>(rrggbb & 0xFF));
}

// Palette entry i of the test files, and the colour it should read as.
Rgb Entry(uint32_t i) { return {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i * 7)}; }
TColor P(uint32_t i) {
    return RGBColor(static_cast<int>(i & 0xFF), static_cast<int>(255 - i), static_cast<int>((i * 7) & 0xFF));
}
std::vector<Rgb> Entries(uint32_t count) {
    std::vector<Rgb> entries;
    for (uint32_t i = 0; i < count; ++i) {
        entries.push_back(Entry(i));
    }
    return entries;
}

const TColor kBlack = RGBColor(0, 0, 0);

Picture PictureOf(const Image& image) {
    EXPECT_EQ(image.pixels.size(), static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
    Picture rows(static_cast<size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            rows[static_cast<size_t>(y)].push_back(image.At(x, y));
        }
    }
    return rows;
}

Picture Decoded(const std::string& bytes) {
    const auto image = DecodeBmp(bytes);
    return image ? PictureOf(*image) : Picture{};
}

// A 3x2 picture with six different colours, as 0xRRGGBB, and what it should read as.
const std::vector<std::vector<uint32_t>> kSixColours = {{0x112233, 0x445566, 0x778899}, {0xAABBCC, 0xDDEEFF, 0x010203}};
const Picture kSixPicture = {{Hex(0x112233), Hex(0x445566), Hex(0x778899)},
                             {Hex(0xAABBCC), Hex(0xDDEEFF), Hex(0x010203)}};

BmpFile TrueColour(int bitCount, const std::vector<std::vector<uint32_t>>& rows, bool topDown = false) {
    BmpFile file;
    file.width = static_cast<int32_t>(rows.front().size());
    file.height = static_cast<int32_t>(rows.size()) * (topDown ? -1 : 1);
    file.bitCount = static_cast<uint16_t>(bitCount);
    file.pixelData = PixelRows(bitCount, rows, topDown);
    return file;
}

BmpFile Indexed(int bitCount, uint32_t entries, const std::vector<std::vector<uint32_t>>& rows) {
    BmpFile file = TrueColour(bitCount, rows);
    file.colorsUsed = entries == (1u << bitCount) ? 0 : entries;
    file.palette = Entries(entries);
    return file;
}

// An RLE file with a full palette; `stream` is the compressed pixel data.
BmpFile Rle(int bitCount, int width, int height, const std::string& stream) {
    BmpFile file;
    file.width = width;
    file.height = height;
    file.bitCount = static_cast<uint16_t>(bitCount);
    file.compression = bitCount == 8 ? 1 : 2;
    file.palette = Entries(1u << bitCount);
    file.pixelData = stream;
    return file;
}

std::string Codes(std::initializer_list<int> bytes) {
    std::string out;
    for (int b : bytes) {
        out += static_cast<char>(b);
    }
    return out;
}

TEST(BmpTrueColour, Reads24BitRowsBottomUpWithoutMirroring) {
    const auto image = DecodeBmp(TrueColour(24, kSixColours).Bytes());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 3);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(image->At(0, 0), Hex(0x112233));
    EXPECT_EQ(image->At(2, 0), Hex(0x778899));
    EXPECT_EQ(image->At(0, 1), Hex(0xAABBCC));
    EXPECT_EQ(image->At(2, 1), Hex(0x010203));
    EXPECT_EQ(PictureOf(*image), kSixPicture);
    EXPECT_THROW(image->At(3, 0), std::out_of_range);
    EXPECT_THROW(image->At(0, -1), std::out_of_range);
}

TEST(BmpTrueColour, ReadsTopDownRowsWhenTheHeightIsNegative) {
    EXPECT_EQ(Decoded(TrueColour(24, kSixColours, true).Bytes()), kSixPicture);
    EXPECT_EQ(Decoded(TrueColour(32, kSixColours, true).Bytes()), kSixPicture);
}

TEST(BmpTrueColour, Reads32BitPixelsAsBgrxWhateverTheFourthByte) {
    EXPECT_EQ(
        Decoded(TrueColour(32, {{0xFF112233, 0x80445566, 0x00778899}, {0x01AABBCC, 0xDDEEFF, 0x7F010203}}).Bytes()),
        kSixPicture);
}

TEST(BmpTrueColour, Reads16BitPixelsAs555WidenedByRepeatingTheirBits) {
    // Fields of 31, 16 and 1 widen to 255, 132 and 8; the top bit is no colour.
    EXPECT_EQ(Decoded(TrueColour(16, {{0x7C00, 0x03E0, 0x001F}, {0xC210, 0x0421, 0x8000}}).Bytes()),
              (Picture{{RGBColor(255, 0, 0), RGBColor(0, 255, 0), RGBColor(0, 0, 255)},
                       {RGBColor(132, 132, 132), RGBColor(8, 8, 8), kBlack}}));
}

TEST(BmpTrueColour, IgnoresTheSizeAndPlaneFieldsWritersGetWrong) {
    BmpFile file = TrueColour(24, kSixColours);
    file.planes = 0;
    std::string bytes = file.Bytes();
    bytes.replace(2, 4, "\xFF\xFF\xFF\xFF");   // bfSize
    bytes.replace(34, 4, "\xFF\xFF\xFF\x7F");  // biSizeImage
    EXPECT_EQ(Decoded(bytes), kSixPicture);
}

TEST(BmpBitFields, Reads16BitPixelsWith565MasksAfterAnInfoHeader) {
    BmpFile file = TrueColour(16, {{0xF800, 0x07E0, 0x001F}, {0x0020, 0x8410, 0xFFFF}});
    file.compression = 3;
    file.masks = {0xF800, 0x07E0, 0x001F};
    // A 6-bit 1 widens to 4, a 6-bit 32 to 130.
    EXPECT_EQ(Decoded(file.Bytes()), (Picture{{RGBColor(255, 0, 0), RGBColor(0, 255, 0), RGBColor(0, 0, 255)},
                                              {RGBColor(0, 4, 0), RGBColor(132, 130, 132), RGBColor(255, 255, 255)}}));
}

TEST(BmpBitFields, Reads32BitMasksInAnyOrderFromEveryHeaderThatHoldsThem) {
    for (uint32_t infoSize : {52u, 56u, 108u, 124u}) {
        SCOPED_TRACE(infoSize);
        BmpFile file = TrueColour(32, {{0xEE332211, 0x00665544}});
        file.infoSize = infoSize;
        file.compression = 3;
        file.masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};
        EXPECT_EQ(Decoded(file.Bytes()), (Picture{{Hex(0x112233), Hex(0x445566)}}));
    }
    // 10-10-10: wide fields keep their top eight bits.
    BmpFile wide = TrueColour(32, {{0x3FF00000 | 0x200u << 10 | 0x001}});
    wide.compression = 3;
    wide.masks = {0x3FF00000, 0x000FFC00, 0x000003FF};
    EXPECT_EQ(Decoded(wide.Bytes()), (Picture{{RGBColor(255, 128, 0)}}));
}

TEST(BmpBitFields, LongerHeadersWithoutBitFieldsKeepTheDefaultLayout) {
    BmpFile file = TrueColour(32, kSixColours);
    file.infoSize = 124;
    file.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
    EXPECT_EQ(Decoded(file.Bytes()), kSixPicture);
}

TEST(BmpBitFields, RejectsMasksThatAreNoRunOfBitsInsideThePixel) {
    for (const auto& [bitCount, masks] : std::vector<std::pair<int, std::vector<uint32_t>>>{
             {16, {0xF801, 0x07E0, 0x001F}}, {16, {0x1F0000, 0x07E0, 0x001F}}, {32, {0xFF0000, 0x00FF00FF, 0xFF}}}) {
        BmpFile file = TrueColour(bitCount, {{1, 2}});
        file.compression = 3;
        file.masks = masks;
        EXPECT_FALSE(DecodeBmp(file.Bytes())) << bitCount << " bits, green " << masks[1];
    }
    BmpFile cut = TrueColour(16, {{1, 2}});
    cut.compression = 3;
    cut.masks = {0xF800, 0x07E0};  // the file ends inside the masks
    cut.pixelData.clear();
    EXPECT_FALSE(DecodeBmp(cut.Bytes()));
}

TEST(BmpPalette, Reads1BitPixelsLeftmostInTheHighBit) {
    const std::vector<std::vector<uint32_t>> rows = {{1, 0, 0, 0, 0, 0, 0, 1, 1, 0}, {0, 1, 1, 1, 1, 1, 1, 0, 0, 1}};
    Picture expected;
    for (const auto& row : rows) {
        expected.emplace_back();
        for (uint32_t index : row) {
            expected.back().push_back(P(index));
        }
    }
    EXPECT_EQ(Decoded(Indexed(1, 2, rows).Bytes()), expected);
}

TEST(BmpPalette, Reads4And8BitPixels) {
    EXPECT_EQ(Decoded(Indexed(4, 16, {{1, 2, 3}, {15, 0, 7}}).Bytes()),
              (Picture{{P(1), P(2), P(3)}, {P(15), P(0), P(7)}}));
    EXPECT_EQ(Decoded(Indexed(8, 256, {{0, 128, 255}, {7, 200, 1}}).Bytes()),
              (Picture{{P(0), P(128), P(255)}, {P(7), P(200), P(1)}}));
}

TEST(BmpPalette, IndexesWithoutAnEntryReadBlack) {
    EXPECT_EQ(Decoded(Indexed(8, 2, {{0, 1, 2}, {255, 1, 0}}).Bytes()),
              (Picture{{P(0), P(1), kBlack}, {kBlack, P(1), P(0)}}));
    // 256 entries declared, three written: the pixel data starts where the fourth would be.
    BmpFile short3 = Indexed(8, 3, {{0, 1, 2, 3}});
    short3.colorsUsed = 0;
    EXPECT_EQ(Decoded(short3.Bytes()), (Picture{{P(0), P(1), P(2), kBlack}}));
}

TEST(BmpPalette, AZeroBfOffBitsPutsThePixelsRightAfterThePalette) {
    for (BmpFile file : {Indexed(8, 4, {{0, 1, 2}, {3, 3, 0}}), Indexed(4, 16, {{0, 1, 2}, {3, 3, 0}})}) {
        const Picture expected = Decoded(file.Bytes());
        ASSERT_EQ(expected, (Picture{{P(0), P(1), P(2)}, {P(3), P(3), P(0)}}));
        file.offBits = 0;
        EXPECT_EQ(Decoded(file.Bytes()), expected);
    }
    // Above 8 bits per pixel a declared palette only takes room.
    BmpFile table = TrueColour(24, kSixColours);
    table.colorsUsed = 2;
    table.palette = Entries(2);
    EXPECT_EQ(Decoded(table.Bytes()), kSixPicture);
    table.offBits = 0;
    EXPECT_EQ(Decoded(table.Bytes()), kSixPicture);
}

TEST(BmpPalette, AHugeColourCountReadsOnlyTheEntriesAnIndexCanReach) {
    BmpFile file = Indexed(1, 2, {{1, 0}});
    file.colorsUsed = 0xFFFFFFFF;
    EXPECT_EQ(Decoded(file.Bytes()), (Picture{{P(1), P(0)}}));
    file.offBits = 0;  // such a palette cannot be in the file
    EXPECT_FALSE(DecodeBmp(file.Bytes()));
}

TEST(BmpHeaders, ReadsTheOs2CoreHeaderWithThreeByteEntries) {
    BmpFile indexed = Indexed(4, 16, {{1, 2, 3}, {15, 0, 7}});
    indexed.infoSize = 12;
    EXPECT_EQ(Decoded(indexed.Bytes()), (Picture{{P(1), P(2), P(3)}, {P(15), P(0), P(7)}}));
    indexed.offBits = 0;
    EXPECT_EQ(Decoded(indexed.Bytes()), (Picture{{P(1), P(2), P(3)}, {P(15), P(0), P(7)}}));
    BmpFile rgb = TrueColour(24, kSixColours);
    rgb.infoSize = 12;
    EXPECT_EQ(Decoded(rgb.Bytes()), kSixPicture);
}

TEST(BmpHeaders, ReadsTheOs2Version2HeaderLikeAnInfoHeaderUnlessItsCompressionIsItsOwn) {
    BmpFile indexed = Indexed(8, 256, {{5, 6}, {7, 8}});
    indexed.infoSize = 64;
    EXPECT_EQ(Decoded(indexed.Bytes()), (Picture{{P(5), P(6)}, {P(7), P(8)}}));
    BmpFile rle = Rle(8, 2, 1, Codes({2, 9, 0, 1}));
    rle.infoSize = 64;
    EXPECT_EQ(Decoded(rle.Bytes()), (Picture{{P(9), P(9)}}));
    // Huffman (where Windows has bit fields) and RLE24.
    BmpFile huffman = TrueColour(16, {{1, 2}});
    huffman.infoSize = 64;
    huffman.compression = 3;
    EXPECT_FALSE(DecodeBmp(huffman.Bytes()));
    BmpFile rle24 = TrueColour(24, kSixColours);
    rle24.infoSize = 64;
    rle24.compression = 4;
    EXPECT_FALSE(DecodeBmp(rle24.Bytes()));
}

TEST(BmpHeaders, TakesThePixelsFromBfOffBits) {
    BmpFile file = TrueColour(24, kSixColours);
    file.pixelData = "gap!" + file.pixelData;
    file.offBits = 14 + 40 + 4;
    EXPECT_EQ(Decoded(file.Bytes()), kSixPicture);
}

TEST(BmpHeaders, RejectsABfOffBitsInsideTheHeadersOrPastTheEnd) {
    BmpFile file = TrueColour(24, kSixColours);
    const auto size = static_cast<uint32_t>(file.Bytes().size());
    for (uint32_t offBits : {1u, 14u, 53u, size + 1, 0xFFFFFFFFu}) {
        file.offBits = offBits;
        EXPECT_FALSE(DecodeBmp(file.Bytes())) << offBits;
    }
    BmpFile masked = TrueColour(16, {{1, 2}});
    masked.compression = 3;
    masked.masks = {0xF800, 0x07E0, 0x001F};
    masked.offBits = 14 + 40 + 8;  // inside the masks
    EXPECT_FALSE(DecodeBmp(masked.Bytes()));
}

TEST(BmpRejects, BytesThatAreNoBmp) {
    const std::string good = TrueColour(24, kSixColours).Bytes();
    for (const std::string& bytes : {std::string(), std::string("BM"), good.substr(0, 17), "bm" + good.substr(2),
                                     "BA" + good.substr(2), std::string(100, '\0')}) {
        EXPECT_FALSE(DecodeBmp(bytes)) << bytes.size();
    }
}

TEST(BmpRejects, UnknownHeaderSizes) {
    for (uint32_t infoSize : {0u, 16u, 39u, 41u, 100u, 125u, 0xFFFFFFFFu}) {
        // Long enough for any header, so that only the size itself is wrong.
        std::string bytes = TrueColour(24, kSixColours).Bytes() + std::string(200, '\0');
        std::string field;
        PutLe(field, infoSize, 4);
        bytes.replace(14, 4, field);
        EXPECT_FALSE(DecodeBmp(bytes)) << infoSize;
    }
}

TEST(BmpRejects, EmptyNegativeAndOversizedSides) {
    for (const auto& [width, height] : std::vector<std::pair<int32_t, int32_t>>{
             {0, 1}, {1, 0}, {-3, 2}, {1, INT_MIN}, {32768, 1}, {1, 32768}, {1, -32768}, {INT_MAX, 1}}) {
        BmpFile file = TrueColour(1, {{0}});
        file.width = width;
        file.height = height;
        file.pixelData = std::string(4 * 32768 + 8, '\0');
        EXPECT_FALSE(DecodeBmp(file.Bytes())) << width << "x" << height;
    }
    BmpFile core = TrueColour(24, {{0}});
    core.infoSize = 12;
    core.width = 0;
    EXPECT_FALSE(DecodeBmp(core.Bytes()));
}

TEST(BmpRejects, MoreThan16MillionPixelsEvenWithTheirData) {
    BmpFile file = Indexed(1, 2, {{0}});
    file.width = 32767;
    file.height = 512;  // 16,776,704 pixels
    file.pixelData = std::string(4096 * 513, '\0');
    const auto largest = DecodeBmp(file.Bytes());
    ASSERT_TRUE(largest);
    EXPECT_EQ(largest->pixels.size(), 32767u * 512u);
    file.height = 513;
    EXPECT_FALSE(DecodeBmp(file.Bytes()));
    BmpFile rle = Rle(8, 32767, 513, Codes({0, 1}));
    EXPECT_FALSE(DecodeBmp(rle.Bytes()));
}

TEST(BmpRejects, UnsupportedDepthsAndCompressions) {
    const std::vector<std::pair<int, uint32_t>> formats = {
        {0, 0},  {2, 0},   {3, 0}, {48, 0}, {64, 0},  // depths
        {0, 4},  {24, 4},  {0, 5}, {32, 5},           // JPEG, PNG
        {32, 6}, {24, 11},                            // alpha bit fields, CMYK
        {24, 3}, {8, 3},                              // bit fields need 16 or 32 bits
        {4, 1},  {24, 1},  {8, 2}, {1, 2}};           // RLE8 needs 8 bits, RLE4 4
    for (const auto& [bitCount, compression] : formats) {
        BmpFile file = Indexed(8, 256, {{1, 2, 3, 4}});
        file.bitCount = static_cast<uint16_t>(bitCount);
        file.compression = compression;
        file.pixelData += std::string(64, '\0');
        EXPECT_FALSE(DecodeBmp(file.Bytes())) << bitCount << " bits, compression " << compression;
    }
}

TEST(BmpRejects, RleWithTopDownRows) {
    BmpFile file = Rle(8, 2, 1, Codes({2, 1, 0, 1}));
    ASSERT_TRUE(DecodeBmp(file.Bytes()));
    file.height = -1;
    EXPECT_FALSE(DecodeBmp(file.Bytes()));
    BmpFile four = Rle(4, 2, -1, Codes({2, 0x11, 0, 1}));
    EXPECT_FALSE(DecodeBmp(four.Bytes()));
}

TEST(BmpRle8, EncodedRunsEndOfLineAndEndOfBitmap) {
    const auto file = Rle(8, 4, 3, Codes({2, 1, 2, 2, 0, 0, 3, 3, 0, 0, 0, 1}));
    EXPECT_EQ(Decoded(file.Bytes()),
              (Picture{{P(0), P(0), P(0), P(0)}, {P(3), P(3), P(3), P(0)}, {P(1), P(1), P(2), P(2)}}));
}

TEST(BmpRle8, AbsoluteRunsArePaddedToAWord) {
    const auto file =
        Rle(8, 6, 2, Codes({0, 3, 1, 2, 3, 0xEE, 0, 3, 3, 2, 1, 0xEE, 0, 0, 0, 4, 1, 1, 2, 2, 2, 3, 0, 1}));
    EXPECT_EQ(Decoded(file.Bytes()),
              (Picture{{P(1), P(1), P(2), P(2), P(3), P(3)}, {P(1), P(2), P(3), P(3), P(2), P(1)}}));
}

TEST(BmpRle8, DeltaMovesRightAndUpLeavingPaletteIndexZero) {
    const auto file = Rle(8, 4, 3, Codes({1, 1, 0, 2, 1, 1, 1, 2, 0, 1}));
    EXPECT_EQ(Decoded(file.Bytes()),
              (Picture{{P(0), P(0), P(0), P(0)}, {P(0), P(0), P(2), P(0)}, {P(1), P(0), P(0), P(0)}}));
}

TEST(BmpRle8, RunsPastTheRightEdgeAreCutNotWrapped) {
    const auto file = Rle(8, 3, 3, Codes({5, 1, 0, 0, 0, 4, 2, 2, 2, 2, 0, 0, 0, 2, 5, 0, 1, 3, 0, 1}));
    EXPECT_EQ(Decoded(file.Bytes()), (Picture{{P(0), P(0), P(0)}, {P(2), P(2), P(2)}, {P(1), P(1), P(1)}}));
}

TEST(BmpRle8, AStreamThatStopsEarlyKeepsWhatItDrew) {
    EXPECT_EQ(Decoded(Rle(8, 3, 1, Codes({2, 1})).Bytes()), (Picture{{P(1), P(1), P(0)}}));
    EXPECT_EQ(Decoded(Rle(8, 3, 1, Codes({0, 5, 1, 2})).Bytes()), (Picture{{P(1), P(2), P(0)}}));
    EXPECT_EQ(Decoded(Rle(8, 3, 1, Codes({1, 4, 0, 2, 1})).Bytes()), (Picture{{P(4), P(0), P(0)}}));
    EXPECT_EQ(Decoded(Rle(8, 3, 1, Codes({1, 4, 3})).Bytes()), (Picture{{P(4), P(0), P(0)}}));
    EXPECT_EQ(Decoded(Rle(8, 3, 1, "").Bytes()), (Picture{{P(0), P(0), P(0)}}));
}

TEST(BmpRle8, CodesAfterTheEndOfBitmapOrAboveTheTopChangeNothing) {
    EXPECT_EQ(Decoded(Rle(8, 2, 1, Codes({2, 1, 0, 1, 2, 2})).Bytes()), (Picture{{P(1), P(1)}}));
    EXPECT_EQ(Decoded(Rle(8, 2, 1, Codes({2, 1, 0, 0, 2, 2})).Bytes()), (Picture{{P(1), P(1)}}));
    EXPECT_EQ(Decoded(Rle(8, 2, 1, Codes({0, 2, 0, 9, 2, 3})).Bytes()), (Picture{{P(0), P(0)}}));
}

TEST(BmpRle8, UnwrittenPixelsAreBlackWhenThereIsNoPalette) {
    BmpFile file = Rle(8, 2, 1, Codes({1, 1, 0, 1}));
    file.palette.clear();
    EXPECT_EQ(Decoded(file.Bytes()), (Picture{{kBlack, kBlack}}));
}

TEST(BmpRle4, EncodedRunsAlternateTheTwoNibbles) {
    EXPECT_EQ(Decoded(Rle(4, 5, 1, Codes({5, 0x12, 0, 1})).Bytes()), (Picture{{P(1), P(2), P(1), P(2), P(1)}}));
}

TEST(BmpRle4, AbsoluteRunsCountNibblesAndArePaddedToAWord) {
    const auto file = Rle(4, 8, 2, Codes({0, 3, 0x12, 0x30, 0, 5,    0x45, 0x67, 0x80, 0xEE, 0, 0,  //
                                          0, 4, 0xAB, 0xCD, 4, 0xEF, 0,    1}));
    EXPECT_EQ(Decoded(file.Bytes()), (Picture{{P(10), P(11), P(12), P(13), P(14), P(15), P(14), P(15)},
                                              {P(1), P(2), P(3), P(4), P(5), P(6), P(7), P(8)}}));
}

TEST(BmpRle4, DeltaCutRunsAndEarlyEnd) {
    const auto file = Rle(4, 4, 2, Codes({0, 2, 2, 1, 6, 0x9A, 3}));
    EXPECT_EQ(Decoded(file.Bytes()), (Picture{{P(0), P(0), P(9), P(10)}, {P(0), P(0), P(0), P(0)}}));
}

struct Prefixed {
    const char* name;
    std::string bytes;
    size_t mayLack;  // how many bytes at the end may be missing
    bool rle;
};

TEST(BmpTruncation, EveryPrefixIsAPictureOfTheSameSizeOrNothing) {
    BmpFile masked = TrueColour(16, {{1, 2, 3}, {4, 5, 6}});
    masked.compression = 3;
    masked.masks = {0xF800, 0x07E0, 0x001F};
    BmpFile core = TrueColour(24, kSixColours);
    core.infoSize = 12;
    BmpFile v5 = Indexed(8, 256, {{1, 2, 3, 4, 5}});
    v5.infoSize = 124;
    const std::string rle8 = Codes({2, 1, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 1, 1, 1, 5, 0, 1});
    const std::string rle4 = Codes({2, 0x12, 0, 3, 0x12, 0x30, 0, 0, 0, 2, 1, 1, 1, 5, 0, 1});
    // Uncompressed files may lack only the padding after their last row, RLE files all their stream.
    const std::vector<Prefixed> cases = {
        {"24 bits", TrueColour(24, kSixColours).Bytes(), 3, false},
        {"32 bits", TrueColour(32, kSixColours).Bytes(), 0, false},
        {"16 bits 5-6-5", masked.Bytes(), 2, false},
        {"core 24 bits", core.Bytes(), 3, false},
        {"1 bit", Indexed(1, 2, {{1, 0, 1}, {0, 1, 0}}).Bytes(), 3, false},
        {"8 bits V5", v5.Bytes(), 3, false},
        {"RLE8", Rle(8, 4, 3, rle8).Bytes(), rle8.size(), true},
        {"RLE4", Rle(4, 4, 3, rle4).Bytes(), rle4.size(), true},
    };
    for (const Prefixed& c : cases) {
        SCOPED_TRACE(c.name);
        const auto whole = DecodeBmp(c.bytes);
        ASSERT_TRUE(whole);
        const size_t shortest = c.bytes.size() - c.mayLack;
        for (size_t n = 0; n <= c.bytes.size(); ++n) {
            const auto image = DecodeBmp(std::string_view(c.bytes).substr(0, n));
            ASSERT_EQ(image.has_value(), n >= shortest) << n << " bytes";
            if (image) {
                EXPECT_EQ(image->width, whole->width) << n << " bytes";
                EXPECT_EQ(image->height, whole->height) << n << " bytes";
                ASSERT_EQ(image->pixels.size(), whole->pixels.size()) << n << " bytes";
            }
        }
        const auto least = DecodeBmp(std::string_view(c.bytes).substr(0, shortest));
        if (c.rle) {
            EXPECT_EQ(least->pixels, std::vector<TColor>(whole->pixels.size(), P(0)));
        } else {
            EXPECT_EQ(least->pixels, whole->pixels);
        }
    }
}

}  // namespace
}  // namespace sorabell::platform
