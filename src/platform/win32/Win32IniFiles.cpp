#include "platform/win32/Win32IniFiles.h"

#include <windows.h>

#include <vector>

#include "platform/Errors.h"

namespace sorabell::win32 {

std::string Win32IniFiles::ReadString(const std::string& file, const std::string& section, const std::string& key,
                                      const std::string& fallback) {
    // A full buffer comes back as size - 1 characters: grow until the value fits.
    std::vector<char> buffer(2048);
    for (;;) {
        const DWORD got = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(),
                                                     static_cast<DWORD>(buffer.size()), file.c_str());
        if (got + 1 < buffer.size() || buffer.size() >= (1u << 24)) {
            return std::string(buffer.data(), got);
        }
        buffer.resize(buffer.size() * 4);
    }
}

void Win32IniFiles::WriteString(const std::string& file, const std::string& section, const std::string& key,
                                const std::string& value) {
    if (!::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str())) {
        throw EIniFileException(file + " に書き込めませんでした");
    }
}

}  // namespace sorabell::win32
