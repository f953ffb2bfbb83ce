#include "display/TagLyrics.h"

#include <algorithm>
#include <string>

#include "platform/Text.h"

namespace sorabell::display {

namespace {

// As a lyrics file's entries are capped: the key's seven digits and the line's bytes.
constexpr uint32_t kMaxTime = 9999999;
constexpr size_t kMaxText = 256;

constexpr uint8_t kMillisecondStamps = 2;

// Taggers begin each SYLT text with a line break to start a new line; the display shows one
// line at a time, so breaks at either end are dropped.
std::string_view WithoutLineBreaks(std::string_view text) {
    const size_t first = text.find_first_not_of("\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of("\r\n") + 1 - first);
}

}  // namespace

std::vector<LyricsEntry> SyncedTagLyrics(const tags::Id3v2SyncedLyrics& frame) {
    std::vector<LyricsEntry> entries;
    if (frame.timeFormat != kMillisecondStamps) {
        return entries;
    }
    entries.reserve(frame.lines.size());
    for (const tags::Id3v2SyncedText& line : frame.lines) {
        entries.push_back({static_cast<int32_t>(std::min(line.time, kMaxTime)),
                           std::string(text::CutToBytes(WithoutLineBreaks(line.text), kMaxText))});
    }
    // Texts that share a time keep the frame's order.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const LyricsEntry& a, const LyricsEntry& b) { return a.milliseconds < b.milliseconds; });
    return entries;
}

std::vector<LyricsEntry> UnsyncedTagLyrics(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const size_t end = text.find_first_of("\r\n");
        lines.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (crlf ? 2 : 1));
    }
    return ParseLyrics(lines);
}

std::vector<LyricsEntry> TagLyrics(const tags::Id3v2Tag& tag) {
    if (tag.syncedLyrics) {
        if (std::vector<LyricsEntry> entries = SyncedTagLyrics(*tag.syncedLyrics); !entries.empty()) {
            return entries;
        }
    }
    return tag.unsyncedLyrics ? UnsyncedTagLyrics(*tag.unsyncedLyrics) : std::vector<LyricsEntry>{};
}

}  // namespace sorabell::display
