// sorabell-tag on Windows: the command line and the console are in the ANSI code page already.

#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32FileSystem.h"
#include "sorabell-tag/TagTool.h"

int main(int argc, char** argv) {
    using namespace sorabell;
    win32::Win32FileSystem files;
    const std::vector<std::string> args(argv + 1, argv + argc);
    tagtool::ToolIo io;
    io.out = [](std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); };
    io.err = [](std::string_view text) { std::fwrite(text.data(), 1, text.size(), stderr); };
    io.systemPath = [](const std::string& arg) { return arg; };
    win32::Win32CodePage codePage;
    return tagtool::RunTagTool(files, codePage, args, io);
}
