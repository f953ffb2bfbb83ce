#pragma once
// The host's own files for sorabell-tag on Linux, by the Windows paths the tool speaks: drive Z:
// is the host's root, as Wine maps it, and each name is the host's spelling in the locale's
// encoding. Names are taken as the host spells them (case counts; no 8.3 names); "." and ".."
// are applied to the path's text, as Windows applies them. The read-only attribute is the owner's write
// bit, which an opening for writing respects even where the host would let it write.

#include <optional>
#include <string>

#include "platform/FileSystem.h"
#include "sorabell-tag/PosixEdge.h"

namespace sorabell::tagtool {

class PosixFileSystem : public platform::FileSystem {
public:
    // `tempPath` is a Windows path on drive Z: ending in "\".
    PosixFileSystem(LocaleText locale, std::string tempPath);

    uint32_t GetAttributes(const std::string& path) override;
    bool SetAttributes(const std::string& path, uint32_t attributes) override;
    // The pattern's "*" and "?" as fnmatch reads them, "*.*" being every name.
    std::vector<platform::FindEntry> Find(const std::string& pattern) override;
    bool Rename(const std::string& from, const std::string& to) override;
    bool Replace(const std::string& from, const std::string& to) override;
    bool Delete(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    std::unique_ptr<platform::BinaryFile> Open(const std::string& path, platform::OpenMode mode) override;
    std::string TempPath() override { return tempPath_; }
    // The tool names files in CP932: a path it cannot spell so names no file it can reach.
    uint32_t PathAttributes(const platform::FilePath& path) override;
    std::unique_ptr<platform::BinaryFile> OpenPath(const platform::FilePath& path, platform::OpenMode mode) override;
    bool ReplacePath(const platform::FilePath& from, const platform::FilePath& to) override;
    bool DeletePath(const platform::FilePath& path) override;

    // The host path a Windows path names; empty for a path off drive Z: or a name the locale's
    // encoding cannot spell.
    std::optional<std::string> HostPath(const std::string& windowsPath) const;

private:
    // The CP932 spelling of `path`, when it has one.
    static std::optional<std::string> Cp932Of(const platform::FilePath& path);

    LocaleText locale_;
    std::string tempPath_;
};

}  // namespace sorabell::tagtool
