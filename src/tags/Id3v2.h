#pragma once
// The ID3v2 tag (versions 2.2, 2.3 and 2.4) at the start of a file: the texts the display shows
// and the lyrics frames, read into the code page.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CodePage.h"
#include "platform/FileSystem.h"

namespace sorabell::tags {

inline constexpr size_t kId3v2HeaderSize = 10;
// The most of a tag that is read: the texts come first in nearly every tag, and what lies
// beyond is mostly pictures, which the display does not show.
inline constexpr size_t kId3v2ReadLimit = 4 * 1024 * 1024;

struct Id3v2SyncedText {
    std::string text;
    uint32_t time = 0;

    bool operator==(const Id3v2SyncedText&) const = default;
};

// A SYLT frame: its time-stamp format (1: MPEG frames, 2: milliseconds) and its texts.
struct Id3v2SyncedLyrics {
    uint8_t timeFormat = 0;
    std::vector<Id3v2SyncedText> lines;

    bool operator==(const Id3v2SyncedLyrics&) const = default;
};

// Absent frames leave their text empty. Values are cut at their first terminator and, but for
// the lyrics, have no trailing blanks.
struct Id3v2Tag {
    int version = 0;  // 2, 3 or 4
    std::string title;
    std::string artist;
    std::string album;
    std::string year;  // TYER, or the first four characters of TDRC
    std::string comment;
    std::string genre;                              // a genre number already named
    std::optional<std::string> unsyncedLyrics;      // the first USLT
    std::optional<Id3v2SyncedLyrics> syncedLyrics;  // the first SYLT

    bool operator==(const Id3v2Tag&) const = default;
};

// The byte count after the 10-byte header that it announces, or nothing when the bytes are no
// ID3v2 header of a version this reader knows.
std::optional<uint32_t> Id3v2BodySize(std::string_view header);

// The tag in `bytes` (its header and what follows; bytes past the announced size are ignored,
// a tag cut short yields what it holds), or nothing without a valid header.
std::optional<Id3v2Tag> ParseId3v2Tag(std::string_view bytes, platform::CodePage& codePage);

// The header and the tag's bytes, at most kId3v2ReadLimit of them: one read for a tag of up
// to 4 KB, two for a larger one.
std::optional<Id3v2Tag> ReadId3v2Tag(platform::BinaryFile& file, platform::CodePage& codePage);

}  // namespace sorabell::tags
