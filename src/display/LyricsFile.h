#pragma once
// The lyrics file of a song: where it is looked for, and the offset line that the menu's nudges
// keep in it, written into the file's own bytes.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FilePath.h"

namespace sorabell::display {

// The name with each character a file name cannot hold (\ / : * ? " < > |) made "_";
// double-byte characters stay whole, whatever their trail byte.
std::string FileNameSafe(std::string_view name);

// By true names, so that a song whose name the code page cannot hold finds its lyrics too.
struct LyricsPlace {
    platform::FilePath lyricsFolder;  // ending in "\"
    // FileNameSafe("Artist - Title") from the song's tags; empty unless they give both.
    platform::FilePath taggedName;
    platform::FilePath song;
};

// The files that may hold a song's lyrics, in the order they are tried: the last that exists
// wins, so the song's folder wins over the lyrics folder, and ".txt" over ".lrc" in one place.
std::vector<platform::FilePath> LyricsCandidates(const LyricsPlace& place);

struct MovedOffset {
    std::string bytes;   // the whole file
    int32_t offset = 0;  // what its offset line now says
};

// The file's bytes with its offset line (the last one, which is the one read) moved `earlierBy`
// milliseconds, or a new first line "[offset:N]" ending as the file's lines end. Every other
// byte stays: the encoding (code page, UTF-8 with or without its mark, UTF-16 either way),
// the line ends, the order.
MovedOffset MoveLyricsOffset(std::string_view bytes, int32_t earlierBy);

}  // namespace sorabell::display
