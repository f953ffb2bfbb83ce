#include "platform/IniFiles.h"

#include "platform/Text.h"

namespace sorabell::platform {

std::string TIniFile::ReadString(const std::string& section, const std::string& key, const std::string& fallback) {
    return files_.ReadString(fileName_, section, key, fallback);
}

int32_t TIniFile::ReadInteger(const std::string& section, const std::string& key, int32_t fallback) {
    return text::StrToIntDef(ReadString(section, key, ""), fallback);
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    files_.WriteString(fileName_, section, key, value);
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int32_t value) {
    WriteString(section, key, std::to_string(value));
}

}  // namespace sorabell::platform
