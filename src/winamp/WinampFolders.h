#pragma once
// Where a Winamp keeps its settings and its play list. Winamp 5 reads paths.ini in its own
// folder: section [Winamp], "inidir" (the folder of WINAMP.INI) and "m3udir" (the folder of
// WINAMP.M3U). A value may hold "{N}", the special folder of CSIDL number N, and "%NAME%", an
// environment variable, where WINAMP_PROGRAM_DIR and WINAMP_ROOT_DIR name the Winamp folder;
// a relative value is taken from the Winamp folder. Winamp 2, and a Winamp 5 without paths.ini,
// keeps both in its own folder.

#include <optional>
#include <string>
#include <string_view>

#include "platform/IniFiles.h"
#include "platform/Processes.h"

namespace sorabell::winamp {

struct WinampFolders {
    std::string settings;  // WINAMP.INI's folder, ending in "\"
    std::string playList;  // WINAMP.M3U's folder, ending in "\"
};

// The folders of the Winamp installed in `winampFolder` (ending in "\").
WinampFolders FindWinampFolders(platform::IniFiles& iniFiles, platform::Processes& processes,
                                const std::string& winampFolder);

// One folder value of paths.ini as a full folder path ending in "\"; none when it names no
// folder: empty, or with a placeholder the system cannot fill (Winamp's own default then holds).
std::optional<std::string> ExpandFolderValue(std::string_view value, const std::string& winampFolder,
                                             platform::Processes& processes);

}  // namespace sorabell::winamp
