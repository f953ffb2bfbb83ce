#include "display/Startup.h"

#include "platform/Text.h"
#include "settings/RegIniFile.h"

namespace sorabell::display {

std::string WinampCommandLine(const std::string& winampFolder, const std::vector<std::string>& arguments) {
    std::string line = text::Quoted(winampFolder + kWinampProgram);
    for (const std::string& argument : arguments) {
        line += " " + text::Quoted(argument);
    }
    return line;
}

void StartPreferences(platform::Platform& platform) {
    const std::string ownFolder = text::ExtractFilePath(platform.processes.ModuleFileName());
    platform.processes.WinExec(text::Quoted(ownFolder + kPreferencesProgram), platform::SW_SHOW_NORMAL);
}

bool AlreadyRunning(platform::Processes& processes, const std::string& name,
                    std::unique_ptr<platform::NamedMutex>& held) {
    auto mutex = processes.CreateNamedMutex(name);
    if (!mutex || mutex->alreadyExisted()) {
        return true;
    }
    held = std::move(mutex);
    return false;
}

std::unique_ptr<platform::NamedMutex> EnterDisplayProgram(platform::Platform& platform,
                                                          const std::vector<std::string>& arguments) {
    const settings::TRegIniFile store(platform.registry, settings::kRootPath);
    // An empty default here, unlike the reload's: an unset folder must lead to the preferences.
    const std::string winampFolder = store.ReadString("Option", "Winamp", "");
    if (!platform::FileExists(platform.files, winampFolder + kWinampProgram)) {
        StartPreferences(platform);
        return nullptr;
    }
    platform.processes.WinExec(WinampCommandLine(winampFolder, arguments), platform::SW_SHOW_NORMAL);
    std::unique_ptr<platform::NamedMutex> held;
    if (AlreadyRunning(platform.processes, kInstanceMutexName, held)) {
        return nullptr;
    }
    return held;
}

}  // namespace sorabell::display
