#pragma once
// The pictures the programs ship, drawn by code so that they can be made again from the
// sources: the display program's picture for skins without one, and the preferences program's
// hand cursor. The demo draws its own skin with the same player body.

#include <functional>
#include <string>

namespace sorabell::assets {

struct Rgb {
    int r, g, b;
};

// A 24-bit BMP file of the pixels `pixel(x, y)` gives, the top row being y = 0.
std::string Bmp(int width, int height, const std::function<Rgb(int, int)>& pixel);

// A pixel of a 275 x 116 player's main window whose body has the colour `tint`.
Rgb Player(int x, int y, Rgb tint);

// The display program's own picture for skins without one ("Default.Bmp"), a 24-bit BMP file.
std::string DefaultMain();

// A 32 x 32 monochrome cursor file: a hand pointing up, its hot spot at the fingertip; the
// preferences program's "HANDPOINT" cursor.
std::string HandCursor();

}  // namespace sorabell::assets
