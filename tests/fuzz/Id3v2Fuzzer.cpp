// Reading an ID3v2 tag from arbitrary bytes at the start of a file. Aborts when a reading rule
// is broken.

#include <string>

#include "fuzz/FuzzInput.h"
#include "platform/MemoryFile.h"
#include "tags/Id3v2.h"

using sorabell::fuzz::Require;

namespace {

using namespace sorabell;

// Takes only what a decoded value may hold: no zero character (the terminator ends a value)
// and no surrogate; gives ASCII back and "?" for the rest, as a code page lacking them would.
class CheckingCodePage : public platform::CodePage {
public:
    std::string FromUtf16(std::u16string_view text) override {
        std::string out;
        for (const char16_t c : text) {
            Require(c != 0 && (c < 0xD800 || c > 0xDFFF));
            out += c < 0x80 ? static_cast<char>(c) : '?';
        }
        return out;
    }
    // Tag texts only go the other way.
    std::u16string ToUtf16(std::string_view cp932) override { return std::u16string(cp932.begin(), cp932.end()); }
};

bool IsValue(const std::string& text) { return text.find('\0') == std::string::npos; }

// A field as read: no zero byte, no trailing blank or control byte.
bool IsField(const std::string& text) {
    return IsValue(text) && (text.empty() || static_cast<unsigned char>(text.back()) > 0x20);
}

bool IsHeader(const std::string& bytes) {
    if (bytes.size() < tags::kId3v2HeaderSize || bytes.compare(0, 3, "ID3") != 0 || bytes[3] < 2 || bytes[3] > 4 ||
        static_cast<unsigned char>(bytes[4]) == 0xFF) {
        return false;
    }
    for (size_t i = 6; i < 10; ++i) {
        if (static_cast<unsigned char>(bytes[i]) >= 0x80) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckingCodePage codePage;
    const auto tag = tags::ParseId3v2Tag(bytes, codePage);
    Require(tag.has_value() == IsHeader(bytes));

    platform::MemoryFile file(bytes);
    Require(tags::ReadId3v2Tag(file, codePage) == tag);
    Require(file.bytes() == bytes);
    if (!tag) {
        return 0;
    }
    Require(tag->version == bytes[3]);
    for (const std::string* text : {&tag->title, &tag->artist, &tag->album, &tag->year, &tag->comment, &tag->genre}) {
        Require(IsField(*text));
    }
    Require(!tag->unsyncedLyrics || IsValue(*tag->unsyncedLyrics));
    if (tag->syncedLyrics) {
        for (const auto& line : tag->syncedLyrics->lines) {
            Require(IsValue(line.text));
        }
    }
    // Nothing past the size the header announces is read.
    const uint32_t body = *tags::Id3v2BodySize(bytes);
    if (tags::kId3v2HeaderSize + body < bytes.size()) {
        Require(tags::ParseId3v2Tag(bytes.substr(0, tags::kId3v2HeaderSize + body), codePage) == tag);
    }
    return 0;
}
