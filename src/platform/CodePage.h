#pragma once
// Unicode text into the system's ANSI code page (CP932), for the text files that other programs
// save as UTF-8 or UTF-16, and back: where such a file is written, and for file names given to
// the wide file functions.

#include <optional>
#include <string>
#include <string_view>

namespace sorabell::platform {

class CodePage {
public:
    virtual ~CodePage() = default;
    // UTF-16 of the Basic Multilingual Plane, without surrogates, to CP932. A character that
    // CP932 lacks becomes "?", or a close CP932 character where the system's converter has one.
    virtual std::string FromUtf16(std::u16string_view text) = 0;
    // The same text only when CP932 holds every character as it is (no "?", no close
    // character); none otherwise, and from a converter that cannot tell.
    virtual std::optional<std::string> ExactFromUtf16(std::u16string_view /*text*/) { return std::nullopt; }
    // CP932 to UTF-16; a byte that begins no CP932 character becomes U+FFFD, or what the
    // system's converter makes of it.
    virtual std::u16string ToUtf16(std::string_view cp932) = 0;
    // CP932 text as UTF-16 only when it is well-formed CP932; none otherwise, and from a
    // converter that cannot tell.
    virtual std::optional<std::u16string> ExactToUtf16(std::string_view /*text*/) { return std::nullopt; }
};

}  // namespace sorabell::platform
