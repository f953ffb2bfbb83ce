#pragma once
// Time-stamped lyrics: time tags ("[m:ss]" to "[mmm:ss.xxx]") at the start of a line, one entry
// per tag, each holding the text after the line's last "]" without its word tags ("<m:ss.xx>").
// Entries are kept in time order; entries of one time keep the order of the file, so that the
// second of them can be a translation or a reading of the first.

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
    // By time alone: a stable sort keeps the file's order among entries of one time.
    bool operator<(const LyricsEntry& other) const;
    bool operator==(const LyricsEntry& other) const = default;
};

// The latest time a tag can write, "[999:99.999]"; an offset never moves an entry past it.
inline constexpr int32_t kMaxLyricsTime = 999 * 60000 + 99 * 1000 + 999;

// A time tag at the start of `text`: "[", one to three digits of minutes, ":", two digits of
// seconds, then nothing, "." and one to three digits of a second, or ":" and two digits of
// hundredths, then "]". The older reading's "[mm:ss" tags, whatever character follows them,
// stay tags of seven characters. Its time in milliseconds and its length.
struct TimeTag {
    int32_t milliseconds = 0;
    size_t length = 0;
};
std::optional<TimeTag> TimeTagAt(std::string_view text);

// The text without its word time tags ("<m:ss.xx>" and the other shapes of a time tag in "<>").
std::string WithoutWordTags(std::string_view text);

// The entries of one line, appended to `out` until it holds the most entries a file may give.
void ParseLyricsLine(std::string_view line, std::vector<LyricsEntry>& out);
inline constexpr size_t kMaxLyricsEntries = 100000;

// The shift of a line "[offset:N]", as .lrc files write it: N milliseconds with an optional
// sign, positive for earlier.
std::optional<int32_t> LyricsOffset(std::string_view line);

// Every line's entries in time order. A file's offset line (the last, if several) moves all its
// times, never below 0.
std::vector<LyricsEntry> ParseLyrics(const std::vector<std::string>& lines);

// The entries moved `earlierBy` milliseconds (later when negative), kept within 0 and the
// latest time, in their order.
std::vector<LyricsEntry> ShiftLyrics(std::vector<LyricsEntry> entries, int32_t earlierBy);

// What the lyrics placeholder shows at a position: nothing without entries, "(LyricsFile
// Ready)" at position -1, an ideographic space before the first entry and for a blank lyric,
// else the text of the first entry of the latest time that is not after the position.
std::string LyricsLineAt(const std::vector<LyricsEntry>& entries, int32_t position);

// The second entry of that time (a translation or a reading), shown as the first is. Lyrics
// with no time of two entries give nothing, so that a line of its own is dropped as a blank
// one; other lyrics keep that line occupied with an ideographic space where the time has one
// entry, before the first and at position -1, as the first line does.
std::string LyricsSecondLineAt(const std::vector<LyricsEntry>& entries, int32_t position);

inline constexpr const char* kIdeographicSpace = "　";

}  // namespace sorabell::display
