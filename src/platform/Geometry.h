#pragma once
// Places and sizes in pixels.

namespace sorabell::platform {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

struct Point {
    int x = 0;
    int y = 0;
};

}  // namespace sorabell::platform
