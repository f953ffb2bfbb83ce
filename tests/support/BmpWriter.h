#pragma once
// BMP files made by the tests, byte by byte and independently of the reader: every header
// field is set by the test, so that a test can also write a file that lies.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sorabell::testing {

inline void PutLe(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
};

struct BmpFile {
    uint32_t infoSize = 40;  // 12 writes the OS/2 1.x header with 16-bit sides
    int32_t width = 0;
    int32_t height = 0;  // as stored: negative for top-down rows
    uint16_t planes = 1;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t colorsUsed = 0;
    std::vector<Rgb> palette;         // 3-byte entries after a 12-byte header, 4-byte ones otherwise
    std::vector<uint32_t> masks;      // inside a header of 52 bytes or more, else after the header
    std::string pixelData;            // as stored
    std::optional<uint32_t> offBits;  // by default right after the palette

    std::string Bytes() const {
        std::string info;
        PutLe(info, infoSize, 4);
        if (infoSize == 12) {
            PutLe(info, static_cast<uint32_t>(width), 2);
            PutLe(info, static_cast<uint32_t>(height), 2);
            PutLe(info, planes, 2);
            PutLe(info, bitCount, 2);
        } else {
            PutLe(info, static_cast<uint32_t>(width), 4);
            PutLe(info, static_cast<uint32_t>(height), 4);
            PutLe(info, planes, 2);
            PutLe(info, bitCount, 2);
            PutLe(info, compression, 4);
            PutLe(info, static_cast<uint32_t>(pixelData.size()), 4);
            PutLe(info, 2835, 4);  // 72 dots per inch
            PutLe(info, 2835, 4);
            PutLe(info, colorsUsed, 4);
            PutLe(info, 0, 4);
        }
        std::string afterHeader;
        if (infoSize >= 52) {
            for (size_t i = 0; i < masks.size() && info.size() + 4 <= infoSize; ++i) {
                PutLe(info, masks[i], 4);
            }
        } else {
            for (uint32_t mask : masks) {
                PutLe(afterHeader, mask, 4);
            }
        }
        info.resize(infoSize, '\0');
        for (const Rgb& entry : palette) {
            afterHeader += static_cast<char>(entry.b);
            afterHeader += static_cast<char>(entry.g);
            afterHeader += static_cast<char>(entry.r);
            if (infoSize != 12) {
                afterHeader += '\x7F';  // the reserved byte, never a colour
            }
        }
        const auto dataAt = static_cast<uint32_t>(14 + info.size() + afterHeader.size());
        std::string file = "BM";
        PutLe(file, dataAt + static_cast<uint32_t>(pixelData.size()), 4);
        PutLe(file, 0, 4);
        PutLe(file, offBits.value_or(dataAt), 4);
        return file + info + afterHeader + pixelData;
    }
};

// Rows of pixels given from the top row down, stored bottom-up unless `topDown`, each padded to
// four bytes. A value is a palette index for 1, 4 and 8 bits (leftmost pixel in the high bits),
// 0xRRGGBB for 24 bits, and the stored little-endian word for 16 and 32 bits.
inline std::string PixelRows(int bitCount, const std::vector<std::vector<uint32_t>>& rows, bool topDown = false) {
    std::string out;
    for (size_t n = 0; n < rows.size(); ++n) {
        const std::vector<uint32_t>& row = rows[topDown ? n : rows.size() - 1 - n];
        std::string packed;
        if (bitCount < 8) {
            const int perByte = 8 / bitCount;
            for (size_t x = 0; x < row.size(); x += static_cast<size_t>(perByte)) {
                uint32_t byte = 0;
                for (int i = 0; i < perByte; ++i) {
                    const uint32_t value =
                        x + static_cast<size_t>(i) < row.size() ? row[x + static_cast<size_t>(i)] : 0;
                    byte |= value << (8 - bitCount * (i + 1));
                }
                packed += static_cast<char>(byte);
            }
        } else {
            for (uint32_t value : row) {
                PutLe(packed, value, bitCount / 8);
            }
        }
        while (packed.size() % 4 != 0) {
            packed += '\0';
        }
        out += packed;
    }
    return out;
}

}  // namespace sorabell::testing
