// sorabell-assets: writes the pictures the programs ship, as the sources keep them
// (apps/Default.Bmp and apps/Sorabell_Preferences/HandPoint.cur).
//
//   sorabell-assets [--default-bmp FILE] [--hand-cursor FILE]

#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

#include "Art.h"

namespace {

bool Write(const char* path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    out.close();
    if (!out) {
        std::fprintf(stderr, "sorabell-assets: %s: cannot write\n", path);
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace sorabell;
    if (argc < 3 || argc % 2 == 0) {
        std::fprintf(stderr, "usage: sorabell-assets [--default-bmp FILE] [--hand-cursor FILE]\n");
        return 2;
    }
    bool written = true;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view option = argv[i];
        if (option == "--default-bmp") {
            written = Write(argv[i + 1], assets::DefaultMain()) && written;
        } else if (option == "--hand-cursor") {
            written = Write(argv[i + 1], assets::HandCursor()) && written;
        } else {
            std::fprintf(stderr, "sorabell-assets: unknown option %s\n", argv[i]);
            return 2;
        }
    }
    return written ? 0 : 1;
}
