#pragma once
// Skin images made by the tests: every pixel tells where it came from, so a test can check on
// the player's window which region of which image landed where.

#include <functional>
#include <string>
#include <vector>

#include "platform/Color.h"
#include "support/BmpWriter.h"

namespace sorabell::testing {

// A 24-bit BMP whose pixel (x, y) is `color(x, y)`.
inline std::string Bmp24(int width, int height, const std::function<TColor(int, int)>& color) {
    std::vector<std::vector<uint32_t>> rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const TColor c = color(x, y);
            rows[static_cast<size_t>(y)].push_back(
                static_cast<uint32_t>((RedOf(c) << 16) | (GreenOf(c) << 8) | BlueOf(c)));
        }
    }
    BmpFile file;
    file.width = width;
    file.height = height;
    file.bitCount = 24;
    file.pixelData = PixelRows(24, rows);
    return file.Bytes();
}

// The main window image: red and green count the column and the row, blue marks the image.
inline TColor MainPixel(int x, int y, int blue = 0x40) { return RGBColor(x & 0xFF, (y * 2) & 0xFF, blue); }
inline std::string MainImage(int blue = 0x40) {
    return Bmp24(275, 116, [blue](int x, int y) { return MainPixel(x, y, blue); });
}

// The number cells: cell k (9 x 13 pixels) has its digit's pixels in InkOf(k) on a background of
// the transparent colour, which is also the image's bottom-right pixel.
inline constexpr TColor kTransparentInk = RGBColor(255, 0, 255);
inline TColor InkOf(int cell) { return RGBColor(20 + cell * 15, 250 - cell * 15, 90); }
// Whether (x, y) of a cell is ink: a frame one pixel inside the cell.
inline bool IsInk(int x, int y) {
    return (x == 1 || x == 7 || y == 1 || y == 11) && x >= 1 && x <= 7 && y >= 1 && y <= 11;
}
inline std::string NumbersImage(int width) {
    return Bmp24(width, 13, [](int x, int y) { return IsInk(x % 9, y) ? InkOf(x / 9) : kTransparentInk; });
}

// text.bmp: column 5 holds the six band colours in its first rows; the bottom-right pixel is
// the background.
inline TColor BandColor(int i) { return RGBColor(200 - i * 30, 40 + i * 30, 120); }
inline constexpr TColor kTextBackground = RGBColor(8, 16, 24);
inline std::string TextImage() {
    return Bmp24(155, 74, [](int x, int y) { return (x == 5 && y < 6) ? BandColor(y) : kTextBackground; });
}

}  // namespace sorabell::testing
