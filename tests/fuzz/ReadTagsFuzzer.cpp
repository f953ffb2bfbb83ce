// Reading song information from outside data: the INFO list and the ID3v1 tag of arbitrary
// bytes, and the conversions of what was read. Aborts when a reading rule is broken.

#include <cstdlib>
#include <string>

#include "fuzz/FuzzInput.h"
#include "platform/MemoryFile.h"
#include "platform/Text.h"
#include "tags/Id3v1.h"
#include "tags/RmpInfo.h"
#include "tags/TagConversion.h"

using sorabell::fuzz::Require;

namespace {

using namespace sorabell;

// A text as read: it stops before any zero byte and has no trailing blank or control byte.
bool IsReadText(const std::string& text) {
    return text.find('\0') == std::string::npos && (text.empty() || static_cast<unsigned char>(text.back()) > 0x20);
}

// A tag field made from a text: a prefix of it that does not end inside a character.
bool IsWholeCut(const std::string& text, const std::string& field, size_t width) {
    return field.size() <= width && text.compare(0, field.size(), field) == 0 &&
           text::ByteTypeAt(text, field.size()) != text::ByteKind::Trail;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    platform::MemoryFile file(bytes);

    tags::TRMPInfo info;
    const bool hasInfo = tags::ReadRMPInfo(file, info);
    Require(hasInfo || info == tags::TRMPInfo{});
    for (const std::string* text : {&info.Artist, &info.Title, &info.Album, &info.Release, &info.Comment, &info.Genre,
                                    &info.Copyright, &info.Engineer, &info.Source, &info.Software}) {
        Require(IsReadText(*text));
    }
    tags::ParseInfoList(bytes);

    tags::TID3Tag tag;
    const bool hasTag = tags::ReadID3Tag(file, tag);
    Require(hasTag == (size >= tags::kId3Size && bytes.compare(size - tags::kId3Size, 3, "TAG") == 0));
    Require(hasTag ? tags::RenderId3Tag(tag) == bytes.substr(size - tags::kId3Size) : tag == tags::TID3Tag{});
    Require(file.bytes() == bytes);

    const tags::TID3Tag made = tags::RMPToID3(info);
    Require(IsWholeCut(info.Title, tags::FieldText(made.Title), 30));
    Require(IsWholeCut(info.Release, tags::FieldText(made.Year), 4));
    tags::TRMPInfo converted = info;
    tags::ID3ToRMP(tag, converted);
    Require(converted.Title == tags::FieldText(tag.Title) && converted.Copyright == info.Copyright);
    return 0;
}
