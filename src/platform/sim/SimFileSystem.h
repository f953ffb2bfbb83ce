#pragma once
// Windows paths on a Linux folder tree, as Wine maps them: each drive letter is a host folder,
// names resolve without regard to case, trailing dots and blanks of a name are dropped, names
// are CP932 inside and UTF-8 on the host. The read-only attribute is the owner's write bit,
// checked here (root may write anything on Linux, Windows may not). A name that is no 8.3 name
// has one made up as Windows makes it ("PROGRA~1"), which names the file in paths and in Find.

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/FileSystem.h"
#include "platform/posix/Iconv.h"

namespace sorabell::sim {

class SimFileSystem : public platform::FileSystem {
public:
    // `drives` maps an upper-case letter to a host folder; `tempPath` is a Windows path ending in "\".
    SimFileSystem(std::map<char, std::filesystem::path> drives, std::string tempPath);

    uint32_t GetAttributes(const std::string& path) override;
    bool SetAttributes(const std::string& path, uint32_t attributes) override;
    std::vector<platform::FindEntry> Find(const std::string& pattern) override;
    bool Rename(const std::string& from, const std::string& to) override;
    bool Replace(const std::string& from, const std::string& to) override;
    bool Delete(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    std::unique_ptr<platform::BinaryFile> Open(const std::string& path, platform::OpenMode mode) override;
    std::string TempPath() override { return tempPath_; }
    // A path CP932 can spell goes the CP932 way; any other by its UTF-8 names, which are the
    // host's own.
    uint32_t PathAttributes(const platform::FilePath& path) override;
    std::unique_ptr<platform::BinaryFile> OpenPath(const platform::FilePath& path, platform::OpenMode mode) override;
    bool ReplacePath(const platform::FilePath& from, const platform::FilePath& to) override;
    bool DeletePath(const platform::FilePath& path) override;

    // The host file a Windows path names (existing or not); empty for a path that no drive
    // holds or that Windows would refuse (a forbidden character, a relative path).
    std::optional<std::filesystem::path> HostPath(const std::string& windowsPath) const;
    std::optional<std::filesystem::path> HostPath(const platform::FilePath& path) const;

private:
    std::optional<std::string> Cp932Spelling(const platform::FilePath& path) const;
    // The path for an error: CP932, "?" for what it lacks.
    std::string Shown(const platform::FilePath& path) const;
    std::unique_ptr<platform::BinaryFile> OpenHost(const std::optional<std::filesystem::path>& host,
                                                   const std::string& shown, platform::OpenMode mode);
    static bool ReplaceHost(const std::optional<std::filesystem::path>& source,
                            const std::optional<std::filesystem::path>& target);
    static bool DeleteHost(const std::optional<std::filesystem::path>& host);

    std::map<char, std::filesystem::path> drives_;
    std::string tempPath_;
    // Opened on first use: opening costs more than converting a path.
    mutable std::unique_ptr<posix::EncodingConverter> toCp932_;
};

// Windows' wildcard match of a file name: "*" and "?", without regard to case; "*.*" matches
// every name, with or without a dot.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

}  // namespace sorabell::sim
