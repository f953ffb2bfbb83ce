#pragma once
// Time-stamped lyrics: "[mm:ss]" tags at the start of a line, one entry per tag, each holding the
// text after the line's last "]". Entries are kept sorted by time (then text), as the string
// list of "%7.7d" keys sorts them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorabell::display {

struct LyricsEntry {
    int32_t milliseconds = 0;
    std::string text;  // at most 256 bytes

    // The string list's form of the entry: "%7.7d" of the time, then the text.
    std::string Key() const;
    bool operator<(const LyricsEntry& other) const;
    bool operator==(const LyricsEntry& other) const = default;
};

// The entries of one line ("[1:05]" is no tag; hundredths such as "[00:12.50]" are ignored).
void ParseLyricsLine(std::string_view line, std::vector<LyricsEntry>& out);

// The shift of a line "[offset:N]", as .lrc files write it: N milliseconds with an optional
// sign, positive for earlier.
std::optional<int32_t> LyricsOffset(std::string_view line);

// Every line's entries, sorted. A file's offset line (the last, if several) moves all its times,
// never below 0.
std::vector<LyricsEntry> ParseLyrics(const std::vector<std::string>& lines);

// What the lyrics placeholder shows at a position: nothing without entries, "(LyricsFile
// Ready)" at position -1, an ideographic space before the first entry and for a blank lyric,
// else the text of the last entry whose time is not after the position.
std::string LyricsLineAt(const std::vector<LyricsEntry>& entries, int32_t position);

inline constexpr const char* kIdeographicSpace = "　";

}  // namespace sorabell::display
