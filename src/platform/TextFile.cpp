#include "platform/TextFile.h"

namespace sorabell::platform {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr char16_t kUnknown = u'?';

unsigned char Byte(std::string_view bytes, size_t at) { return static_cast<unsigned char>(bytes[at]); }

// The length of the well-formed UTF-8 sequence at `at` (no overlong forms, no surrogates,
// nothing beyond U+10FFFF) and its code point; 0 for a broken one.
size_t Utf8At(std::string_view bytes, size_t at, char32_t& code) {
    const unsigned char lead = Byte(bytes, at);
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    size_t length = 0;
    unsigned char low = 0x80;  // the range of the second byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (bytes.size() - at < length) {
        return 0;
    }
    code = lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        const unsigned char b = Byte(bytes, at + i);
        if (b < (i == 1 ? low : 0x80) || b > (i == 1 ? high : 0xBF)) {
            return 0;
        }
        code = (code << 6) | (b & 0x3F);
    }
    return length;
}

bool IsMultiByteUtf8(std::string_view bytes) {
    bool multiByte = false;
    char32_t code = 0;
    for (size_t at = 0; at < bytes.size();) {
        const size_t length = Utf8At(bytes, at, code);
        if (length == 0) {
            return false;
        }
        multiByte = multiByte || length > 1;
        at += length;
    }
    return multiByte;
}

void AppendCode(std::u16string& out, char32_t code) { out += code > 0xFFFF ? kUnknown : static_cast<char16_t>(code); }

}  // namespace

TextEncoding DetectTextEncoding(std::string_view bytes) {
    if (bytes.starts_with(kUtf16LeMark)) {
        return TextEncoding::Utf16Le;
    }
    if (bytes.starts_with(kUtf16BeMark)) {
        return TextEncoding::Utf16Be;
    }
    if (bytes.starts_with(kUtf8Mark) || IsMultiByteUtf8(bytes)) {
        return TextEncoding::Utf8;
    }
    return TextEncoding::Ansi;
}

std::u16string DecodeUnicodeText(std::string_view bytes, TextEncoding encoding) {
    std::u16string out;
    if (encoding == TextEncoding::Utf8) {
        if (bytes.starts_with(kUtf8Mark)) {
            bytes.remove_prefix(kUtf8Mark.size());
        }
        out.reserve(bytes.size());
        char32_t code = 0;
        for (size_t at = 0; at < bytes.size();) {
            const size_t length = Utf8At(bytes, at, code);
            AppendCode(out, length == 0 ? kUnknown : code);
            at += length == 0 ? 1 : length;
        }
    } else if (encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be) {
        bytes.remove_prefix(2);
        const bool little = encoding == TextEncoding::Utf16Le;
        const auto unit = [&](size_t at) {
            return static_cast<char16_t>(little ? Byte(bytes, at) | Byte(bytes, at + 1) << 8
                                                : Byte(bytes, at) << 8 | Byte(bytes, at + 1));
        };
        out.reserve(bytes.size() / 2 + 1);
        size_t at = 0;
        for (; at + 2 <= bytes.size(); at += 2) {
            const char16_t u = unit(at);
            if (u >= 0xD800 && u <= 0xDBFF && at + 4 <= bytes.size() && unit(at + 2) >= 0xDC00 &&
                unit(at + 2) <= 0xDFFF) {
                at += 2;  // a pair: a character beyond the plane
                out += kUnknown;
            } else {
                out += (u >= 0xD800 && u <= 0xDFFF) ? kUnknown : u;
            }
        }
        if (at < bytes.size()) {
            out += kUnknown;  // half a unit at the end
        }
    }
    return out;
}

std::string TextFileToAnsi(std::string_view bytes, CodePage& codePage) {
    const TextEncoding encoding = DetectTextEncoding(bytes);
    if (encoding == TextEncoding::Ansi) {
        return std::string(bytes);
    }
    return codePage.FromUtf16(DecodeUnicodeText(bytes, encoding));
}

}  // namespace sorabell::platform
