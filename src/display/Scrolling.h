#pragma once

#include "display/DisplayTypes.h"

namespace sorabell::display {

// One tick of a scrolling line: a line wider than the bitmap rests three ticks, moves left
// `scrollDot` pixels a tick until its end shows, rests, moves back, and so on; a line that fits
// stays at offset 0. True when the display must be drawn again. The text's width and Winamp's
// scale are asked for only when the step needs them.
template <class TextWidth, class Scale>
bool ScrollStep(TDispOption& line, TextWidth textWidth, int bitmapWidth, int scrollDot, Scale scale) {
    if (line.waitCount >= 0) {
        --line.waitCount;
        return false;
    }
    switch (line.scrollMode) {
        case 0:
            line.scrollOffset = 0;
            line.waitCount = 2;
            // The text needs two pixels of room beside it.
            if (bitmapWidth < textWidth() + 2) {
                line.scrollMode = 1;
                return true;
            }
            return false;
        case 1:
            line.scrollOffset += scrollDot;
            if (textWidth() - line.scrollOffset * scale() + 2 < bitmapWidth) {
                line.waitCount = 2;
                line.scrollMode = 2;
            }
            return true;
        case 2:
            line.scrollOffset -= scrollDot;
            if (line.scrollOffset < 0) {
                line.scrollOffset = 0;
                line.scrollMode = 0;
            }
            return true;
        default:
            return false;
    }
}

// A changed text returns its line to the start of the cycle.
inline void ResetScroll(TDispOption& line) {
    line.scrollMode = 0;
    line.scrollOffset = 0;
    line.waitCount = 0;
}

}  // namespace sorabell::display
