#pragma once
// The registry: keys addressed by a path below a root, values by name ("" is the key's default
// value). Every call opens what it needs and closes it again; nothing stays open between calls.

#include <cstdint>
#include <optional>
#include <string>

namespace sorabell::platform {

enum class RegistryRoot { CurrentUser, ClassesRoot };

struct RegistryValue {
    enum class Kind { String, DWord, Other };
    Kind kind = Kind::Other;
    std::string text;     // Kind::String
    uint32_t number = 0;  // Kind::DWord
};

class Registry {
public:
    virtual ~Registry() = default;

    virtual bool KeyExists(RegistryRoot root, const std::string& path) = 0;
    // Creates the key and its missing parents; false when the registry refuses.
    virtual bool CreateKey(RegistryRoot root, const std::string& path) = 0;
    // Empty when the key or the value is missing.
    virtual std::optional<RegistryValue> ReadValue(RegistryRoot root, const std::string& path,
                                                   const std::string& name) = 0;
    // Writes create the key when it is missing and throw ERegistryException when refused.
    virtual void WriteString(RegistryRoot root, const std::string& path, const std::string& name,
                             const std::string& value) = 0;
    virtual void WriteDWord(RegistryRoot root, const std::string& path, const std::string& name, uint32_t value) = 0;
    // Removes a key with everything below it; false when it did not exist.
    virtual bool DeleteKey(RegistryRoot root, const std::string& path) = 0;
};

}  // namespace sorabell::platform
