#include "preferences/Associations.h"

#include <optional>

#include "platform/Errors.h"
#include "platform/IniDocument.h"
#include "platform/Text.h"

namespace sorabell::preferences {

namespace {

using platform::RegistryRoot;

std::string DefaultValue(platform::Registry& registry, const std::string& path) {
    const auto value = registry.ReadValue(RegistryRoot::ClassesRoot, path, "");
    return value && value->kind == platform::RegistryValue::Kind::String ? value->text : std::string();
}

// The command key of an extension's default verb, when there is one to rewrite. Keys are
// addressed from the root; an empty file type or verb names no key of that file type (a
// "shell" key at the root, or a path with an empty part), so it names none at all.
std::optional<std::string> CommandKey(platform::Registry& registry, const std::string& fileType) {
    if (fileType.empty()) {
        return std::nullopt;
    }
    const std::string verb = DefaultValue(registry, fileType + "\\shell");
    if (verb.empty()) {
        return std::nullopt;
    }
    const std::string key = fileType + "\\shell\\" + verb + "\\command";
    if (!registry.KeyExists(RegistryRoot::ClassesRoot, key)) {
        return std::nullopt;
    }
    return key;
}

// One followed extension; the file type it has.
std::string Follow(platform::Registry& registry, const std::string& extension, const std::string& command,
                   AssociationReport& report) {
    const std::string fileType = DefaultValue(registry, "." + extension);
    if (const auto key = CommandKey(registry, fileType)) {
        const std::string old = DefaultValue(registry, *key);
        registry.WriteString(RegistryRoot::ClassesRoot, *key, "", command);
        report.lines.push_back("*." + extension + " の関連づけを " + OldProgramName(old) +
                               " から Sorabell に変更しました");
    }
    return fileType;
}

}  // namespace

std::string OldProgramName(std::string_view command) {
    const size_t slash = text::FindLastDelimiter(command, "\\:");
    std::string_view name = slash == std::string_view::npos ? command : command.substr(slash + 1);
    const size_t dot = text::FindLastDelimiter(name, ".");
    if (dot != std::string_view::npos) {
        name = name.substr(0, dot);
    }
    return std::string(name);
}

std::string AssociationReport::Text() const {
    std::string out;
    for (const std::string& line : lines) {
        out += line + text::kCrLf;
    }
    return out + failure;
}

AssociationReport AssociateExtensions(platform::Registry& registry, const std::string& programFolder) {
    const std::string command = "\"" + programFolder + "Sorabell.Exe\" \"%1\"";
    AssociationReport report;
    std::string extension = "mp3";
    try {
        const std::string mp3Type = Follow(registry, extension, command, report);
        extension = "rmp";
        registry.WriteString(RegistryRoot::ClassesRoot, ".rmp", "", mp3Type);
        report.lines.push_back("*.rmp のファイルタイプを " + mp3Type + " に変更しました");
        for (const char* followed : {"mp2", "m3u", "pls"}) {
            extension = followed;
            Follow(registry, extension, command, report);
        }
    } catch (const ERegistryException& e) {
        report.failure = "*." + extension + " の関連づけを変更できませんでした" + text::kCrLf + e.what();
    }
    return report;
}

std::string RepairedWinampIni(std::string_view content) {
    platform::IniDocument document(content);
    document.Set("Winamp", "autoscrollname", "0");
    document.Set("Winamp", "randskin", "0");
    return document.Render();
}

void RepairWinampIni(platform::FileSystem& files, const std::string& path) {
    const std::string content = platform::FileExists(files, path) ? platform::ReadWholeFile(files, path) : "";
    platform::WriteWholeFile(files, path, RepairedWinampIni(content));
}

}  // namespace sorabell::preferences
