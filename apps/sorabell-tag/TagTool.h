#pragma once
// sorabell-tag: shows, writes and converts the song information of music files from the command
// line, for batch work and for checking files from outside the programs. This is the whole tool
// but its edges: each platform's main turns the command line into CP932 and back.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CodePage.h"
#include "platform/FileSystem.h"

namespace sorabell::tagtool {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFileFailed = 1;
inline constexpr int kExitUsage = 2;

struct ToolIo {
    // Standard output and standard error, CP932 text.
    std::function<void(std::string_view)> out;
    std::function<void(std::string_view)> err;
    // The file system's path for a file argument as the user typed it; may throw Exception.
    std::function<std::string(const std::string&)> systemPath;
};

std::string UsageText();

// Runs one command line (the arguments after the program's name, CP932); ID3v2 texts are read
// into CP932 through `codePage`. Returns kExitOk, kExitFileFailed when a file could not be
// handled (it is named on `err` and the others are still handled), or kExitUsage with the usage
// text on `err`.
int RunTagTool(platform::FileSystem& files, platform::CodePage& codePage, const std::vector<std::string>& args,
               const ToolIo& io);

}  // namespace sorabell::tagtool
