#pragma once
// The placeholders of a display line's format.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "tags/Id3v2.h"
#include "tags/TagRecords.h"

namespace sorabell::display {

// The values behind %0 to %9, rebuilt on each song change.
using SongFields = std::array<std::string, 10>;

struct FormatSources {
    const SongFields* fields = nullptr;
    const tags::TRMPInfo* info = nullptr;           // %C to %F
    std::function<int32_t()> songLength;            // seconds, -1 when there is none (%A)
    std::function<std::string()> lyricsLine;        // %B
    std::function<std::string()> lyricsSecondLine;  // %G
};

// The song length as the display shows it: "[4:05]", or "[??:??]" without one.
std::string LengthText(int32_t seconds);

// Replaces every placeholder; unknown ones vanish with their character (a double-byte one
// whole), a lone "%" at the end vanishes, "%%" gives "%". The result always ends in one blank.
std::string ExpandFormat(std::string_view format, const FormatSources& sources);

// The fields of a song: %1 to %6 from its INFO list, else its ID3v1 tag, else the fallbacks;
// an ID3v2 value that begins with the ID3v1 one (cut at its 30 bytes, empty, or absent) stands
// for it whole. %7 to %9 from its path (name without extension, folder with its "\", extension
// without its dot); %0 the track number.
SongFields MakeSongFields(int32_t track, const std::string& path, const tags::TRMPInfo& info, bool hasInfo,
                          const tags::TID3Tag& id3, bool hasId3,
                          const std::optional<tags::Id3v2Tag>& id3v2 = std::nullopt);

// The artist and the title as the song's INFO list or its tags give them, by the fields' rule;
// empty without one.
std::string TaggedArtist(const tags::TRMPInfo& info, const tags::TID3Tag& id3, bool hasId3,
                         const std::optional<tags::Id3v2Tag>& id3v2);
std::string TaggedTitle(const tags::TRMPInfo& info, const tags::TID3Tag& id3, bool hasId3,
                        const std::optional<tags::Id3v2Tag>& id3v2);

}  // namespace sorabell::display
