#pragma once
// The settings of the Winamp font overlay plug-in ("YunaSoft Font Overlay Plug-In"), read from
// the sexyfont.ini of a skin's folder for the display page's import.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Color.h"
#include "platform/IniFiles.h"

namespace sorabell::preferences {

inline constexpr const char* kSexyFontFile = "sexyfont.ini";
inline constexpr const char* kSexyFontSection = "YunaSoft Font Overlay Plug-In";

// The plug-in's number text: "0x1F" and "$1F" hexadecimal, with an optional sign; anything
// else throws EConvertError, whose message quotes the text as QuotedValue does.
int32_t SexyFontNumber(const std::string& text);

// A value in quotes for a message: a long one keeps its start and its end around "…", so that
// the sentence after it still shows.
std::string QuotedValue(std::string_view value);

// A size in points as a font height on a screen of `pixelsPerInch`: minus the pixels, rounded
// half away from zero, as the system's fonts convert it; wide enough for any size.
int64_t PointsToHeight(int32_t points, int pixelsPerInch);

struct SexyFontFonts {
    std::string face;
    std::string faceDouble;
    // Of the normal font, always one a font can have; the double-size font's is twice it. A
    // size that is not positive or gives more than the largest height is the plug-in's default.
    int32_t height = 0;
    bool bold = false;
    bool italic = false;
    bool boldDouble = false;
    bool italicDouble = false;
};

SexyFontFonts ReadSexyFontFonts(platform::TIniFile& ini, int pixelsPerInch);

// A colour from `key` when that holds text, else built from the red, green and blue keys;
// `defaults` are the three parts' default texts. A part's number keeps its lowest byte.
TColor ReadSexyFontColor(platform::TIniFile& ini, const std::string& key, const std::string (&defaults)[3]);

}  // namespace sorabell::preferences
