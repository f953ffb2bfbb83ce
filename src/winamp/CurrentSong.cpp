#include "winamp/CurrentSong.h"

#include <algorithm>
#include <vector>

#include "platform/TextFile.h"
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

// The decoder stands "?" for what it cannot take, so a "?" that the name lacked means a loss.
std::optional<std::string> ExactCp932(platform::CodePage& codePage, const std::string& utf8) {
    const std::u16string wide = platform::DecodeUnicodeText(utf8, platform::TextEncoding::Utf8);
    if (std::count(wide.begin(), wide.end(), u'?') != std::count(utf8.begin(), utf8.end(), '?')) {
        return std::nullopt;
    }
    return codePage.ExactFromUtf16(wide);
}

}  // namespace

std::optional<std::string> CurrentSongPath(platform::FileSystem& files, platform::CodePage& codePage,
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
        if (auto name = ExactCp932(codePage, entry->name)) {
            entry->name = std::move(*name);
        } else {
            lists.m3u8.reset();
            entry = ChoosePlayListEntry(lists, index, playListFolder);
        }
    }
    if (!entry) {
        return std::nullopt;
    }
    return entry->Cp932Path();
}

}  // namespace sorabell::winamp
