#pragma once
// The settings store: a registry tree shaped like an INI file. Sections are subkeys of the root
// path (a section name may hold a backslash), every read carries a default and never fails.
//
// Stored encoding, shared by both programs and by settings trees already on users' machines:
// strings are REG_SZ; integers are REG_SZ decimal text; booleans are REG_SZ "1" / "0". A read
// takes the text as an integer and falls back to the default when it is no number; a boolean
// is that integer <> 0. A REG_DWORD written by hand reads as its number; any other kind reads as
// the default.

#include <cstdint>
#include <string>

#include "platform/Registry.h"

namespace sorabell::settings {

inline constexpr const char* kRootPath = "software\\Quillmere\\Sorabell";
inline constexpr const char* kSkinsPath = "software\\Quillmere\\Sorabell\\Skins";

class TRegIniFile {
public:
    TRegIniFile(platform::Registry& registry, std::string rootPath,
                platform::RegistryRoot root = platform::RegistryRoot::CurrentUser)
        : registry_(registry), rootPath_(std::move(rootPath)), root_(root) {}

    std::string ReadString(const std::string& section, const std::string& name, const std::string& fallback) const;
    int32_t ReadInteger(const std::string& section, const std::string& name, int32_t fallback) const;
    bool ReadBool(const std::string& section, const std::string& name, bool fallback) const;
    // Whether the value is there, of whatever kind.
    bool ValueExists(const std::string& section, const std::string& name) const;

    // Writes create the section; a refused write throws ERegistryException.
    void WriteString(const std::string& section, const std::string& name, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& name, int32_t value);
    void WriteBool(const std::string& section, const std::string& name, bool value);

private:
    std::string KeyPath(const std::string& section) const;

    platform::Registry& registry_;
    std::string rootPath_;
    platform::RegistryRoot root_;
};

}  // namespace sorabell::settings
