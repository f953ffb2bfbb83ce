#pragma once

#include "platform/Processes.h"

namespace sorabell::win32 {

class Win32Processes : public platform::Processes {
public:
    unsigned WinExec(const std::string& commandLine, int show) override;
    uintptr_t ShellExecuteFile(const std::string& verb, const std::string& file, const std::string& parameters,
                               const std::string& directory, int show) override;
    std::unique_ptr<platform::NamedMutex> CreateNamedMutex(const std::string& name) override;
    std::string ModuleFileName() override;
    uint32_t TickCount() override;
    std::optional<std::string> EnvironmentVariable(const std::string& name) override;
    std::string SpecialFolder(int csidl) override;
};

}  // namespace sorabell::win32
