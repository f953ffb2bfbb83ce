#pragma once
// Files and folders by Windows path ("C:\Program Files\Winamp\WINAMP.INI"), CP932 bytes; the
// few operations a song's files need also by a FilePath, which may name what CP932 cannot.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FilePath.h"

namespace sorabell::platform {

namespace attr {
constexpr uint32_t ReadOnly = 0x01;
constexpr uint32_t Hidden = 0x02;
constexpr uint32_t System = 0x04;
constexpr uint32_t Directory = 0x10;
constexpr uint32_t Archive = 0x20;
constexpr uint32_t Normal = 0x80;
constexpr uint32_t Invalid = 0xFFFFFFFF;  // what GetFileAttributes answers for a missing path
}  // namespace attr

struct FindEntry {
    std::string name;           // as the file system stores it
    std::string alternateName;  // the 8.3 name; empty when the name needs none
    uint32_t attributes = 0;
    uint64_t size = 0;
    // When it was last written: only ever compared with another entry of the same system.
    uint64_t lastWrite = 0;
};

// An open file. Every failure throws EInOutError naming the file.
class BinaryFile {
public:
    virtual ~BinaryFile() = default;
    virtual uint64_t Size() = 0;
    // Reads up to `count` bytes at `offset`; fewer only at the end of the file.
    virtual size_t ReadAt(uint64_t offset, void* buffer, size_t count) = 0;
    virtual void WriteAt(uint64_t offset, const void* data, size_t count) = 0;
    virtual void Truncate(uint64_t size) = 0;
};

enum class OpenMode {
    Read,          // existing file, read only
    ReadWrite,     // existing file, read and write
    CreateAlways,  // new or emptied file, read and write
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // attr::Invalid when the path does not exist.
    virtual uint32_t GetAttributes(const std::string& path) = 0;
    virtual bool SetAttributes(const std::string& path, uint32_t attributes) = 0;
    // The entries that a FindFirstFile/FindNextFile walk over `pattern` ("C:\skins\*.*") yields,
    // "." and ".." included where the system lists them.
    virtual std::vector<FindEntry> Find(const std::string& pattern) = 0;
    // Fails when the target exists: a rename never replaces a file.
    virtual bool Rename(const std::string& from, const std::string& to) = 0;
    // Puts `from` in the place of the existing file `to` in one step. Fails, leaving both as
    // they were, where Windows refuses: a read-only or open target, a folder without the right.
    virtual bool Replace(const std::string& from, const std::string& to) = 0;
    virtual bool Delete(const std::string& path) = 0;
    virtual bool CreateFolder(const std::string& path) = 0;
    virtual std::unique_ptr<BinaryFile> Open(const std::string& path, OpenMode mode) = 0;
    // The temporary folder, ending in "\".
    virtual std::string TempPath() = 0;

    // As GetAttributes, Open, Replace and Delete, by a path that may hold any name. A name that
    // CP932 holds names the same file by either kind of path. An error names the file in CP932,
    // "?" for what it lacks.
    virtual uint32_t PathAttributes(const FilePath& path) = 0;
    virtual std::unique_ptr<BinaryFile> OpenPath(const FilePath& path, OpenMode mode) = 0;
    virtual bool ReplacePath(const FilePath& from, const FilePath& to) = 0;
    virtual bool DeletePath(const FilePath& path) = 0;
};

bool FileExists(FileSystem& files, const std::string& path);
bool DirectoryExists(FileSystem& files, const std::string& path);
bool FileExists(FileSystem& files, const FilePath& path);
// Either kind of path through the open of its kind, for code written once for both.
std::unique_ptr<BinaryFile> OpenFile(FileSystem& files, const std::string& path, OpenMode mode);
std::unique_ptr<BinaryFile> OpenFile(FileSystem& files, const FilePath& path, OpenMode mode);

// Whole-file helpers for text files and small binary files.
std::string ReadWholeFile(FileSystem& files, const std::string& path);
void WriteWholeFile(FileSystem& files, const std::string& path, std::string_view content);
// The content written beside the file, then put in its place, so that a failure at any step
// leaves the file as it was. False when the replacement is refused; a failed writing throws as
// WriteWholeFile does. Either way nothing is left beside it.
bool ReplaceWholeFile(FileSystem& files, const std::string& path, std::string_view content);
std::string ReadWholeFile(FileSystem& files, const FilePath& path);
void WriteWholeFile(FileSystem& files, const FilePath& path, std::string_view content);
bool ReplaceWholeFile(FileSystem& files, const FilePath& path, std::string_view content);

}  // namespace sorabell::platform
