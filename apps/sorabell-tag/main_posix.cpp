// sorabell-tag on Linux: the locale's text and host paths at the edge, the host's files by
// Windows path (drive Z: is the host's root) inside.

#include <langinfo.h>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Errors.h"
#include "platform/posix/IconvCodePage.h"
#include "sorabell-tag/PosixEdge.h"
#include "sorabell-tag/PosixFileSystem.h"
#include "sorabell-tag/TagTool.h"

int main(int argc, char** argv) {
    using namespace sorabell;
    std::setlocale(LC_ALL, "");
    const tagtool::LocaleText locale(nl_langinfo(CODESET));
    const auto write = [&](std::FILE* stream, std::string_view cp932) {
        const std::string text = locale.FromCp932(cp932);
        std::fwrite(text.data(), 1, text.size(), stream);
    };

    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        auto cp932 = locale.ToCp932(argv[i]);
        if (!cp932) {
            std::fprintf(stderr, "sorabell-tag: %s: ", argv[i]);
            write(stderr, "この引数は CP932 の文字で書けません\n");
            return tagtool::kExitUsage;
        }
        args.push_back(std::move(*cp932));
    }

    tagtool::PosixFileSystem files(locale, "Z:\\tmp\\");
    tagtool::ToolIo io;
    io.out = [&](std::string_view text) { write(stdout, text); };
    io.err = [&](std::string_view text) { write(stderr, text); };
    io.systemPath = [&](const std::string& arg) {
        const auto cwd = locale.ToCp932(std::filesystem::current_path().string());
        if (!cwd) {
            throw Exception("カレントフォルダの名前が CP932 の文字で書けません");
        }
        return tagtool::ZDrivePath(arg, *cwd);
    };
    posix::IconvCodePage codePage;
    return tagtool::RunTagTool(files, codePage, args, io);
}
