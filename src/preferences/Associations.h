#pragma once
// The two repair actions of the page "動作関係": making the display program the opener of the
// media extensions, and switching off two of Winamp's own options in WINAMP.INI.

#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Registry.h"

namespace sorabell::preferences {

// The program an old command line opens, by name: the text after its last backslash or colon,
// cut at its last dot. Character by character, so a 0x5C trail byte is no backslash.
std::string OldProgramName(std::string_view command);

struct AssociationReport {
    std::vector<std::string> lines;  // each change made, in order
    std::string failure;             // empty, or the refused write that ended the action
    std::string Text() const;        // the lines, each ended by CR LF, then the failure
};

// Rewrites the default verb's command of mp3, mp2, m3u and pls to open the display program in
// `programFolder` (ending in "\"), and gives rmp mp3's file type. A refused write ends the
// action; what was done before it stays done and is reported, nothing after it is tried.
AssociationReport AssociateExtensions(platform::Registry& registry, const std::string& programFolder);

// WINAMP.INI with "autoscrollname" and "randskin" of section "Winamp" set to 0 and every other
// byte as it was.
std::string RepairedWinampIni(std::string_view content);

// Reads, repairs and writes back the file; EInOutError when it cannot be read or written.
void RepairWinampIni(platform::FileSystem& files, const std::string& path);

}  // namespace sorabell::preferences
