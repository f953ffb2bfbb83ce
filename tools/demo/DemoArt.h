#pragma once
// The demo's own pictures: a player skin, its digits and text colours, drawn by code.

#include <string>

namespace sorabell::demo {

// 24-bit BMP files.
std::string SkinMain();     // 275 x 116, the player's main window
std::string SkinNumbers();  // 108 x 13: digits 0 to 9, a blank and a minus sign
std::string SkinText();     // 155 x 74: column 5 holds six text colours
std::string DefaultMain();  // the program's own picture for skins without one

}  // namespace sorabell::demo
