#pragma once

#include "platform/FileSystem.h"

namespace sorabell::win32 {

class Win32FileSystem : public platform::FileSystem {
public:
    uint32_t GetAttributes(const std::string& path) override;
    bool SetAttributes(const std::string& path, uint32_t attributes) override;
    std::vector<platform::FindEntry> Find(const std::string& pattern) override;
    bool Rename(const std::string& from, const std::string& to) override;
    bool Replace(const std::string& from, const std::string& to) override;
    bool Delete(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    std::unique_ptr<platform::BinaryFile> Open(const std::string& path, platform::OpenMode mode) override;
    std::string TempPath() override;
    // The wide functions, so that any name opens.
    uint32_t PathAttributes(const platform::FilePath& path) override;
    std::unique_ptr<platform::BinaryFile> OpenPath(const platform::FilePath& path, platform::OpenMode mode) override;
    bool ReplacePath(const platform::FilePath& from, const platform::FilePath& to) override;
    bool DeletePath(const platform::FilePath& path) override;
};

}  // namespace sorabell::win32
