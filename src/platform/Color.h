#pragma once

#include <cstdint>

namespace sorabell {

// A colour as the forms store it: 0x00BBGGRR in a signed 32-bit integer.
using TColor = int32_t;

constexpr TColor RGBColor(int r, int g, int b) { return static_cast<TColor>((b << 16) | (g << 8) | r); }
constexpr int RedOf(TColor c) { return c & 0xFF; }
constexpr int GreenOf(TColor c) { return (c >> 8) & 0xFF; }
constexpr int BlueOf(TColor c) { return (c >> 16) & 0xFF; }

}  // namespace sorabell
