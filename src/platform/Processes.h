#pragma once
// Starting programs, named mutexes, the clock, and what the running program knows of itself: its
// own file name, its environment and the user's special folders.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace sorabell::platform {

constexpr int SW_SHOW_NORMAL = 5;  // SW_SHOW

// A named mutex held for the life of the object.
class NamedMutex {
public:
    virtual ~NamedMutex() = default;
    // Another holder had created the mutex of this name before.
    virtual bool alreadyExisted() const = 0;
};

class Processes {
public:
    virtual ~Processes() = default;
    // WinExec: starts a command line; the result is WinExec's (above 31 on success).
    virtual unsigned WinExec(const std::string& commandLine, int show) = 0;
    // ShellExecute: opens a file, a folder or an address with the program the system has for it;
    // the result is ShellExecute's (above 32 on success).
    virtual uintptr_t ShellExecuteFile(const std::string& verb, const std::string& file, const std::string& parameters,
                                       const std::string& directory, int show) = 0;
    // Null when the system refused to create the mutex.
    virtual std::unique_ptr<NamedMutex> CreateNamedMutex(const std::string& name) = 0;
    // The full path of the running program (GetModuleFileName of the process).
    virtual std::string ModuleFileName() = 0;
    // Milliseconds since the system started (GetTickCount): it wraps after 49.7 days, so only
    // differences count.
    virtual uint32_t TickCount() = 0;
    // The process's environment variable of that name (compared without regard to case); none
    // when it is not set.
    virtual std::optional<std::string> EnvironmentVariable(const std::string& name) = 0;
    // The folder of a CSIDL number (26, CSIDL_APPDATA, is the user's application data folder),
    // without a final "\"; empty when the system has none for it.
    virtual std::string SpecialFolder(int csidl) = 0;
};

}  // namespace sorabell::platform
