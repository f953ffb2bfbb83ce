// INI text from outside (Winamp's and the skins' INI files): parse, look up, change, render
// and parse again, and a value read as a UTF-8 WINAMP.INI's skin name. Aborts when rendering is
// not stable, a value set does not read back, or a name taken as exact does not convert back
// to its value.

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "fuzz/FuzzInput.h"
#include "platform/IniDocument.h"
#include "winamp/WinampIni.h"

using sorabell::fuzz::Require;

namespace {

using sorabell::platform::IniDocument;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == 0x1A; }

std::string Trimmed(std::string text) {
    while (!text.empty() && IsBlank(text.back())) {
        text.pop_back();
    }
    size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) {
        ++start;
    }
    return text.substr(start);
}

// A value reads without one pair of enclosing quotes of the same kind.
std::string Unquoted(const std::string& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// A code page of ASCII alone: enough to run the conversions over any bytes.
class AsciiCodePage : public sorabell::platform::CodePage {
public:
    std::string FromUtf16(std::u16string_view text) override {
        std::string out;
        for (const char16_t unit : text) {
            out += unit < 0x80 ? static_cast<char>(unit) : '?';
        }
        return out;
    }
    std::optional<std::string> ExactFromUtf16(std::u16string_view text) override {
        std::string out = FromUtf16(text);
        return out.size() == text.size() && std::equal(text.begin(), text.end(), out.begin()) ? std::optional(out)
                                                                                              : std::nullopt;
    }
    std::u16string ToUtf16(std::string_view text) override { return std::u16string(text.begin(), text.end()); }
    std::optional<std::u16string> ExactToUtf16(std::string_view text) override {
        std::u16string out;
        for (const char c : text) {
            if (static_cast<unsigned char>(c) >= 0x80) {
                return std::nullopt;
            }
            out += static_cast<char16_t>(c);
        }
        return out;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    sorabell::fuzz::FuzzInput input(data, size);
    const std::string section = input.Text();
    const std::string key = input.Text();
    const std::string value = input.Text();
    const std::string content = input.Rest();

    IniDocument document(content);
    const std::string rendered = document.Render();
    const IniDocument reparsed(rendered);
    Require(reparsed.Render() == rendered);
    Require(reparsed.Get(section, key) == document.Get(section, key));

    if (const auto found = document.Get(section, key)) {
        AsciiCodePage codePage;
        const sorabell::winamp::IniName name = sorabell::winamp::NameFromUtf8(codePage, *found);
        if (name.exact) {
            const auto back = sorabell::winamp::NameToUtf8(codePage, name.name);
            Require(!back || *back == *found);
        }
    }

    document.Set(section, key, value);
    // A line end splits a line; a key with "=" or one that opens like a section header is no
    // key of its own: such names cannot be set as one line.
    const std::string name = Trimmed(key);
    const bool oneLine = (section + key + value).find('\n') == std::string::npos;
    if (oneLine && name.find('=') == std::string::npos && (name.empty() || name.front() != '[')) {
        const std::string expected = Unquoted(Trimmed(value));
        Require(document.Get(section, key) == expected);
        Require(IniDocument(document.Render()).Get(section, key) == expected);
    }
    return 0;
}
