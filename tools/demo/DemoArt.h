#pragma once
// The demo's own pictures (a player skin, its digits and text colours) and the programs' own
// (the default picture, the hand cursor), drawn by code.

#include <functional>
#include <string>

namespace sorabell::demo {

struct Rgb {
    int r, g, b;
};

// A 24-bit BMP file of the pixels `pixel(x, y)` gives, the top row being y = 0.
std::string Bmp(int width, int height, const std::function<Rgb(int, int)>& pixel);

// 24-bit BMP files.
std::string SkinMain();     // 275 x 116, the player's main window
std::string SkinNumbers();  // 108 x 13: digits 0 to 9, a blank and a minus sign
std::string SkinText();     // 155 x 74: column 5 holds six text colours
std::string DefaultMain();  // the program's own picture for skins without one

// A 32 x 32 monochrome cursor file: a hand pointing up, its hot spot at the fingertip; the
// preferences program's "HANDPOINT" cursor.
std::string HandCursor();

}  // namespace sorabell::demo
