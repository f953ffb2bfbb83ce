#pragma once

#include "platform/FileSystem.h"
#include "platform/IniFiles.h"

namespace sorabell::sim {

// INI files on the simulated file system, read and written with IniDocument.
class SimIniFiles : public platform::IniFiles {
public:
    explicit SimIniFiles(platform::FileSystem& files) : files_(files) {}

    std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                           const std::string& fallback) override;
    void WriteString(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) override;

private:
    platform::FileSystem& files_;
};

}  // namespace sorabell::sim
