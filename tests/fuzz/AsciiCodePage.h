#pragma once
// A code page of ASCII alone, each other character one "?": enough to run the conversions over
// any bytes without the system's converter.

#include <optional>
#include <string>
#include <string_view>

#include "platform/CodePage.h"

namespace sorabell::fuzz {

class AsciiCodePage : public platform::CodePage {
public:
    std::string FromUtf16(std::u16string_view text) override {
        std::string out;
        for (const char16_t unit : text) {
            out += unit < 0x80 ? static_cast<char>(unit) : '?';
        }
        return out;
    }
    std::optional<std::string> ExactFromUtf16(std::u16string_view text) override {
        for (const char16_t unit : text) {
            if (unit >= 0x80) {
                return std::nullopt;
            }
        }
        return FromUtf16(text);
    }
    std::u16string ToUtf16(std::string_view text) override { return std::u16string(text.begin(), text.end()); }
    std::optional<std::u16string> ExactToUtf16(std::string_view text) override {
        for (const char c : text) {
            if (static_cast<unsigned char>(c) >= 0x80) {
                return std::nullopt;
            }
        }
        return ToUtf16(text);
    }
};

}  // namespace sorabell::fuzz
