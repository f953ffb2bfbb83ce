#pragma once
// The file Winamp plays now, read from the play list that Winamp writes on request into its
// play-list folder.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/CodePage.h"
#include "platform/FilePath.h"
#include "platform/FileSystem.h"

namespace sorabell::winamp {

struct SongPath {
    platform::FilePath file;  // the true path, by which the song and its lyrics files open
    std::string text;         // CP932, "?" for each character the code page lacks
};

// Entry `index` (from 0) of WINAMP.M3U (`m3u`) or WINAMP.PL in `playListFolder` (ending in
// "\"). WINAMP.M3U8 names the entry instead when it is current, by its true name; a name there
// that is no UTF-8 is taken as WINAMP.M3U writes it. None when the list holds no such entry; a
// list that cannot be read throws EInOutError.
std::optional<SongPath> CurrentSongPath(platform::FileSystem& files, platform::CodePage& codePage,
                                        const std::string& playListFolder, bool m3u, int32_t index);

}  // namespace sorabell::winamp
