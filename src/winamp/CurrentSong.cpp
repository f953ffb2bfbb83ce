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
    const std::string list = platform::ReadWholeFile(files, listPath);
    PlayLists lists{list, std::nullopt, false};
    std::string utf8List;
    if (m3u) {
        const std::string utf8Path = playListFolder + "WINAMP.M3U8";
        const auto utf8Written = LastWrite(files, utf8Path);
        const auto written = LastWrite(files, listPath);
        if (utf8Written && written && *utf8Written >= *written) {
            utf8List = platform::ReadWholeFile(files, utf8Path);
            lists.m3u8 = utf8List;
            lists.m3u8Current = true;
        }
    }
    auto entry = ChoosePlayListEntry(lists, index, playListFolder);
    if (entry && entry->encoding == EntryEncoding::Utf8) {
        if (IsUtf8(entry->name)) {
            SongPath song{platform::FilePath::FromCp932(entry->base, codePage) + entry->name, {}};
            song.text = song.file.Cp932Text(codePage);
            return song;
        }
        lists.m3u8.reset();
        entry = ChoosePlayListEntry(lists, index, playListFolder);
    }
    if (!entry) {
        return std::nullopt;
    }
    std::string text = entry->Cp932Path();
    return SongPath{platform::FilePath::FromCp932(text, codePage), std::move(text)};
}

}  // namespace sorabell::winamp
