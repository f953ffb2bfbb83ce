#include "platform/FileSystem.h"

#include "platform/Errors.h"

namespace sorabell::platform {

namespace {

// Both kinds of path, through the operations of their kind.
bool ReplaceAny(FileSystem& files, const std::string& from, const std::string& to) { return files.Replace(from, to); }
bool ReplaceAny(FileSystem& files, const FilePath& from, const FilePath& to) { return files.ReplacePath(from, to); }
bool DeleteAny(FileSystem& files, const std::string& path) { return files.Delete(path); }
bool DeleteAny(FileSystem& files, const FilePath& path) { return files.DeletePath(path); }

bool IsFile(uint32_t a) { return a != attr::Invalid && (a & attr::Directory) == 0; }

template <typename Path>
std::string ReadWhole(FileSystem& files, const Path& path) {
    auto file = OpenFile(files, path, OpenMode::Read);
    const uint64_t size = file->Size();
    std::string content(static_cast<size_t>(size), '\0');
    const size_t got = file->ReadAt(0, content.data(), content.size());
    content.resize(got);
    return content;
}

template <typename Path>
void WriteWhole(FileSystem& files, const Path& path, std::string_view content) {
    auto file = OpenFile(files, path, OpenMode::CreateAlways);
    file->WriteAt(0, content.data(), content.size());
}

template <typename Path>
bool ReplaceWhole(FileSystem& files, const Path& path, std::string_view content) {
    const Path beside = path + ".sorabell-new";
    try {
        WriteWhole(files, beside, content);
    } catch (const EInOutError&) {
        DeleteAny(files, beside);
        throw;
    }
    if (!ReplaceAny(files, beside, path)) {
        DeleteAny(files, beside);
        return false;
    }
    return true;
}

}  // namespace

std::unique_ptr<BinaryFile> OpenFile(FileSystem& files, const std::string& path, OpenMode mode) {
    return files.Open(path, mode);
}

std::unique_ptr<BinaryFile> OpenFile(FileSystem& files, const FilePath& path, OpenMode mode) {
    return files.OpenPath(path, mode);
}

bool FileExists(FileSystem& files, const std::string& path) { return IsFile(files.GetAttributes(path)); }

bool FileExists(FileSystem& files, const FilePath& path) { return IsFile(files.PathAttributes(path)); }

bool DirectoryExists(FileSystem& files, const std::string& path) {
    const uint32_t a = files.GetAttributes(path);
    return a != attr::Invalid && (a & attr::Directory) != 0;
}

std::string ReadWholeFile(FileSystem& files, const std::string& path) { return ReadWhole(files, path); }

std::string ReadWholeFile(FileSystem& files, const FilePath& path) { return ReadWhole(files, path); }

void WriteWholeFile(FileSystem& files, const std::string& path, std::string_view content) {
    WriteWhole(files, path, content);
}

void WriteWholeFile(FileSystem& files, const FilePath& path, std::string_view content) {
    WriteWhole(files, path, content);
}

bool ReplaceWholeFile(FileSystem& files, const std::string& path, std::string_view content) {
    return ReplaceWhole(files, path, content);
}

bool ReplaceWholeFile(FileSystem& files, const FilePath& path, std::string_view content) {
    return ReplaceWhole(files, path, content);
}

}  // namespace sorabell::platform
