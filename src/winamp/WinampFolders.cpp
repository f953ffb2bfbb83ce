#include "winamp/WinampFolders.h"

#include <vector>

#include "platform/Text.h"

namespace sorabell::winamp {

namespace {

constexpr size_t npos = std::string_view::npos;

bool IsDigits(std::string_view s) {
    if (s.empty() || s.size() > 9) {
        return false;
    }
    for (const char c : s) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// The text with its placeholders filled in; none when one of them names nothing.
std::optional<std::string> FillPlaceholders(std::string_view value, const std::string& winampFolder,
                                            platform::Processes& processes) {
    const std::string program = text::ExcludeTrailingBackslash(winampFolder);
    std::string out;
    size_t i = 0;
    while (i < value.size()) {
        const char c = value[i];
        if (c == '{' || c == '%') {
            const size_t close = text::Find(value, c == '{' ? "}" : "%", i + 1);
            if (close != npos) {
                const std::string_view name = value.substr(i + 1, close - i - 1);
                if (c == '{' && IsDigits(name)) {
                    std::string folder = processes.SpecialFolder(static_cast<int>(text::StrToInt(name)));
                    if (folder.empty()) {
                        return std::nullopt;
                    }
                    out += text::ExcludeTrailingBackslash(folder);
                    i = close + 1;
                    continue;
                }
                if (c == '%' && !name.empty()) {
                    if (text::SameText(name, "WINAMP_PROGRAM_DIR") || text::SameText(name, "WINAMP_ROOT_DIR")) {
                        out += program;
                    } else {
                        const auto variable = processes.EnvironmentVariable(std::string(name));
                        if (!variable) {
                            return std::nullopt;
                        }
                        out += *variable;
                    }
                    i = close + 1;
                    continue;
                }
            }
        }
        const size_t n = text::CharLengthAt(value, i);
        out.append(value.substr(i, n));
        i += n;
    }
    return out;
}

// The root a full path keeps when ".." climbs: "C:\" or "\\server\share\"; empty when the
// path is relative.
size_t RootLength(std::string_view path) {
    if (path.size() >= 2 && path[1] == ':') {
        return path.size() >= 3 && path[2] == '\\' ? 3 : 2;
    }
    if (text::StartsWith(path, "\\\\")) {
        size_t end = text::Find(path, "\\", 2);
        if (end != npos) {
            end = text::Find(path, "\\", end + 1);
        }
        return end == npos ? path.size() : end + 1;
    }
    return 0;
}

// "." and ".." taken out, doubled "\" made single.
std::string Normalise(std::string_view path) {
    const size_t root = RootLength(path);
    std::vector<std::string_view> parts;
    size_t start = root;
    while (start <= path.size()) {
        size_t end = text::Find(path, "\\", start);
        if (end == npos) {
            end = path.size();
        }
        const std::string_view part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string out(path.substr(0, root));
    for (const std::string_view part : parts) {
        out.append(part);
        out += '\\';
    }
    return out;
}

}  // namespace

std::optional<std::string> ExpandFolderValue(std::string_view value, const std::string& winampFolder,
                                             platform::Processes& processes) {
    value = text::Trim(value);
    if (value.empty()) {
        return std::nullopt;
    }
    std::optional<std::string> filled = FillPlaceholders(value, winampFolder, processes);
    if (!filled || text::Trim(*filled).empty()) {
        return std::nullopt;
    }
    std::string path = *filled;
    for (char& c : path) {
        if (c == '/') {
            c = '\\';  // never a trail byte, so always a character of its own
        }
    }
    if (RootLength(path) == 0) {
        if (text::StartsWith(path, "\\")) {
            path = winampFolder.substr(0, RootLength(winampFolder)) + path.substr(1);
        } else {
            path = text::IncludeTrailingBackslash(winampFolder) + path;
        }
    }
    return Normalise(path);
}

WinampFolders FindWinampFolders(platform::IniFiles& iniFiles, platform::Processes& processes,
                                const std::string& winampFolder) {
    platform::TIniFile paths(iniFiles, winampFolder + "paths.ini");
    WinampFolders folders;
    folders.settings =
        ExpandFolderValue(paths.ReadString("Winamp", "inidir", ""), winampFolder, processes).value_or(winampFolder);
    folders.playList =
        ExpandFolderValue(paths.ReadString("Winamp", "m3udir", ""), winampFolder, processes).value_or(folders.settings);
    return folders;
}

}  // namespace sorabell::winamp
