#include "DemoArt.h"

#include <string>

namespace sorabell::demo {

namespace {

// Seven segments of a digit in a 9 x 13 cell: a top, upper-left, upper-right, middle,
// lower-left, lower-right and bottom bar.
bool Segment(int digit, int x, int y) {
    static const int kSegments[10] = {0x77, 0x24, 0x5D, 0x6D, 0x2E, 0x6B, 0x7B, 0x25, 0x7F, 0x6F};
    const int s = kSegments[digit];
    const bool top = (s & 1) && y == 1 && x >= 2 && x <= 6;
    const bool upperLeft = (s & 2) && x == 1 && y >= 2 && y <= 5;
    const bool upperRight = (s & 4) && x == 7 && y >= 2 && y <= 5;
    const bool middle = (s & 8) && y == 6 && x >= 2 && x <= 6;
    const bool lowerLeft = (s & 16) && x == 1 && y >= 7 && y <= 10;
    const bool lowerRight = (s & 32) && x == 7 && y >= 7 && y <= 10;
    const bool bottom = (s & 64) && y == 11 && x >= 2 && x <= 6;
    return top || upperLeft || upperRight || middle || lowerLeft || lowerRight || bottom;
}

}  // namespace

std::string SkinMain() {
    return Bmp(275, 116, [](int x, int y) { return Player(x, y, {34, 38, 52}); });
}

std::string SkinNumbers() {
    const Rgb transparent{255, 0, 255};
    return Bmp(108, 13, [transparent](int x, int y) {
        const int cell = x / 9;
        const int cx = x % 9;
        if (cell <= 9 && Segment(cell, cx, y)) {
            return Rgb{90, 255, 140};
        }
        if (cell == 11 && y == 6 && cx >= 2 && cx <= 6) {
            return Rgb{90, 255, 140};
        }
        return transparent;
    });
}

std::string SkinText() {
    return Bmp(155, 74, [](int x, int y) {
        if (x == 5 && y < 6) {
            return Rgb{120 + y * 24, 255 - y * 10, 90 + y * 20};
        }
        return Rgb{10, 22, 18};
    });
}

}  // namespace sorabell::demo
