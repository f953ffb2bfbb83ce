// Reading skin images from arbitrary bytes as a zip archive. Aborts when a reading rule is broken.

#include <algorithm>
#include <string>

#include "fuzz/FuzzInput.h"
#include "platform/MemoryFile.h"
#include "skin/ZipArchive.h"

using sorabell::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace sorabell;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    platform::MemoryFile file(bytes);
    skin::ZipArchive zip(file);
    std::vector<std::string> names = zip.Names();
    Require(names.size() <= 0xFFFF);
    names.resize(std::min<size_t>(names.size(), 16));
    for (const char* image : {"main.bmp", "MAIN.BMP", "text.bmp", "sexyfont.ini"}) {
        names.emplace_back(image);
    }
    for (const std::string& name : names) {
        const auto entry = zip.Read(name);
        Require(!entry || entry->size() <= skin::kMaxZipEntrySize);
        // Reading is repeatable: nothing of one read stays behind for the next.
        Require(zip.Read(name) == entry);
    }
    Require(file.bytes() == bytes);
    return 0;
}
