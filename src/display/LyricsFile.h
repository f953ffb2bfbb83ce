#pragma once
// The lyrics file of a song: where it is looked for, and the offset line that the menu's nudges
// keep in it, written into the file's own bytes.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sorabell::display {

// The name with each character a file name cannot hold (\ / : * ? " < > |) made "_";
// double-byte characters stay whole, whatever their trail byte.
std::string FileNameSafe(std::string_view name);

struct LyricsPlace {
    std::string lyricsFolder;  // ending in "\"
    std::string artist;        // from the song's tags; empty when it has none
    std::string title;         // likewise
    std::string fileName;      // the song's name without folder and extension (%7)
    std::string songFolder;    // ending in "\" (%8)
};

// The files that may hold a song's lyrics, in the order they are tried: the last that exists
// wins, so the song's folder wins over the lyrics folder, and ".txt" over ".lrc" in one place.
// "Artist - Title" names only when the tags give both.
std::vector<std::string> LyricsCandidates(const LyricsPlace& place);

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
