#pragma once
// The display program's entry, up to the creation of its hidden main form.

#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace sorabell::display {

inline constexpr const char* kInstanceMutexName = "そらべる";
inline constexpr const char* kPreferencesProgram = "Sorabell_Preferences.exe";
inline constexpr const char* kWinampProgram = "WINAMP.EXE";

// Winamp's command line: its program file and every argument, each in double quotes. The
// program's path is quoted too, so that "C:\Program Files\..." can never start "C:\Program.exe".
std::string WinampCommandLine(const std::string& winampFolder, const std::vector<std::string>& arguments);

// Starts the preferences program from this program's folder.
void StartPreferences(platform::Platform& platform);

// Creates the named mutex. True when that failed or another holder had it (the handle is then
// closed); false when this process now holds it, in `held`, for as long as it keeps `held`.
bool AlreadyRunning(platform::Processes& processes, const std::string& name,
                    std::unique_ptr<platform::NamedMutex>& held);

// Starts the preferences program when Winamp's folder holds no WINAMP.EXE, otherwise starts
// Winamp with the arguments and takes the single-instance mutex. Returns the mutex when this
// process is to go on and create its main form; null when it ends here.
std::unique_ptr<platform::NamedMutex> EnterDisplayProgram(platform::Platform& platform,
                                                          const std::vector<std::string>& arguments);

}  // namespace sorabell::display
