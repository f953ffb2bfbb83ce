#pragma once
// A window as the screen shows it. What another program paints on a window is on the screen but
// not in the window owner's own picture, so the pixels are read from the screen's DC.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/Color.h"

namespace sorabell::testing {

class ScreenCapture {
public:
    explicit ScreenCapture(HWND window);

    int width() const { return width_; }
    int height() const { return height_; }
    // A pixel at a position relative to the window's top-left corner; -1 outside.
    TColor At(int x, int y) const;
    // The leftmost column inside the rectangle holding `color`, or -1.
    int FirstColumnOf(TColor color, int left, int top, int right, int bottom) const;
    int Count(TColor color, int left, int top, int right, int bottom) const;
    bool SameRegion(const ScreenCapture& other, int left, int top, int right, int bottom) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;  // 0x00RRGGBB, top row first
};

}  // namespace sorabell::testing
