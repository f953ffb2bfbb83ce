#pragma once
// Unicode text into the system's ANSI code page (CP932), for the text files that other programs
// save as UTF-8 or UTF-16.

#include <string>
#include <string_view>

namespace sorabell::platform {

class CodePage {
public:
    virtual ~CodePage() = default;
    // UTF-16 of the Basic Multilingual Plane, without surrogates, to CP932. A character that
    // CP932 lacks becomes "?", or a close CP932 character where the system's converter has one.
    virtual std::string FromUtf16(std::u16string_view text) = 0;
};

}  // namespace sorabell::platform
