#include "platform/Glyphs.h"

#include <string_view>

namespace sorabell::platform {

namespace {

// A yellow folder with its tab, half open: '#' outline, 'y' front, 'o' back, '.' clear.
constexpr std::string_view kFolder[] = {
    "................",  //
    "................",  //
    "..#####.........",  //
    ".#ooooo#........",  //
    ".#ooooooo######.",  //
    ".#oooooooooooo#.",  //
    ".#oo###########.",  //
    ".#o#yyyyyyyyyy#.",  //
    ".#o#yyyyyyyyyy#.",  //
    ".##yyyyyyyyyy#..",  //
    ".##yyyyyyyyyy#..",  //
    ".#yyyyyyyyyy#...",  //
    ".############...",  //
    "................",  //
    "................",  //
    "................",  //
};

TColor Ink(char c) {
    switch (c) {
        case '#':
            return RGBColor(64, 48, 0);
        case 'y':
            return RGBColor(255, 224, 96);
        case 'o':
            return RGBColor(208, 168, 48);
        default:
            return GlyphImage::kClear;
    }
}

}  // namespace

GlyphImage DrawGlyph(Glyph) {
    GlyphImage image;
    image.width = static_cast<int>(kFolder[0].size());
    image.height = static_cast<int>(std::size(kFolder));
    for (std::string_view row : kFolder) {
        for (char c : row) {
            image.pixels.push_back(Ink(c));
        }
    }
    return image;
}

}  // namespace sorabell::platform
