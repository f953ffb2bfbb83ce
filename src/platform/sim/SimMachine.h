#pragma once
// A simulated Windows machine for tests: drive C: is a folder of the host, the registry is a
// REGEDIT4 file beside it. Each program running on it gets its own Platform (its own module
// file name) over the shared file system, registry and session.

#include <filesystem>
#include <memory>
#include <string>

#include "platform/Platform.h"
#include "platform/posix/IconvCodePage.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimFileSystem.h"
#include "platform/sim/SimIniFiles.h"
#include "platform/sim/SimProcesses.h"
#include "platform/sim/SimRandom.h"
#include "platform/sim/SimRegistry.h"

namespace sorabell::sim {

class SimMachine {
public:
    // Uses `root`/c as drive C: and `root`/registry.reg as the registry file.
    explicit SimMachine(std::filesystem::path root);

    // A program of this machine, known by its full Windows file name.
    class Program {
    public:
        Program(SimMachine& machine, std::string moduleFileName);
        platform::Platform& platform() { return platform_; }

    private:
        SimProcesses processes_;
        platform::Platform platform_;
    };

    std::unique_ptr<Program> StartProgram(const std::string& moduleFileName) {
        return std::make_unique<Program>(*this, moduleFileName);
    }

    const std::filesystem::path& root() const { return root_; }
    // The host path of a Windows path on this machine (which need not exist).
    std::filesystem::path HostPath(const std::string& windowsPath) const;

    SimFileSystem& files() { return files_; }
    SimRegistry& registry() { return registry_; }
    SimIniFiles& iniFiles() { return iniFiles_; }
    SimSession& session() { return *session_; }
    SimDesktop& desktop() { return desktop_; }
    SimRandom& random() { return random_; }
    posix::IconvCodePage& codePage() { return codePage_; }

private:
    std::filesystem::path root_;
    SimFileSystem files_;
    SimRegistry registry_;
    SimIniFiles iniFiles_;
    SimDesktop desktop_;
    SimRandom random_;
    posix::IconvCodePage codePage_;
    std::shared_ptr<SimSession> session_;
};

}  // namespace sorabell::sim
