#pragma once
// Starting programs, named mutexes, the running program's own file name and the clock.

#include <cstdint>
#include <memory>
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
};

}  // namespace sorabell::platform
