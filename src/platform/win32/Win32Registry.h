#pragma once

#include "platform/Registry.h"

namespace sorabell::win32 {

class Win32Registry : public platform::Registry {
public:
    bool KeyExists(platform::RegistryRoot root, const std::string& path) override;
    bool CreateKey(platform::RegistryRoot root, const std::string& path) override;
    std::optional<platform::RegistryValue> ReadValue(platform::RegistryRoot root, const std::string& path,
                                                     const std::string& name) override;
    void WriteString(platform::RegistryRoot root, const std::string& path, const std::string& name,
                     const std::string& value) override;
    void WriteDWord(platform::RegistryRoot root, const std::string& path, const std::string& name,
                    uint32_t value) override;
    bool DeleteKey(platform::RegistryRoot root, const std::string& path) override;
};

}  // namespace sorabell::win32
