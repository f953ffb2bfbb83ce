#pragma once
// The file Winamp plays now, read from the play list that Winamp writes on request into its
// play-list folder.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/CodePage.h"
#include "platform/FileSystem.h"

namespace sorabell::winamp {

// The CP932 path of entry `index` (from 0) of WINAMP.M3U (`m3u`) or WINAMP.PL in
// `playListFolder` (ending in "\"). WINAMP.M3U8 names the entry instead when it is current and
// its name converts exactly; a name CP932 cannot hold is taken as WINAMP.M3U writes it. None
// when the list holds no such entry; a list that cannot be read throws EInOutError.
std::optional<std::string> CurrentSongPath(platform::FileSystem& files, platform::CodePage& codePage,
                                           const std::string& playListFolder, bool m3u, int32_t index);

}  // namespace sorabell::winamp
