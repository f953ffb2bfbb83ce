#include "platform/sim/SimFont.h"

#include FT_OUTLINE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <set>
#include <stdexcept>

#include "platform/sim/Encoding.h"

namespace sorabell::sim {

namespace {

// The slant GDI gives a face that has no italic of its own: about 12 degrees (16.16 fixed).
constexpr FT_Fixed kItalicShear = 0x0366A;
constexpr int kMaxEm = 1024;
constexpr const char* kFallbackFamily = "IPAGothic";

int RoundScaled(long units, int em, int unitsPerEm) {
    return static_cast<int>(std::lround(static_cast<double>(units) * em / unitsPerEm));
}

bool PixelSet(const FT_Bitmap& bitmap, const unsigned char* row, unsigned column) {
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        return (row[column >> 3] & (0x80 >> (column & 7))) != 0;
    }
    if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
        return row[column] >= 128;
    }
    return false;
}

// The runs of one row; a bold font's runs grow one pixel to the right, as GDI's simulated bold
// smears each glyph by a pixel, and runs that then touch become one.
void AddRow(std::vector<GlyphSpan>& spans, std::vector<std::pair<int, int>>& runs, int y, bool bold) {
    if (bold) {
        for (auto& run : runs) {
            ++run.second;
        }
        std::vector<std::pair<int, int>> merged;
        for (const auto& run : runs) {
            if (!merged.empty() && run.first <= merged.back().second) {
                merged.back().second = std::max(merged.back().second, run.second);
            } else {
                merged.push_back(run);
            }
        }
        runs.swap(merged);
    }
    for (const auto& [x0, x1] : runs) {
        spans.push_back({static_cast<int16_t>(y), static_cast<int16_t>(x0), static_cast<int16_t>(x1)});
    }
    runs.clear();
}

}  // namespace

SizedFont::SizedFont(FT_Face face, const platform::FontSpec& spec) : face_(face), style_(spec.style) {
    long ascender = 0;
    long descender = 0;
    const auto* os2 = face_ != nullptr ? static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2)) : nullptr;
    if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
        // GDI's cell is the Windows ascent and descent of the OS/2 table.
        ascender = os2->usWinAscent;
        descender = os2->usWinDescent;
    } else if (face_ != nullptr) {
        ascender = face_->ascender;
        descender = -face_->descender;
    }
    const int unitsPerEm = face_ != nullptr ? face_->units_per_EM : 0;
    const bool metrics = unitsPerEm > 0 && ascender + descender > 0;

    if (spec.height > 0) {
        // A positive height is the cell; the em follows from the face's proportions.
        em_ = metrics ? static_cast<int>(std::lround(static_cast<double>(spec.height) * unitsPerEm /
                                                     static_cast<double>(ascender + descender)))
                      : spec.height;
    } else if (spec.height < 0) {
        em_ = -spec.height;
    }
    // A height of 0 asks for the system's usual size: the 12 pixels em_ starts with.
    em_ = std::clamp(em_, 1, kMaxEm);

    if (metrics) {
        // The baseline stands where the face's ascent puts it at this em; of a cell height the
        // rest below the baseline is the descent.
        ascent_ = RoundScaled(ascender, em_, unitsPerEm);
        descent_ = spec.height > 0 ? std::max(0, spec.height - ascent_) : RoundScaled(descender, em_, unitsPerEm);
    } else {
        descent_ = em_ / 5;
        ascent_ = em_ - descent_;
    }

    underline_ = {1, 1};
    strikeOut_ = {-(ascent_ / 3), 1};
    if (unitsPerEm > 0) {
        underline_.thickness = std::max(1, RoundScaled(face_->underline_thickness, em_, unitsPerEm));
        // FreeType gives the middle of the stroke; the band starts half a thickness above it.
        const int middle = RoundScaled(-face_->underline_position, em_, unitsPerEm);
        underline_.top = std::max(0, std::min(middle - underline_.thickness / 2, descent_ - underline_.thickness));
        if (os2 != nullptr && os2->yStrikeoutSize > 0) {
            strikeOut_.thickness = std::max(1, RoundScaled(os2->yStrikeoutSize, em_, unitsPerEm));
            strikeOut_.top = -RoundScaled(os2->yStrikeoutPosition, em_, unitsPerEm);
        }
    }

    if (face_ != nullptr && FT_New_Size(face_, &size_) == 0) {
        FT_Activate_Size(size_);
        if (FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(em_)) != 0) {
            FT_Done_Size(size_);
            size_ = nullptr;
        }
    }
}

SizedFont::~SizedFont() {
    if (size_ != nullptr) {
        FT_Done_Size(size_);
    }
}

const Glyph& SizedFont::GlyphOf(char32_t code) {
    const auto it = glyphs_.find(code);
    if (it != glyphs_.end()) {
        return it->second;
    }
    return glyphs_.emplace(code, Render(code)).first->second;
}

int SizedFont::Width(std::u32string_view codes) {
    int width = 0;
    for (const char32_t code : codes) {
        width += GlyphOf(code).advance;
    }
    return width;
}

Glyph SizedFont::Render(char32_t code) {
    // A character the face lacks draws nothing and takes half the em.
    Glyph glyph{em_ / 2, {}};
    if (size_ == nullptr || code == FontEngine::kUndecodable) {
        return glyph;
    }
    const FT_UInt index = FT_Get_Char_Index(face_, code);
    if (index == 0) {
        return glyph;
    }
    FT_Activate_Size(size_);
    const bool italic = (style_ & platform::fontstyle::Italic) != 0;
    const bool bold = (style_ & platform::fontstyle::Bold) != 0;
    if (FT_Load_Glyph(face_, index, FT_LOAD_TARGET_MONO | (italic ? FT_LOAD_NO_BITMAP : 0)) != 0) {
        return glyph;
    }
    FT_GlyphSlot slot = face_->glyph;
    if (italic && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        FT_Matrix shear{0x10000, kItalicShear, 0, 0x10000};
        FT_Outline_Transform(&slot->outline, &shear);
    }
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) {
        return glyph;
    }
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6) + (bold ? 1 : 0);

    const FT_Bitmap& bitmap = slot->bitmap;
    const unsigned char* origin = bitmap.buffer;
    if (bitmap.pitch < 0) {
        origin -= static_cast<long>(bitmap.pitch) * static_cast<long>(bitmap.rows - 1);
    }
    std::vector<std::pair<int, int>> runs;
    for (unsigned r = 0; r < bitmap.rows; ++r) {
        const unsigned char* row = origin + static_cast<long>(r) * bitmap.pitch;
        int start = -1;
        for (unsigned c = 0; c <= bitmap.width; ++c) {
            const bool set = c < bitmap.width && PixelSet(bitmap, row, c);
            if (set && start < 0) {
                start = static_cast<int>(c);
            } else if (!set && start >= 0) {
                runs.emplace_back(slot->bitmap_left + start, slot->bitmap_left + static_cast<int>(c));
                start = -1;
            }
        }
        AddRow(glyph.spans, runs, static_cast<int>(r) - slot->bitmap_top, bold);
    }
    return glyph;
}

FontEngine::FontEngine() {
    if (FT_Init_FreeType(&library_) != 0) {
        throw std::runtime_error("FreeType does not start");
    }
}

FontEngine::~FontEngine() {
    fonts_.clear();
    for (const auto& [file, face] : facesByFile_) {
        if (face != nullptr) {
            FT_Done_Face(face);
        }
    }
    FT_Done_FreeType(library_);
    if (config_ != nullptr) {
        FcConfigDestroy(config_);
    }
}

std::string FontEngine::HostFamily(const std::string& faceName) {
    // The faces of a Japanese Windows and the IPA faces drawn to the same measures.
    static constexpr std::pair<const char*, const char*> kJapaneseFaces[] = {
        {"ＭＳ ゴシック", "IPAGothic"}, {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"ＭＳ 明朝", "IPAMincho"},
        {"ＭＳ Ｐ明朝", "IPAPMincho"},  {"MS Gothic", "IPAGothic"},        {"MS PGothic", "IPAPGothic"},
        {"MS Mincho", "IPAMincho"},     {"MS PMincho", "IPAPMincho"},
    };
    for (const auto& [windowsName, family] : kJapaneseFaces) {
        if (faceName == windowsName) {
            return family;
        }
    }
    return Cp932ToUtf8(faceName).value_or(std::string());
}

SizedFont& FontEngine::Font(const platform::FontSpec& spec) {
    auto key = std::make_tuple(spec.name, spec.height, spec.style);
    auto it = fonts_.find(key);
    if (it == fonts_.end()) {
        it = fonts_.emplace(std::move(key), std::make_unique<SizedFont>(FaceFor(spec.name), spec)).first;
    }
    return *it->second;
}

FT_Face FontEngine::FaceFor(const std::string& faceName) {
    const auto known = facesByName_.find(faceName);
    if (known != facesByName_.end()) {
        return known->second;
    }
    FT_Face face = nullptr;
    for (const std::string& family : {HostFamily(faceName), std::string(kFallbackFamily)}) {
        const std::string file = FileOf(family);
        if (!file.empty() && (face = OpenFace(file)) != nullptr) {
            break;
        }
    }
    facesByName_[faceName] = face;
    return face;
}

std::string FontEngine::FileOf(const std::string& family) {
    if (family.empty()) {
        return {};
    }
    if (config_ == nullptr && (config_ = FcInitLoadConfigAndFonts()) == nullptr) {
        return {};
    }
    // Only a font of exactly this family: fontconfig's nearest match for an unknown name would
    // differ from host to host, and an unknown face has its own fallback here.
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcObjectSet* objects = FcObjectSetBuild(FC_FILE, FC_WEIGHT, FC_SLANT, FC_SCALABLE, nullptr);
    FcFontSet* fonts = FcFontList(config_, pattern, objects);
    std::string best;
    int bestDistance = 0;
    for (int i = 0; fonts != nullptr && i < fonts->nfont; ++i) {
        FcChar8* file = nullptr;
        FcBool scalable = FcFalse;
        int weight = FC_WEIGHT_REGULAR;
        int slant = FC_SLANT_ROMAN;
        if (FcPatternGetString(fonts->fonts[i], FC_FILE, 0, &file) != FcResultMatch ||
            (FcPatternGetBool(fonts->fonts[i], FC_SCALABLE, 0, &scalable) == FcResultMatch && !scalable)) {
            continue;
        }
        FcPatternGetInteger(fonts->fonts[i], FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(fonts->fonts[i], FC_SLANT, 0, &slant);
        // The upright regular face: bold and italic are simulated, as for the IPA faces.
        const int distance = std::abs(weight - FC_WEIGHT_REGULAR) + (slant != FC_SLANT_ROMAN ? 1000 : 0);
        const std::string path = reinterpret_cast<const char*>(file);
        if (best.empty() || distance < bestDistance || (distance == bestDistance && path < best)) {
            best = path;
            bestDistance = distance;
        }
    }
    if (fonts != nullptr) {
        FcFontSetDestroy(fonts);
    }
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return best;
}

FT_Face FontEngine::OpenFace(const std::string& file) {
    const auto known = facesByFile_.find(file);
    if (known != facesByFile_.end()) {
        return known->second;
    }
    FT_Face face = nullptr;
    if (FT_New_Face(library_, file.c_str(), 0, &face) != 0) {
        face = nullptr;
    } else if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) {
        FT_Done_Face(face);
        face = nullptr;
    }
    facesByFile_[file] = face;
    return face;
}

std::u32string FontEngine::Decode(std::string_view cp932) {
    std::u32string codes;
    codes.reserve(cp932.size());
    std::string utf32;
    while (!cp932.empty()) {
        utf32.clear();
        const size_t taken = decoder_.Convert(cp932, utf32);
        const auto* p = reinterpret_cast<const unsigned char*>(utf32.data());
        for (size_t i = 0; i + 4 <= utf32.size(); i += 4) {
            codes.push_back(static_cast<char32_t>(p[i] | (p[i + 1] << 8) | (p[i + 2] << 16) |
                                                  (static_cast<uint32_t>(p[i + 3]) << 24)));
        }
        cp932.remove_prefix(taken);
        if (!cp932.empty()) {
            // A byte that starts no CP932 character, or half a character at the end.
            codes.push_back(kUndecodable);
            cp932.remove_prefix(1);
        }
    }
    return codes;
}

std::vector<std::string> InstalledFontFamilies() {
    std::vector<std::string> families;
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) {
        return families;
    }
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts = FcFontList(config, pattern, objects);
    std::set<std::string> seen;
    for (int i = 0; fonts != nullptr && i < fonts->nfont; ++i) {
        FcChar8* family = nullptr;
        if (FcPatternGetString(fonts->fonts[i], FC_FAMILY, 0, &family) != FcResultMatch) {
            continue;
        }
        const auto name = Utf8ToCp932(reinterpret_cast<const char*>(family));
        if (name && seen.insert(*name).second) {
            families.push_back(*name);
        }
    }
    if (fonts != nullptr) {
        FcFontSetDestroy(fonts);
    }
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    return families;
}

}  // namespace sorabell::sim
