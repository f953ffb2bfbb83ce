#include "display/Lyrics.h"

#include <algorithm>
#include <cstdio>

#include "platform/Text.h"

namespace sorabell::display {

namespace {

constexpr size_t kMaxText = 256;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// How many digits, at most `most`, begin at `at`.
size_t DigitsAt(std::string_view s, size_t at, size_t most) {
    size_t n = 0;
    while (n < most && at + n < s.size() && IsDigit(s[at + n])) {
        ++n;
    }
    return n;
}

int32_t Number(std::string_view s, size_t at, size_t digits) {
    int32_t n = 0;
    for (size_t i = 0; i < digits; ++i) {
        n = n * 10 + (s[at + i] - '0');
    }
    return n;
}

// A tag of the shapes of TimeTagAt between `open` and `close`, nothing else.
std::optional<TimeTag> StrictTagAt(std::string_view s, char open, char close) {
    if (s.empty() || s[0] != open) {
        return std::nullopt;
    }
    const size_t minutes = DigitsAt(s, 1, 3);
    const size_t colon = 1 + minutes;
    if (minutes == 0 || colon >= s.size() || s[colon] != ':' || DigitsAt(s, colon + 1, 2) != 2) {
        return std::nullopt;
    }
    int32_t ms = Number(s, 1, minutes) * 60000 + Number(s, colon + 1, 2) * 1000;
    size_t at = colon + 3;
    if (at < s.size() && s[at] == '.') {
        const size_t fraction = DigitsAt(s, at + 1, 3);
        if (fraction == 0) {
            return std::nullopt;
        }
        constexpr int32_t kScale[] = {0, 100, 10, 1};
        ms += Number(s, at + 1, fraction) * kScale[fraction];
        at += 1 + fraction;
    } else if (at < s.size() && s[at] == ':' && DigitsAt(s, at + 1, 2) == 2) {
        ms += Number(s, at + 1, 2) * 10;
        at += 3;
    }
    if (at >= s.size() || s[at] != close) {
        return std::nullopt;
    }
    return TimeTag{ms, at + 1};
}

}  // namespace

std::string LyricsEntry::Key() const {
    char key[16];
    std::snprintf(key, sizeof key, "%7.7d", milliseconds);
    return key + text;
}

bool LyricsEntry::operator<(const LyricsEntry& other) const { return milliseconds < other.milliseconds; }

std::optional<TimeTag> TimeTagAt(std::string_view text) {
    if (const auto tag = StrictTagAt(text, '[', ']')) {
        return tag;
    }
    // The older reading never looked at the character after "[mm:ss".
    if (text.size() >= 6 && text[0] == '[' && IsDigit(text[1]) && IsDigit(text[2]) && text[3] == ':' &&
        IsDigit(text[4]) && IsDigit(text[5])) {
        return TimeTag{Number(text, 1, 2) * 60000 + Number(text, 4, 2) * 1000, std::min<size_t>(7, text.size())};
    }
    return std::nullopt;
}

std::string WithoutWordTags(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    // "<" is never the trail byte of a double-byte character, so bytes may be walked one by one.
    for (size_t at = 0; at < text.size();) {
        if (const auto tag = StrictTagAt(text.substr(at), '<', '>')) {
            at += tag->length;
        } else {
            shown += text[at++];
        }
    }
    return shown;
}

void ParseLyricsLine(std::string_view line, std::vector<LyricsEntry>& out) {
    if (line.empty() || line.front() != '[') {
        return;
    }
    // The text is the same for every tag of the line: all after its last "]".
    const size_t close = text::FindLastDelimiter(line, "]");
    const std::string text(close == std::string_view::npos
                               ? std::string_view()
                               : text::CutToBytes(WithoutWordTags(line.substr(close + 1)), kMaxText));
    std::string_view rest = line;
    while (!rest.empty() && rest.front() == '[' && out.size() < kMaxLyricsEntries) {
        if (const auto tag = TimeTagAt(rest)) {
            out.push_back({tag->milliseconds, text});
            rest.remove_prefix(tag->length);
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
        n = std::min<int64_t>(n * 10 + (rest[digits] - '0'), kMaxLyricsTime);
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
    std::stable_sort(entries.begin(), entries.end());
    return offset ? ShiftLyrics(std::move(entries), *offset) : entries;
}

std::vector<LyricsEntry> ShiftLyrics(std::vector<LyricsEntry> entries, int32_t earlierBy) {
    // Clamping never reorders: the entries stay sorted and equal times keep their order.
    for (LyricsEntry& entry : entries) {
        entry.milliseconds =
            static_cast<int32_t>(std::clamp<int64_t>(int64_t{entry.milliseconds} - earlierBy, 0, kMaxLyricsTime));
    }
    return entries;
}

namespace {

using Entries = std::vector<LyricsEntry>;

// The entries of the latest time not after the position, as a range; empty before the first.
std::pair<Entries::const_iterator, Entries::const_iterator> CurrentTime(const Entries& entries, int32_t position) {
    const auto after = std::upper_bound(entries.begin(), entries.end(), position,
                                        [](int32_t p, const LyricsEntry& e) { return p < e.milliseconds; });
    if (after == entries.begin()) {
        return {after, after};
    }
    const int32_t time = std::prev(after)->milliseconds;
    const auto first = std::lower_bound(entries.begin(), after, time,
                                        [](const LyricsEntry& e, int32_t t) { return e.milliseconds < t; });
    return {first, after};
}

std::string Shown(const std::string& text) { return text::Trim(text).empty() ? std::string(kIdeographicSpace) : text; }

}  // namespace

std::string LyricsLineAt(const std::vector<LyricsEntry>& entries, int32_t position) {
    if (entries.empty()) {
        return {};
    }
    if (position == -1) {
        return "(LyricsFile Ready)";
    }
    const auto [first, end] = CurrentTime(entries, position);
    return first == end ? std::string(kIdeographicSpace) : Shown(first->text);
}

std::string LyricsSecondLineAt(const std::vector<LyricsEntry>& entries, int32_t position) {
    const bool anyPair = std::adjacent_find(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
                             return a.milliseconds == b.milliseconds;
                         }) != entries.end();
    if (!anyPair) {
        return {};
    }
    if (position == -1) {
        return kIdeographicSpace;
    }
    const auto [first, end] = CurrentTime(entries, position);
    return end - first < 2 ? std::string(kIdeographicSpace) : Shown(std::next(first)->text);
}

}  // namespace sorabell::display
