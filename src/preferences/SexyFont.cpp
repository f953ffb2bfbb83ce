#include "preferences/SexyFont.h"

#include <cstdlib>

#include "platform/Errors.h"
#include "platform/Text.h"
#include "settings/Schema.h"

namespace sorabell::preferences {

namespace {

constexpr const char* kOverlayDefaultFace = "ＭＳ ゴシック";
// The plug-in's own size without a setting: in points, or in pixels.
constexpr int32_t kOverlayDefaultPoints = 9;
constexpr int32_t kOverlayDefaultPixels = 12;
// How much of a long value a message quotes: its start and its end.
constexpr size_t kQuotedHead = 40;
constexpr size_t kQuotedTail = 16;

bool ReadSwitch(platform::TIniFile& ini, const char* key) { return ini.ReadInteger(kSexyFontSection, key, 0) != 0; }

std::string ReadFace(platform::TIniFile& ini, const char* key) {
    const std::string face = ini.ReadString(kSexyFontSection, key, kOverlayDefaultFace);
    return face.empty() ? kOverlayDefaultFace : face;
}

bool IsNormalHeight(int64_t height) { return height < 0 && height >= -settings::kMaxFontHeight; }

// A size in pixels or points as a font height; 0 when no font can be that size.
int32_t HeightOf(int32_t size, bool pixels, int pixelsPerInch) {
    if (size <= 0) {
        return 0;
    }
    const int64_t height = pixels ? -static_cast<int64_t>(size) : PointsToHeight(size, pixelsPerInch);
    return IsNormalHeight(height) ? static_cast<int32_t>(height) : 0;
}

}  // namespace

std::string QuotedValue(std::string_view value) {
    if (value.size() <= kQuotedHead + kQuotedTail + 8) {
        return "'" + std::string(value) + "'";
    }
    const std::string_view head = text::CutToBytes(value, kQuotedHead);
    size_t tailStart = value.size() - kQuotedTail;
    if (text::ByteTypeAt(value, tailStart) == text::ByteKind::Trail) {
        ++tailStart;
    }
    return "'" + std::string(head) + "…" + std::string(value.substr(tailStart)) + "'";
}

int32_t SexyFontNumber(const std::string& text) {
    // "0x" reads as "$" does; the message quotes the file's own text.
    if (const auto value = text::ParseInt(text)) {
        return *value;
    }
    throw EConvertError(QuotedValue(text) + " は整数値ではありません");
}

int64_t PointsToHeight(int32_t points, int pixelsPerInch) {
    const int64_t product = static_cast<int64_t>(points) * pixelsPerInch;
    const int64_t pixels = (std::llabs(product) + 36) / 72;
    return product < 0 ? pixels : -pixels;
}

SexyFontFonts ReadSexyFontFonts(platform::TIniFile& ini, int pixelsPerInch) {
    SexyFontFonts fonts;
    fonts.face = ReadFace(ini, "FontFace");
    fonts.faceDouble = ReadFace(ini, "FontFaceDouble");
    // The plug-in keeps either pixels or points. A size no font can have is the plug-in's own.
    const bool pixels = ini.ReadInteger(kSexyFontSection, "FontSizeLogical", 0) != 0;
    const int32_t fallback = pixels ? kOverlayDefaultPixels : kOverlayDefaultPoints;
    fonts.height = HeightOf(ini.ReadInteger(kSexyFontSection, "FontSize", fallback), pixels, pixelsPerInch);
    if (fonts.height == 0) {
        fonts.height = HeightOf(fallback, pixels, pixelsPerInch);
    }
    if (fonts.height == 0) {
        fonts.height = -kOverlayDefaultPixels;
    }
    fonts.bold = ReadSwitch(ini, "FontBold");
    fonts.italic = ReadSwitch(ini, "FontItalic");
    fonts.boldDouble = ReadSwitch(ini, "FontBoldDouble");
    fonts.italicDouble = ReadSwitch(ini, "FontItalicDouble");
    return fonts;
}

TColor ReadSexyFontColor(platform::TIniFile& ini, const std::string& key, const std::string (&defaults)[3]) {
    const std::string whole = ini.ReadString(kSexyFontSection, key, "");
    // A whole colour keeps its three colour bytes, as a part keeps its lowest one.
    if (!whole.empty()) {
        return SexyFontNumber(whole) & settings::kMaxColor;
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
