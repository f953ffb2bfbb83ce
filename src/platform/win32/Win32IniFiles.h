#pragma once

#include "platform/IniFiles.h"

namespace sorabell::win32 {

class Win32IniFiles : public platform::IniFiles {
public:
    std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                           const std::string& fallback) override;
    void WriteString(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) override;
};

}  // namespace sorabell::win32
