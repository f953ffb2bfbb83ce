#include "contract/ContractEnvironment.h"
#include "sim/TempFolder.h"

#include "platform/sim/SimMachine.h"
#include "platform/sim/SimToolkit.h"
#include "sim/SimPlayer.h"

namespace sorabell::testing {

namespace {

class SimContractEnvironment : public ContractEnvironment {
public:
    SimContractEnvironment()
        : machine_(temp_.path()), program_(machine_.StartProgram("C:\\Program Files\\Sorabell\\tests.exe")) {
        machine_.files().CreateFolder(folder_);
        machine_.session().specialFolders[26] = "C:\\work";
        machine_.session().environment["APPDATA"] = "C:\\work";
    }
    platform::Platform& platform() override { return program_->platform(); }
    const std::string& folder() const override { return folder_; }
    const std::string& registryPath() const override { return registryPath_; }
    std::unique_ptr<PlayerControl> StartPlayer(const std::string& folder) override {
        return std::make_unique<SimPlayer>(machine_.desktop(), machine_.files(), folder);
    }
    platform::Toolkit& toolkit() override {
        if (!toolkit_) {
            toolkit_ = std::make_unique<sim::SimToolkit>(&machine_.desktop());
        }
        return *toolkit_;
    }

private:
    TempFolder temp_;
    sim::SimMachine machine_;
    std::unique_ptr<sim::SimMachine::Program> program_;
    std::unique_ptr<sim::SimToolkit> toolkit_;
    std::string folder_ = "C:\\work\\";
    std::string registryPath_ = "Software\\SorabellTests\\contract";
};

}  // namespace

std::unique_ptr<ContractEnvironment> MakeContractEnvironment() { return std::make_unique<SimContractEnvironment>(); }

}  // namespace sorabell::testing
