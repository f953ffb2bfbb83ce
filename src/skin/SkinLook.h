#pragma once
// How a skin's text looks, shared by the display program and the preferences program's preview:
// the skin's images read by path, the six text colours and the background of its text.bmp, a
// line's text drawn with its shadow and in colour bands, and the menu mark.

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "platform/Color.h"
#include "platform/FileSystem.h"
#include "platform/Geometry.h"
#include "platform/Graphics.h"

namespace sorabell::skin {

// The grey of the plain background's frame.
inline constexpr TColor kFrameGrey = 0x9C948E;

// Where the menu mark sits on Winamp's main window at normal size (twice as far at double size).
inline constexpr platform::Point kMarkPlace{240, 95};

// A skin image; null when it is missing or cannot be read.
std::unique_ptr<platform::Bitmap> LoadImage(platform::Graphics& graphics, platform::FileSystem& files,
                                            const std::string& path);

TColor BottomRight(platform::Bitmap& image);

// Winamp's own text colours, which stand for a pixel that a text.bmp too small does not have.
inline constexpr TColor kWinampTextColor = 0x00C400;
inline constexpr TColor kWinampBackColor = 0x040402;

// What text.bmp gives: column 5 of its first six rows, top row first, for the text, and its
// bottom-right pixel for the background; Winamp's own colour for each pixel it does not have.
struct TextColors {
    std::array<TColor, 6> text{};
    TColor background = 0;
};

// None when the image is missing (null) or cannot be read.
std::optional<TextColors> PickTextColors(platform::Bitmap* image);

// The text in the canvas's font colour with its cell's top-left corner at (x, y); clipped to
// `clip` when given, else drawn as TextOut draws.
void DrawText(platform::Canvas& canvas, int x, int y, const std::string& text,
              const std::optional<platform::Rect>& clip = std::nullopt);

// The shadow of a text placed at (x, y): the text again `passes` times, each `step` pixels
// further right and down, in the canvas's font colour.
void DrawShadow(platform::Canvas& canvas, int x, int y, const std::string& text, int step, int passes,
                const std::optional<platform::Rect>& clip = std::nullopt);

// Recolours a text drawn at (x, y) in horizontal bands: for k = 1 to 5 the text again in
// colour k, clipped to `area` and to the rows from k bands below its top, a band being a sixth
// of the font's height. The first colour stays on the top band, the last fills the rest. Leaves
// the font colour at the first colour.
void DrawColorBands(platform::Canvas& canvas, const platform::Rect& area, int x, int y, const std::string& text,
                    const std::array<TColor, 6>& colors);

// The menu mark in `color` with its cell's top-left corner at `place`, in the canvas's font.
void DrawMark(platform::Canvas& canvas, platform::Point place, const std::string& mark, TColor color);

}  // namespace sorabell::skin
