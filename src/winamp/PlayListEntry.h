#pragma once
// The entry of Winamp's play list that it plays now. Winamp 5 writes WINAMP.M3U in the code page,
// with "#EXTM3U" and "#EXTINF:" lines among the entries, and beside it WINAMP.M3U8 in UTF-8,
// which alone names a file whose name the code page cannot hold. Winamp 5.7 wrote entries
// relative to the play-list folder, or without their drive.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sorabell::winamp {

enum class EntryEncoding { Cp932, Utf8 };

struct PlayListEntry {
    // What the entry is relative to (CP932): the play-list folder with its final "\", its drive
    // ("C:", "\\server\share"), or empty for an entry that names its whole path or an address.
    std::string base;
    // The entry as the list writes it, in `encoding`.
    std::string name;
    EntryEncoding encoding = EntryEncoding::Cp932;

    // The whole path as CP932 text; only whole for a CP932 entry.
    std::string Cp932Path() const { return base + name; }
    bool operator==(const PlayListEntry&) const = default;
};

struct PlayLists {
    std::string_view m3u;                  // WINAMP.M3U's bytes
    std::optional<std::string_view> m3u8;  // WINAMP.M3U8's bytes, when there is one
    bool m3u8Current = false;              // WINAMP.M3U8 is not older than WINAMP.M3U
};

// Entry number `index` (from 0) of the play list, lines that begin with "#" not counted; from
// WINAMP.M3U8 when it is current and holds that entry. None when neither list holds it. Lines
// end at LF, a CR before it dropped; a list without "#" lines reads line by line as before.
std::optional<PlayListEntry> ChoosePlayListEntry(const PlayLists& lists, int32_t index,
                                                 std::string_view playListFolder);

}  // namespace sorabell::winamp
