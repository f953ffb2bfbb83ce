#include "display/Lyrics.h"

#include <algorithm>
#include <cstdio>

#include "platform/Text.h"

namespace sorabell::display {

namespace {

constexpr size_t kMaxText = 256;
// The latest time whose key keeps its seven digits, and so its place in the string list's order.
constexpr int32_t kMaxTime = 9999999;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int TwoDigits(std::string_view s, size_t at) { return (s[at] - '0') * 10 + (s[at + 1] - '0'); }

}  // namespace

std::string LyricsEntry::Key() const {
    char key[16];
    std::snprintf(key, sizeof key, "%7.7d", milliseconds);
    return key + text;
}

bool LyricsEntry::operator<(const LyricsEntry& other) const {
    return milliseconds != other.milliseconds ? milliseconds < other.milliseconds : text < other.text;
}

void ParseLyricsLine(std::string_view line, std::vector<LyricsEntry>& out) {
    // The text is the same for every tag of the line: all after its last "]".
    const size_t close = text::FindLastDelimiter(line, "]");
    const std::string text(close == std::string_view::npos ? std::string_view()
                                                           : text::CutToBytes(line.substr(close + 1), kMaxText));
    std::string_view rest = line;
    while (!rest.empty() && rest.front() == '[') {
        if (rest.size() >= 6 && IsDigit(rest[1]) && IsDigit(rest[2]) && rest[3] == ':' && IsDigit(rest[4]) &&
            IsDigit(rest[5])) {
            out.push_back({TwoDigits(rest, 1) * 60000 + TwoDigits(rest, 4) * 1000, text});
            rest.remove_prefix(std::min<size_t>(7, rest.size()));
        } else {
            rest.remove_prefix(1);
        }
    }
}

std::optional<int32_t> LyricsOffset(std::string_view line) {
    constexpr std::string_view kTag = "[offset:";
    if (line.size() < kTag.size() || !text::SameText(line.substr(0, kTag.size()), kTag)) {
        return std::nullopt;
    }
    std::string_view rest = text::TrimLeft(line.substr(kTag.size()));
    const bool negative = !rest.empty() && rest.front() == '-';
    if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) {
        rest.remove_prefix(1);
    }
    int64_t n = 0;
    size_t digits = 0;
    for (; digits < rest.size() && IsDigit(rest[digits]); ++digits) {
        n = std::min<int64_t>(n * 10 + (rest[digits] - '0'), kMaxTime);
    }
    if (digits == 0 || !text::TrimLeft(rest.substr(digits)).starts_with("]")) {
        return std::nullopt;
    }
    return static_cast<int32_t>(negative ? -n : n);
}

std::vector<LyricsEntry> ParseLyrics(const std::vector<std::string>& lines) {
    std::vector<LyricsEntry> entries;
    std::optional<int32_t> offset;
    for (const std::string& line : lines) {
        if (const auto shift = LyricsOffset(line)) {
            offset = shift;
        }
        ParseLyricsLine(line, entries);
    }
    if (offset) {
        for (LyricsEntry& entry : entries) {
            entry.milliseconds = std::clamp(entry.milliseconds - *offset, 0, kMaxTime);
        }
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::string LyricsLineAt(const std::vector<LyricsEntry>& entries, int32_t position) {
    if (entries.empty()) {
        return {};
    }
    if (position == -1) {
        return "(LyricsFile Ready)";
    }
    const auto after = std::upper_bound(entries.begin(), entries.end(), position,
                                        [](int32_t p, const LyricsEntry& e) { return p < e.milliseconds; });
    if (after == entries.begin()) {
        return kIdeographicSpace;
    }
    const std::string& text = std::prev(after)->text;
    return text::Trim(text).empty() ? std::string(kIdeographicSpace) : text;
}

}  // namespace sorabell::display
