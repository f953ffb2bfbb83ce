#include "harness/TestFiles.h"

#include <windows.h>

#include <fstream>

#include "platform/Text.h"
#include "platform/win32/ScopedWin.h"
#include "platform/win32/Win32Registry.h"

namespace sorabell::testing {

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return text::ExtractFilePath(path);
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

void RemoveTree(const std::string& folder) {
    {
        // Closed before the folder goes: an open search holds it.
        WIN32_FIND_DATAA data{};
        const win32::ScopedFind find(::FindFirstFileA((folder + "*").c_str(), &data));
        for (bool more = find.valid(); more; more = ::FindNextFileA(find.get(), &data) != FALSE) {
            const std::string name = data.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string path = folder + name;
            ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + "\\");
            } else {
                ::DeleteFileA(path.c_str());
            }
        }
    }
    ::RemoveDirectoryA(folder.c_str());
}

void WipeSettings() { win32::Win32Registry().DeleteKey(platform::RegistryRoot::CurrentUser, "software\\Quillmere"); }

}  // namespace sorabell::testing
