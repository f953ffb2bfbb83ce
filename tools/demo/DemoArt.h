#pragma once
// The demo's own pictures (a player skin, its digits and text colours), drawn by code; the
// programs' own pictures come from the asset tool's drawing.

#include <string>

#include "Art.h"

namespace sorabell::demo {

using assets::Bmp;
using assets::DefaultMain;
using assets::HandCursor;
using assets::Player;
using assets::Rgb;

// 24-bit BMP files.
std::string SkinMain();     // 275 x 116, the player's main window
std::string SkinNumbers();  // 108 x 13: digits 0 to 9, a blank and a minus sign
std::string SkinText();     // 155 x 74: column 5 holds six text colours

}  // namespace sorabell::demo
