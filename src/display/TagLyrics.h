#pragma once
// Lyrics kept in a song's ID3v2 tag, for a song without a lyrics file.

#include <string_view>
#include <vector>

#include "display/Lyrics.h"
#include "tags/Id3v2.h"

namespace sorabell::display {

// A SYLT frame's texts, each at its time, when its stamps are milliseconds; nothing for stamps
// counted in MPEG frames, which would need the audio's frame rate.
std::vector<LyricsEntry> SyncedTagLyrics(const tags::Id3v2SyncedLyrics& frame);

// A USLT frame's text read line by line as a lyrics file is; nothing without time tags.
std::vector<LyricsEntry> UnsyncedTagLyrics(std::string_view text);

// The SYLT frame's lyrics, else the USLT frame's.
std::vector<LyricsEntry> TagLyrics(const tags::Id3v2Tag& tag);

}  // namespace sorabell::display
