#pragma once
// Text for the simulated graphics: faces found through fontconfig, glyphs rendered by FreeType
// in monochrome (every glyph pixel is exactly the font colour, as GDI draws without font
// smoothing), kept in a cache so that a line drawn many times a second costs only its copying.

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "platform/Graphics.h"
#include "platform/sim/Encoding.h"

namespace sorabell::sim {

// One run of glyph pixels in a row, relative to the pen position on the baseline: the row is
// `y` (negative above the baseline), the columns are x0 up to but not including x1.
struct GlyphSpan {
    int16_t y;
    int16_t x0;
    int16_t x1;
};

struct Glyph {
    int advance = 0;
    std::vector<GlyphSpan> spans;
};

// A horizontal band of rows relative to the baseline, for underline and strike-out.
struct TextLine {
    int top = 0;
    int thickness = 1;
};

// A face at one size and style, with the glyphs drawn so far.
class SizedFont {
public:
    SizedFont(FT_Face face, const platform::FontSpec& spec);
    ~SizedFont();
    SizedFont(const SizedFont&) = delete;
    SizedFont& operator=(const SizedFont&) = delete;

    // The text cell: its top lies `ascent` rows above the baseline, its height is ascent + descent.
    int ascent() const { return ascent_; }
    int descent() const { return descent_; }
    const TextLine& underline() const { return underline_; }
    const TextLine& strikeOut() const { return strikeOut_; }
    int style() const { return style_; }

    const Glyph& GlyphOf(char32_t code);
    int Width(std::u32string_view codes);

private:
    Glyph Render(char32_t code);

    FT_Face face_;  // owned by the engine; null when the host has no font at all
    FT_Size size_ = nullptr;
    int style_ = 0;
    int em_ = 12;
    int ascent_ = 0;
    int descent_ = 0;
    TextLine underline_;
    TextLine strikeOut_;
    std::unordered_map<char32_t, Glyph> glyphs_;
};

// FreeType, fontconfig and the faces and sizes in use. One per graphics object; its canvases
// share it.
class FontEngine {
public:
    FontEngine();
    ~FontEngine();
    FontEngine(const FontEngine&) = delete;
    FontEngine& operator=(const FontEngine&) = delete;

    // The face the system's Japanese face names stand for on this host: its fontconfig family.
    static std::string HostFamily(const std::string& faceName);

    SizedFont& Font(const platform::FontSpec& spec);
    // CP932 text as code points; bytes that are no CP932 character become kUndecodable.
    std::u32string Decode(std::string_view cp932);

    static constexpr char32_t kUndecodable = 0x110000;

private:
    FT_Face FaceFor(const std::string& faceName);
    // The font file of a family that fontconfig knows by that name; empty when it has none.
    std::string FileOf(const std::string& family);
    FT_Face OpenFace(const std::string& file);

    FT_Library library_ = nullptr;
    FcConfig* config_ = nullptr;  // made when the first face is looked up
    EncodingConverter decoder_{"UTF-32LE", "CP932"};
    std::map<std::string, FT_Face> facesByFile_;
    std::map<std::string, FT_Face> facesByName_;
    std::map<std::tuple<std::string, int, int>, std::unique_ptr<SizedFont>> fonts_;
};

// The host's font families in fontconfig's order, each once, as CP932 (names CP932 cannot hold
// are left out).
std::vector<std::string> InstalledFontFamilies();

}  // namespace sorabell::sim
