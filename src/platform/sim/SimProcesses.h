#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/Processes.h"

namespace sorabell::sim {

// What the simulated machine's programs share: named mutexes and the log of started programs.
struct SimSession {
    struct Launch {
        std::string commandLine;
        int show = 0;
        std::string startedBy;  // module file name of the starting program
    };
    struct ShellExecution {
        std::string verb;
        std::string file;
        std::string parameters;
        std::string directory;
        int show = 0;
    };
    std::set<std::string> mutexes;
    std::vector<Launch> launches;
    std::vector<ShellExecution> shellExecutes;
    // Called for every launch, so that a test can make the started program appear.
    std::function<void(const Launch&)> onLaunch;
    // Names that CreateMutex refuses, to test that path.
    std::set<std::string> refusedMutexes;
    // The environment every program of the session sees, names in upper case.
    std::map<std::string, std::string> environment;
    // The special folders by CSIDL number; the others are missing.
    std::map<int, std::string> specialFolders;
};

class SimProcesses : public platform::Processes {
public:
    SimProcesses(std::shared_ptr<SimSession> session, std::string moduleFileName)
        : session_(std::move(session)), moduleFileName_(std::move(moduleFileName)) {}

    unsigned WinExec(const std::string& commandLine, int show) override;
    uintptr_t ShellExecuteFile(const std::string& verb, const std::string& file, const std::string& parameters,
                               const std::string& directory, int show) override;
    std::unique_ptr<platform::NamedMutex> CreateNamedMutex(const std::string& name) override;
    std::string ModuleFileName() override { return moduleFileName_; }
    uint32_t TickCount() override { return tickCount; }

    // The clock, moved by tests.
    uint32_t tickCount = 0;
    std::optional<std::string> EnvironmentVariable(const std::string& name) override;
    std::string SpecialFolder(int csidl) override;

private:
    std::shared_ptr<SimSession> session_;
    std::string moduleFileName_;
};

}  // namespace sorabell::sim
