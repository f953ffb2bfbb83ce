#pragma once
// A registry kept in a text file in the REGEDIT4 format, so that a person can read it and Windows'
// regedit could import it. Keys and value names compare without regard to case and keep the
// spelling they were created with. Every write saves the file.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace sorabell::sim {

class SimRegistry : public platform::Registry {
public:
    // Loads `file` when it exists; with an empty path the registry lives in memory only.
    explicit SimRegistry(std::filesystem::path file = {});

    bool KeyExists(platform::RegistryRoot root, const std::string& path) override;
    bool CreateKey(platform::RegistryRoot root, const std::string& path) override;
    std::optional<platform::RegistryValue> ReadValue(platform::RegistryRoot root, const std::string& path,
                                                     const std::string& name) override;
    void WriteString(platform::RegistryRoot root, const std::string& path, const std::string& name,
                     const std::string& value) override;
    void WriteDWord(platform::RegistryRoot root, const std::string& path, const std::string& name,
                    uint32_t value) override;
    bool DeleteKey(platform::RegistryRoot root, const std::string& path) override;

    std::string ExportText() const;
    void ImportText(std::string_view regText);

    // Writes to these keys and below them are refused, as for a user without the right.
    void RefuseWrites(platform::RegistryRoot root, const std::string& path);

private:
    struct Value {
        std::string name;  // as first written
        platform::RegistryValue data;
        std::string rawText;  // REGEDIT4 text of a kind this store does not interpret
    };
    struct Key {
        std::string path;  // full path with the root's name, as first written
        std::vector<Value> values;
    };

    // Upper-case full path of a key, or empty when the path is not a valid key name.
    static std::optional<std::string> FullPath(platform::RegistryRoot root, const std::string& path);
    Key* FindKey(const std::string& upperPath);
    Key& EnsureKey(const std::string& fullPath);
    void Store(platform::RegistryRoot root, const std::string& path, const std::string& name,
               platform::RegistryValue data);
    void Save() const;

    std::filesystem::path file_;
    std::map<std::string, Key> keys_;  // by upper-case full path
    std::vector<std::string> refused_;  // upper-case full paths
};

}  // namespace sorabell::sim
