#pragma once
// The small pictures the toolkit draws on glyph buttons, made here rather than taken from
// anywhere: pixels in TColor, kClear where the button's face shows through.

#include <vector>

#include "platform/Color.h"
#include "platform/Widgets.h"

namespace sorabell::platform {

struct GlyphImage {
    static constexpr TColor kClear = -1;
    int width = 0;
    int height = 0;
    std::vector<TColor> pixels;  // row by row from the top
};

GlyphImage DrawGlyph(Glyph glyph);

}  // namespace sorabell::platform
