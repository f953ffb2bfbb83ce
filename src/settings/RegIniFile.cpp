#include "settings/RegIniFile.h"

#include "platform/Text.h"

namespace sorabell::settings {

using platform::RegistryValue;

std::string TRegIniFile::KeyPath(const std::string& section) const {
    return section.empty() ? rootPath_ : rootPath_ + "\\" + section;
}

std::string TRegIniFile::ReadString(const std::string& section, const std::string& name,
                                    const std::string& fallback) const {
    const auto value = registry_.ReadValue(root_, KeyPath(section), name);
    return value && value->kind == RegistryValue::Kind::String ? value->text : fallback;
}

int32_t TRegIniFile::ReadInteger(const std::string& section, const std::string& name, int32_t fallback) const {
    const auto value = registry_.ReadValue(root_, KeyPath(section), name);
    if (!value) {
        return fallback;
    }
    switch (value->kind) {
        case RegistryValue::Kind::String:
            return text::StrToIntDef(value->text, fallback);
        case RegistryValue::Kind::DWord:
            return static_cast<int32_t>(value->number);
        case RegistryValue::Kind::Other:
            break;
    }
    return fallback;
}

bool TRegIniFile::ReadBool(const std::string& section, const std::string& name, bool fallback) const {
    return ReadInteger(section, name, fallback ? 1 : 0) != 0;
}

bool TRegIniFile::ValueExists(const std::string& section, const std::string& name) const {
    return registry_.ReadValue(root_, KeyPath(section), name).has_value();
}

void TRegIniFile::WriteString(const std::string& section, const std::string& name, const std::string& value) {
    registry_.WriteString(root_, KeyPath(section), name, value);
}

void TRegIniFile::WriteInteger(const std::string& section, const std::string& name, int32_t value) {
    WriteString(section, name, std::to_string(value));
}

void TRegIniFile::WriteBool(const std::string& section, const std::string& name, bool value) {
    WriteString(section, name, value ? "1" : "0");
}

}  // namespace sorabell::settings
