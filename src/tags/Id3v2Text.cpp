#include "tags/Id3v2Text.h"

#include <algorithm>
#include <optional>

#include "platform/Text.h"
#include "platform/TextFile.h"

namespace sorabell::tags {

namespace {

constexpr uint8_t kUtf16 = 1;
constexpr uint8_t kUtf16Be = 2;
constexpr uint8_t kUtf8 = 3;

bool IsWide(uint8_t encoding) { return encoding == kUtf16 || encoding == kUtf16Be; }

// Valid CP932 with at least one double-byte character: plain ASCII or single accented letters
// are more likely ISO-8859-1.
bool IsDoubleByteCp932(std::string_view bytes) {
    bool doubleByte = false;
    for (size_t at = 0; at < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[at]);
        if (b < 0x80 || (b >= 0xA1 && b <= 0xDF)) {
            ++at;
        } else if (text::IsLeadByte(b) && at + 1 < bytes.size() &&
                   text::IsTrailByte(static_cast<unsigned char>(bytes[at + 1]))) {
            doubleByte = true;
            at += 2;
        } else {
            return false;
        }
    }
    return doubleByte;
}

bool IsAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Texts whose every character is ASCII need no conversion: the code page holds ASCII as it is.
bool IsAscii(std::u16string_view units) {
    return std::all_of(units.begin(), units.end(), [](char16_t u) { return u < 0x80; });
}

// The text of UTF-16 `units` when every one is ASCII, else nothing: such a text needs neither
// decoding nor conversion.
std::optional<std::string> AsciiUtf16(std::string_view units, bool bigEndian) {
    if (units.size() % 2 != 0) {
        return std::nullopt;
    }
    std::string out(units.size() / 2, '\0');
    for (size_t at = 0; at < out.size(); ++at) {
        const auto low = static_cast<unsigned char>(units[2 * at + (bigEndian ? 1 : 0)]);
        const auto high = static_cast<unsigned char>(units[2 * at + (bigEndian ? 0 : 1)]);
        if (high != 0 || low >= 0x80) {
            return std::nullopt;
        }
        out[at] = static_cast<char>(low);
    }
    return out;
}

std::optional<std::string> AsciiText(uint8_t encoding, std::string_view value) {
    if (encoding == kUtf16) {
        if (value.starts_with("\xFE\xFF")) {
            return AsciiUtf16(value.substr(2), true);
        }
        return value.starts_with("\xFF\xFE") ? AsciiUtf16(value.substr(2), false) : AsciiUtf16(value, false);
    }
    return AsciiUtf16(value, true);
}

std::u16string Decode(uint8_t encoding, std::string_view value) {
    using platform::TextEncoding;
    if (encoding == kUtf8) {
        return platform::DecodeUnicodeText(value, TextEncoding::Utf8);
    }
    if (encoding == kUtf16) {
        if (value.starts_with("\xFE\xFF")) {
            return platform::DecodeUnicodeText(value, TextEncoding::Utf16Be);
        }
        if (value.starts_with("\xFF\xFE")) {
            return platform::DecodeUnicodeText(value, TextEncoding::Utf16Le);
        }
        // Without its mark: Windows' byte order, which the writers that forget it use.
        return platform::DecodeUnicodeText(std::string("\xFF\xFE") + std::string(value), TextEncoding::Utf16Le);
    }
    if (encoding == kUtf16Be) {
        std::u16string out =
            platform::DecodeUnicodeText(std::string("\xFE\xFF") + std::string(value), TextEncoding::Utf16Be);
        if (out.starts_with(u'\xFEFF')) {
            out.erase(0, 1);
        }
        return out;
    }
    std::u16string out;
    out.reserve(value.size());
    for (const char c : value) {
        out += static_cast<char16_t>(static_cast<unsigned char>(c));
    }
    return out;
}

}  // namespace

std::string_view TakeId3Value(uint8_t encoding, std::string_view& bytes) {
    size_t end = 0;
    size_t terminator = 0;
    if (IsWide(encoding)) {
        end = bytes.size();
        for (size_t at = 0; at + 2 <= bytes.size(); at += 2) {
            if (bytes[at] == '\0' && bytes[at + 1] == '\0') {
                end = at;
                terminator = 2;
                break;
            }
        }
    } else {
        end = bytes.find('\0');
        terminator = end == std::string_view::npos ? 0 : 1;
        end = std::min(end, bytes.size());
    }
    const std::string_view value = bytes.substr(0, end);
    bytes.remove_prefix(end + terminator);
    return value;
}

std::string Id3ValueToAnsi(uint8_t encoding, std::string_view value, platform::CodePage& codePage, bool trim) {
    std::string out;
    if (!IsWide(encoding) && (IsAscii(value) || (encoding != kUtf8 && IsDoubleByteCp932(value)))) {
        // ASCII is itself in UTF-8 and in the code page.
        out = value;
    } else if (auto ascii = IsWide(encoding) ? AsciiText(encoding, value) : std::nullopt) {
        out = std::move(*ascii);
    } else if (const std::u16string wide = Decode(encoding, value); IsAscii(wide)) {
        out.assign(wide.begin(), wide.end());
    } else {
        out = codePage.FromUtf16(wide);
    }
    if (trim) {
        out.resize(text::TrimRight(out).size());
    }
    return out;
}

}  // namespace sorabell::tags
