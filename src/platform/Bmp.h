#pragma once
// The project's own BMP reader, for skin images. Skins carry every kind of BMP and broken ones
// too, so it reads every common layout and answers "no image" for anything it cannot trust; it
// never reads outside the bytes and never allocates more than a capped picture.
//
// What it reads:
// - info headers of 12 (OS/2 1.x, 3-byte palette entries), 40, 52, 56, 108 and 124 bytes, and
//   the 64-byte OS/2 2.x header when its compression is none, RLE8 or RLE4;
// - 1, 4 and 8 bits per pixel with a palette of biClrUsed entries (0: all 2^bpp); an index with
//   no entry, because the palette is short or the pixel data starts inside it, reads black;
// - 16 bits (5-5-5 unless bit-field masks say otherwise), 24 bits, 32 bits (BGRX unless masks
//   say otherwise); masks must be contiguous runs of bits inside the pixel, and a field narrower
//   than 8 bits widens by repeating its bits, as GDI does (5-bit 31 is 255);
// - RLE8 and RLE4 with every escape; pixels the stream never writes keep the colour of palette
//   index 0, runs past the right edge are cut there, and the stream may end early;
// - bottom-up (positive height) and top-down (negative height, never with RLE) rows.
//
// Where the pixel data is: at bfOffBits; a bfOffBits of 0, as some writers leave it, means right
// after the palette. An offset that points inside the headers is broken.
//
// What it refuses: a width or height of 0, a negative width, a side over 32767 or more than
// 16M pixels, other bit depths and compressions (JPEG or PNG inside a BMP, OS/2 Huffman and
// RLE24), and uncompressed pixel data that does not hold every pixel of every row: only the
// padding after the last row may be missing.

#include <optional>
#include <string_view>
#include <vector>

#include "platform/Color.h"

namespace sorabell::platform {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<TColor> pixels;  // row-major from the top row, width * height entries

    // The pixel at column x of row y counted from the top; std::out_of_range outside the picture.
    TColor At(int x, int y) const;
};

inline constexpr int kBmpMaxSide = 32767;
inline constexpr long long kBmpMaxPixels = 16LL * 1024 * 1024;

// The picture of a BMP file; empty when the bytes are no BMP the reader understands or are broken.
std::optional<Image> DecodeBmp(std::string_view bytes);

}  // namespace sorabell::platform
