#include "platform/FileSystem.h"

#include "platform/Errors.h"

namespace sorabell::platform {

bool FileExists(FileSystem& files, const std::string& path) {
    const uint32_t a = files.GetAttributes(path);
    return a != attr::Invalid && (a & attr::Directory) == 0;
}

bool DirectoryExists(FileSystem& files, const std::string& path) {
    const uint32_t a = files.GetAttributes(path);
    return a != attr::Invalid && (a & attr::Directory) != 0;
}

std::string ReadWholeFile(FileSystem& files, const std::string& path) {
    auto file = files.Open(path, OpenMode::Read);
    const uint64_t size = file->Size();
    std::string content(static_cast<size_t>(size), '\0');
    const size_t got = file->ReadAt(0, content.data(), content.size());
    content.resize(got);
    return content;
}

void WriteWholeFile(FileSystem& files, const std::string& path, std::string_view content) {
    auto file = files.Open(path, OpenMode::CreateAlways);
    file->WriteAt(0, content.data(), content.size());
}

bool ReplaceWholeFile(FileSystem& files, const std::string& path, std::string_view content) {
    const std::string beside = path + ".sorabell-new";
    try {
        WriteWholeFile(files, beside, content);
    } catch (const EInOutError&) {
        files.Delete(beside);
        throw;
    }
    if (!files.Replace(beside, path)) {
        files.Delete(beside);
        return false;
    }
    return true;
}

}  // namespace sorabell::platform
