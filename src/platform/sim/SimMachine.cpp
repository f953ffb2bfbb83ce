#include "platform/sim/SimMachine.h"

#include <stdexcept>

namespace sorabell::sim {

namespace {

std::filesystem::path PrepareDriveC(const std::filesystem::path& root) {
    const auto c = root / "c";
    std::filesystem::create_directories(c / "windows" / "temp");
    return c;
}

}  // namespace

SimMachine::SimMachine(std::filesystem::path root)
    : root_(std::move(root)),
      files_({{'C', PrepareDriveC(root_)}}, "C:\\windows\\temp\\"),
      registry_(root_ / "registry.reg"),
      iniFiles_(files_),
      session_(std::make_shared<SimSession>()) {}

std::filesystem::path SimMachine::HostPath(const std::string& windowsPath) const {
    const auto host = files_.HostPath(windowsPath);
    if (!host) {
        throw std::invalid_argument("not a path of the simulated machine: " + windowsPath);
    }
    return *host;
}

SimMachine::Program::Program(SimMachine& machine, std::string moduleFileName)
    : processes_(machine.session_, std::move(moduleFileName)), platform_{machine.registry_, machine.iniFiles_,
                                                                         machine.files_,    processes_,
                                                                         machine.desktop_,  machine.random_,
                                                                         machine.codePage_} {}

}  // namespace sorabell::sim
