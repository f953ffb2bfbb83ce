#include "Art.h"

#include <cstdint>
#include <iterator>
#include <string>

namespace sorabell::assets {

namespace {

void PutLe(std::string& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

bool Inside(int x, int y, int left, int top, int right, int bottom) {
    return x >= left && x < right && y >= top && y < bottom;
}

// A panel with a raised edge.
Rgb Panel(int x, int y, int left, int top, int right, int bottom, Rgb face) {
    if (x == left || y == top) {
        return {face.r + 40, face.g + 40, face.b + 45};
    }
    if (x == right - 1 || y == bottom - 1) {
        return {face.r / 2, face.g / 2, face.b / 2};
    }
    return face;
}

// '#' black, '.' white, anything else shows the screen.
constexpr const char* kHand[] = {
    "     ##                         ", "    #..#                        ", "    #..#                        ",
    "    #..#                        ", "    #..#                        ", "    #..###                      ",
    "    #..#..###                   ", "    #..#..#..##                 ", " ## #..#..#..#.#                ",
    "#..##........#..#               ", "#...#...........#               ", " #..............#               ",
    "  #.............#               ", "  #.............#               ", "   #...........#                ",
    "   #...........#                ", "    #.........#                 ", "    #.........#                 ",
    "    ###########                 ",
};

}  // namespace

std::string Bmp(int width, int height, const std::function<Rgb(int, int)>& pixel) {
    const int rowBytes = (width * 3 + 3) & ~3;
    std::string out = "BM";
    PutLe(out, static_cast<uint32_t>(54 + rowBytes * height), 4);
    PutLe(out, 0, 4);
    PutLe(out, 54, 4);
    PutLe(out, 40, 4);
    PutLe(out, static_cast<uint32_t>(width), 4);
    PutLe(out, static_cast<uint32_t>(height), 4);
    PutLe(out, 1, 2);
    PutLe(out, 24, 2);
    PutLe(out, 0, 4);
    PutLe(out, static_cast<uint32_t>(rowBytes * height), 4);
    PutLe(out, 2835, 4);
    PutLe(out, 2835, 4);
    PutLe(out, 0, 8);
    for (int y = height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            const Rgb c = pixel(x, y);
            row += static_cast<char>(c.b);
            row += static_cast<char>(c.g);
            row += static_cast<char>(c.r);
        }
        row.resize(static_cast<size_t>(rowBytes), '\0');
        out += row;
    }
    return out;
}

Rgb Player(int x, int y, Rgb tint) {
    // The window's body: a dark slate with a soft diagonal sheen.
    const int sheen = (x + 2 * y) % 64 < 32 ? 0 : 6;
    Rgb c{tint.r + sheen, tint.g + sheen, tint.b + sheen};
    if (Inside(x, y, 0, 0, 275, 14)) {  // the title bar
        c = {tint.r + 30, tint.g + 35, tint.b + 60};
        if (y == 6 && x > 100 && x < 175) {
            c = {200, 205, 220};
        }
    }
    if (Inside(x, y, 105, 20, 269, 72)) {  // the song title area
        c = Panel(x, y, 105, 20, 269, 72, {10, 22, 18});
        if (Inside(x, y, 107, 22, 267, 70) && (y % 4 == 0)) {
            c = {14, 30, 24};
        }
    }
    if (Inside(x, y, 34, 24, 101, 41)) {  // the time area
        c = Panel(x, y, 34, 24, 101, 41, {8, 12, 10});
    }
    if (Inside(x, y, 16, 86, 136, 106)) {  // play buttons
        const int button = (x - 16) / 24;
        c = Panel(x, y, 16 + button * 24, 86, 16 + button * 24 + 22, 106, {70, 76, 96});
    }
    if (Inside(x, y, 150, 88, 225, 96)) {  // the volume slider
        c = x < 150 + (y - 88) * 9 ? Rgb{60, 170, 90} : Rgb{40, 44, 56};
    }
    return c;
}

std::string DefaultMain() {
    return Bmp(275, 116, [](int x, int y) { return Player(x, y, {46, 40, 36}); });
}

std::string HandCursor() {
    constexpr int kSize = 32;
    constexpr int kHotX = 5;
    constexpr int kHotY = 0;
    std::string xorMask;
    std::string andMask;
    // Rows from the bottom up, one bit a pixel, the leftmost in the high bit.
    for (int y = kSize - 1; y >= 0; --y) {
        const char* row = y < static_cast<int>(std::size(kHand)) ? kHand[y] : "";
        for (int byte = 0; byte < kSize / 8; ++byte) {
            uint8_t xorBits = 0;
            uint8_t andBits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const int x = byte * 8 + bit;
                const char c = x < static_cast<int>(std::char_traits<char>::length(row)) ? row[x] : ' ';
                const uint8_t mask = static_cast<uint8_t>(0x80 >> bit);
                if (c == '.') {
                    xorBits |= mask;
                } else if (c != '#') {
                    andBits |= mask;
                }
            }
            xorMask += static_cast<char>(xorBits);
            andMask += static_cast<char>(andBits);
        }
    }
    constexpr uint32_t kHeader = 40;
    constexpr uint32_t kPalette = 8;
    const auto imageSize = static_cast<uint32_t>(kHeader + kPalette + xorMask.size() + andMask.size());
    std::string out;
    PutLe(out, 0, 2);  // reserved
    PutLe(out, 2, 2);  // a cursor file
    PutLe(out, 1, 2);  // one image
    out += static_cast<char>(kSize);
    out += static_cast<char>(kSize);
    PutLe(out, 0, 2);  // colours and reserved
    PutLe(out, kHotX, 2);
    PutLe(out, kHotY, 2);
    PutLe(out, imageSize, 4);
    PutLe(out, 22, 4);  // the image follows this directory
    PutLe(out, kHeader, 4);
    PutLe(out, kSize, 4);
    PutLe(out, kSize * 2, 4);  // the image and its mask
    PutLe(out, 1, 2);
    PutLe(out, 1, 2);  // one bit a pixel
    for (int i = 0; i < 6; ++i) {
        PutLe(out, 0, 4);
    }
    PutLe(out, 0x000000, 4);
    PutLe(out, 0xFFFFFF, 4);
    return out + xorMask + andMask;
}

}  // namespace sorabell::assets
