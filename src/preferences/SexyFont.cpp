#include "preferences/SexyFont.h"

#include <cstdlib>

#include "platform/Text.h"

namespace sorabell::preferences {

namespace {

constexpr const char* kOverlayDefaultFace = "ＭＳ ゴシック";

bool ReadSwitch(platform::TIniFile& ini, const char* key) { return ini.ReadInteger(kSexyFontSection, key, 0) != 0; }

}  // namespace

int32_t SexyFontNumber(std::string text) {
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.replace(0, 2, "$");
    }
    return text::StrToInt(text);
}

int32_t PointsToHeight(int32_t points, int pixelsPerInch) {
    const long long product = static_cast<long long>(points) * pixelsPerInch;
    const long long pixels = (std::llabs(product) + 36) / 72;
    return static_cast<int32_t>(product < 0 ? pixels : -pixels);
}

SexyFontFonts ReadSexyFontFonts(platform::TIniFile& ini, int pixelsPerInch) {
    SexyFontFonts fonts;
    fonts.face = ini.ReadString(kSexyFontSection, "FontFace", kOverlayDefaultFace);
    fonts.faceDouble = ini.ReadString(kSexyFontSection, "FontFaceDouble", kOverlayDefaultFace);
    // The plug-in keeps either pixels or points.
    if (ini.ReadInteger(kSexyFontSection, "FontSizeLogical", 0) != 0) {
        fonts.height = -ini.ReadInteger(kSexyFontSection, "FontSize", 12);
    } else {
        fonts.height = PointsToHeight(ini.ReadInteger(kSexyFontSection, "FontSize", 9), pixelsPerInch);
    }
    fonts.bold = ReadSwitch(ini, "FontBold");
    fonts.italic = ReadSwitch(ini, "FontItalic");
    fonts.boldDouble = ReadSwitch(ini, "FontBoldDouble");
    fonts.italicDouble = ReadSwitch(ini, "FontItalicDouble");
    return fonts;
}

TColor ReadSexyFontColor(platform::TIniFile& ini, const std::string& key, const std::string (&defaults)[3]) {
    const std::string whole = ini.ReadString(kSexyFontSection, key, "");
    if (!whole.empty()) {
        return SexyFontNumber(whole);
    }
    const char* parts[3] = {"Red", "Green", "Blue"};
    TColor color = 0;
    for (int i = 0; i < 3; ++i) {
        const int32_t part = SexyFontNumber(ini.ReadString(kSexyFontSection, key + parts[i], defaults[i]));
        color |= (part & 0xFF) << (8 * i);
    }
    return color;
}

}  // namespace sorabell::preferences
