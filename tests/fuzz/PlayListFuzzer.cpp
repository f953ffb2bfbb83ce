// The current entry of hostile play lists, and the path its UTF-8 name makes. Aborts when an
// entry is no whole line of a list or a comment, when the path's parts do not make it up again,
// or when its wide text or its code page text loses or invents a character.

#include <algorithm>
#include <cstdint>
#include <string>

#include "fuzz/AsciiCodePage.h"
#include "fuzz/FuzzInput.h"
#include "platform/FilePath.h"
#include "winamp/PlayListEntry.h"

using sorabell::fuzz::Require;
namespace platform = sorabell::platform;
namespace winamp = sorabell::winamp;

// An index byte (its top bit: WINAMP.M3U8 is current), WINAMP.M3U as a text, WINAMP.M3U8 the rest.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    sorabell::fuzz::FuzzInput input(data, size);
    const uint8_t first = input.Byte();
    const std::string m3u = input.Text();
    const std::string m3u8 = input.Rest();
    const auto entry = winamp::ChoosePlayListEntry({m3u, m3u8, (first & 0x80) != 0}, first & 0x7F, "C:\\Music\\");
    if (!entry) {
        return 0;
    }
    Require(entry->name.find('\n') == std::string::npos && !entry->name.starts_with("#"));
    const std::string& list = entry->encoding == winamp::EntryEncoding::Utf8 ? m3u8 : m3u;
    Require(list.find(entry->name) != std::string::npos);

    const auto path = platform::FilePath::FromUtf8(entry->base + entry->name);
    Require(path.Folder().Utf8() + std::string(path.Name()) == path.Utf8());
    Require(std::string(path.NameWithoutExtension()) + std::string(path.Extension()) == path.Name());
    Require(path.Name().find_first_of("\\:") == std::string::npos);
    const std::u16string wide = path.Utf16();
    Require(platform::Utf8ToUtf16(platform::Utf16ToUtf8(wide)) == wide);

    sorabell::fuzz::AsciiCodePage codePage;
    const std::string shown = path.Cp932Text(codePage);
    Require(std::none_of(shown.begin(), shown.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }));
    // One byte a character, each ASCII one as it is.
    Require(shown.size() == static_cast<size_t>(std::count_if(wide.begin(), wide.end(),
                                                              [](char16_t u) { return u < 0xDC00 || u > 0xDFFF; })));
    return 0;
}
