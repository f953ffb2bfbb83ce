// INI text from outside (Winamp's and the skins' INI files): parse, look up, change, render
// and parse again, and a value read as a UTF-8 WINAMP.INI's skin name. Aborts when rendering is
// not stable, a value set does not read back, or a name taken as exact does not convert back
// to its value.

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "fuzz/AsciiCodePage.h"
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
        sorabell::fuzz::AsciiCodePage codePage;
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
