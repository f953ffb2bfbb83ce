#include "winamp/PlayListEntry.h"

#include <algorithm>

#include "platform/Text.h"

namespace sorabell::winamp {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// The line that begins at `start`, without its line end.
std::string_view LineAt(std::string_view list, size_t start) {
    const size_t eol = list.find('\n', start);
    std::string_view line = list.substr(start, eol == std::string_view::npos ? std::string_view::npos : eol - start);
    if (eol != std::string_view::npos && !line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return line;
}

// Entry `index` of the list, or none. Lines start only before the end of the text, so a last
// line end opens no empty entry. A song change in a long list must cost about one read of it:
// whole blocks are counted until the one that holds the entry.
std::optional<std::string_view> FindEntry(std::string_view list, int32_t index) {
    if (index < 0 || list.empty()) {
        return std::nullopt;
    }
    auto remaining = static_cast<uint32_t>(index);
    const char* data = list.data();
    const size_t size = list.size();
    // An entry's line begins at position q (> 0) after a LF, with anything but "#".
    const auto entryAt = [data](size_t q) { return data[q - 1] == '\n' && data[q] != '#'; };
    if (data[0] != '#') {
        if (remaining == 0) {
            return LineAt(list, 0);
        }
        --remaining;
    }
    constexpr size_t kBlock = 4096;
    for (size_t q = 1; q < size;) {
        const size_t end = std::min(size, q + kBlock);
        // Byte-wide sums over runs of at most 255 positions let the compiler compare 16 at a time.
        size_t count = 0;
        for (size_t run = q; run < end; run += 255) {
            const size_t runEnd = std::min(end, run + 255);
            uint8_t n = 0;
            for (size_t i = run; i < runEnd; ++i) {
                n = static_cast<uint8_t>(n + ((data[i - 1] == '\n') & (data[i] != '#')));
            }
            count += n;
        }
        if (count <= remaining) {
            remaining -= static_cast<uint32_t>(count);
            q = end;
            continue;
        }
        for (;; ++q) {
            if (entryAt(q)) {
                if (remaining == 0) {
                    return LineAt(list, q);
                }
                --remaining;
            }
        }
    }
    return std::nullopt;
}

bool HasScheme(std::string_view name) {
    const size_t colon = name.find("://");
    if (colon == std::string_view::npos || colon < 2) {
        return false;
    }
    for (size_t i = 0; i < colon; ++i) {
        const char c = name[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' || c == '-' ||
              c == '.')) {
            return false;
        }
    }
    return true;
}

// "C:" of "C:\Music\", "\\server\share" of "\\server\share\Music\".
std::string DriveOf(std::string_view folder) {
    if (folder.size() >= 2 && folder[1] == ':') {
        return std::string(folder.substr(0, 2));
    }
    if (text::StartsWith(folder, "\\\\")) {
        size_t end = text::Find(folder, "\\", 2);
        if (end != std::string_view::npos) {
            end = text::Find(folder, "\\", end + 1);
        }
        return std::string(folder.substr(0, end == std::string_view::npos ? folder.size() : end));
    }
    return {};
}

// Backslashes in a UTF-8 name are always characters of their own.
PlayListEntry Resolve(std::string_view name, EntryEncoding encoding, std::string_view playListFolder) {
    PlayListEntry entry{{}, std::string(name), encoding};
    const bool whole = (name.size() >= 2 && name[1] == ':') || text::StartsWith(name, "\\\\") || HasScheme(name);
    if (whole || name.empty()) {
        return entry;
    }
    if (name.front() == '\\') {
        entry.base = DriveOf(playListFolder);
    } else {
        entry.base = text::IncludeTrailingBackslash(playListFolder);
    }
    return entry;
}

}  // namespace

std::optional<PlayListEntry> ChoosePlayListEntry(const PlayLists& lists, int32_t index,
                                                 std::string_view playListFolder) {
    if (lists.m3u8 && lists.m3u8Current) {
        std::string_view utf8 = *lists.m3u8;
        if (utf8.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
            utf8.remove_prefix(kUtf8Mark.size());
        }
        if (const auto name = FindEntry(utf8, index)) {
            return Resolve(*name, EntryEncoding::Utf8, playListFolder);
        }
    }
    if (const auto name = FindEntry(lists.m3u, index)) {
        return Resolve(*name, EntryEncoding::Cp932, playListFolder);
    }
    return std::nullopt;
}

}  // namespace sorabell::winamp
