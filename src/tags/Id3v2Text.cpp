#include "tags/Id3v2Text.h"

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
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
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
    if (!IsWide(encoding) && encoding != kUtf8 && (IsAscii(value) || IsDoubleByteCp932(value))) {
        out = value;
    } else if (const std::u16string wide = Decode(encoding, value); !wide.empty()) {
        out = codePage.FromUtf16(wide);
    }
    if (trim) {
        out.resize(text::TrimRight(out).size());
    }
    return out;
}

}  // namespace sorabell::tags
