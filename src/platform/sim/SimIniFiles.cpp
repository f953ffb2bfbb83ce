#include "platform/sim/SimIniFiles.h"

#include "platform/Errors.h"
#include "platform/IniDocument.h"

namespace sorabell::sim {

std::string SimIniFiles::ReadString(const std::string& file, const std::string& section, const std::string& key,
                                    const std::string& fallback) {
    std::string content;
    try {
        content = platform::ReadWholeFile(files_, file);
    } catch (const EInOutError&) {
        // The profile functions read an unreadable file as an empty one.
    }
    return platform::IniReadString(content, section, key, fallback);
}

void SimIniFiles::WriteString(const std::string& file, const std::string& section, const std::string& key,
                              const std::string& value) {
    try {
        std::string content;
        if (platform::FileExists(files_, file)) {
            content = platform::ReadWholeFile(files_, file);
        }
        platform::IniDocument document(content);
        document.Set(section, key, value);
        platform::WriteWholeFile(files_, file, document.Render());
    } catch (const EInOutError&) {
        throw EIniFileException(file + " に書き込めませんでした");
    }
}

}  // namespace sorabell::sim
