#include "platform/FilePath.h"

#include <algorithm>

namespace sorabell::platform {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The code point that begins at `at`, and its length; a broken or overlong sequence, a
// surrogate and anything past U+10FFFF is one byte of U+FFFD.
std::pair<char32_t, size_t> DecodeAt(std::string_view text, size_t at) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned lead = byte(at);
    if (lead < 0x80) {
        return {lead, 1};
    }
    size_t length = 0;
    char32_t value = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, least = 0x10000;
    } else {
        return {kReplacement, 1};
    }
    if (at + length > text.size()) {
        return {kReplacement, 1};
    }
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            return {kReplacement, 1};
        }
        value = (value << 6) | (byte(at + i) & 0x3F);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return {kReplacement, 1};
    }
    return {value, length};
}

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c >= 0x10000) {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
        out += static_cast<char16_t>(c);
    }
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        const auto [c, length] = DecodeAt(text, at);
        AppendUtf16(out, c);
        at += length;
    }
    return out;
}

FilePath FilePath::FromCp932(std::string_view cp932, CodePage& codePage) {
    if (IsAscii(cp932)) {
        return FilePath(std::string(cp932));
    }
    return FilePath(Utf16ToUtf8(codePage.ToUtf16(cp932)));
}

std::u16string FilePath::Utf16() const { return Utf8ToUtf16(utf8_); }

std::optional<std::string> FilePath::ExactCp932(CodePage& codePage) const {
    if (IsAscii(utf8_)) {
        return utf8_;
    }
    const std::u16string wide = Utf16();
    // Beyond the Basic Multilingual Plane, and a broken sequence, CP932 holds nothing.
    if (std::any_of(wide.begin(), wide.end(),
                    [](char16_t u) { return u == kReplacement || (u >= 0xD800 && u <= 0xDFFF); })) {
        return std::nullopt;
    }
    return codePage.ExactFromUtf16(wide);
}

std::string FilePath::Cp932Text(CodePage& codePage) const {
    if (auto exact = ExactCp932(codePage)) {
        return std::move(*exact);
    }
    // Character by character, so that each one the code page lacks is a "?" of its own.
    std::string out;
    for (size_t at = 0; at < utf8_.size();) {
        const auto [c, length] = DecodeAt(utf8_, at);
        at += length;
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        std::optional<std::string> one;
        if (c < 0x10000 && c != kReplacement) {
            const char16_t unit = static_cast<char16_t>(c);
            one = codePage.ExactFromUtf16(std::u16string_view(&unit, 1));
        }
        out += one ? *one : std::string("?");
    }
    return out;
}

size_t FilePath::NameStart() const {
    const size_t last = utf8_.find_last_of("\\:");
    return last == std::string::npos ? 0 : last + 1;
}

FilePath FilePath::Folder() const { return FilePath(utf8_.substr(0, NameStart())); }

std::string_view FilePath::Name() const { return std::string_view(utf8_).substr(NameStart()); }

std::string_view FilePath::Extension() const {
    const std::string_view name = Name();
    const size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

std::string_view FilePath::NameWithoutExtension() const {
    const std::string_view name = Name();
    return name.substr(0, name.size() - Extension().size());
}

}  // namespace sorabell::platform
