#pragma once
// INI files with the semantics of GetPrivateProfileString / WritePrivateProfileString: sections
// and keys compare without regard to case, a missing file, section or key reads as the default,
// and a write creates the file, the section and the key as needed.

#include <cstdint>
#include <string>

namespace sorabell::platform {

class IniFiles {
public:
    virtual ~IniFiles() = default;

    virtual std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                                   const std::string& fallback) = 0;
    // Throws EIniFileException when the file cannot be written.
    virtual void WriteString(const std::string& file, const std::string& section, const std::string& key,
                             const std::string& value) = 0;
};

// One INI file, as the forms use it (the shape of the VCL's TIniFile).
class TIniFile {
public:
    TIniFile(IniFiles& files, std::string fileName) : files_(files), fileName_(std::move(fileName)) {}

    std::string ReadString(const std::string& section, const std::string& key, const std::string& fallback);
    // Decimal or hexadecimal ("$1F", "0x1F") text; anything else gives the default.
    int32_t ReadInteger(const std::string& section, const std::string& key, int32_t fallback);
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int32_t value);

    const std::string& fileName() const { return fileName_; }

private:
    IniFiles& files_;
    std::string fileName_;
};

}  // namespace sorabell::platform
