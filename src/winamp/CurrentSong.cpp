#include "winamp/CurrentSong.h"

#include <vector>

#include "winamp/PlayListEntry.h"

namespace sorabell::winamp {

namespace {

std::optional<uint64_t> LastWrite(platform::FileSystem& files, const std::string& path) {
    const std::vector<platform::FindEntry> found = files.Find(path);
    if (found.empty() || (found.front().attributes & platform::attr::Directory) != 0) {
        return std::nullopt;
    }
    return found.front().lastWrite;
}

// Valid UTF-8 comes back from UTF-16 byte for byte; a broken sequence comes back as U+FFFD.
bool IsUtf8(const std::string& text) { return platform::Utf16ToUtf8(platform::Utf8ToUtf16(text)) == text; }

}  // namespace

std::optional<SongPath> CurrentSongPath(platform::FileSystem& files, platform::CodePage& codePage,
                                        const std::string& playListFolder, bool m3u, int32_t index) {
    const std::string listPath = playListFolder + (m3u ? "WINAMP.M3U" : "WINAMP.PL");
    if (m3u) {
        // Both lists are written at one request: when WINAMP.M3U8 is current and names the
        // entry truly, WINAMP.M3U need not be read at all.
        const std::string utf8Path = playListFolder + "WINAMP.M3U8";
        const auto utf8Written = LastWrite(files, utf8Path);
        const auto written = LastWrite(files, listPath);
        if (utf8Written && written && *utf8Written >= *written) {
            const std::string utf8List = platform::ReadWholeFile(files, utf8Path);
            const auto entry = ChoosePlayListEntry({{}, utf8List, true}, index, playListFolder);
            if (entry && IsUtf8(entry->name)) {
                SongPath song{platform::FilePath::FromCp932(entry->base, codePage) + entry->name, {}};
                song.text = song.file.Cp932Text(codePage);
                return song;
            }
        }
    }
    const std::string list = platform::ReadWholeFile(files, listPath);
    const auto entry = ChoosePlayListEntry({list, std::nullopt, false}, index, playListFolder);
    if (!entry) {
        return std::nullopt;
    }
    std::string text = entry->Cp932Path();
    return SongPath{platform::FilePath::FromCp932(text, codePage), std::move(text)};
}

}  // namespace sorabell::winamp
