#include <windows.h>

#include <atomic>
#include <string>

#include "contract/ContractEnvironment.h"
#include "harness/OwnedProcess.h"
#include "harness/StandInDriver.h"
#include "harness/TestFiles.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32Toolkit.h"

namespace sorabell::testing {

namespace {

// The stand-in program, copied into the folder as WINAMP.EXE and run.
class Win32Player : public PlayerControl {
public:
    explicit Win32Player(std::string folder) : folder_(std::move(folder)) {
        InstallStandIn(folder_);
        process_ = StartStandIn(folder_);
        if (process_) {
            main_ = WaitForStandInWindow(process_);
            playList_ = ::FindWindowA("Winamp PE", nullptr);
        }
    }
    ~Win32Player() override {
        if (process_) {
            Command("quit");
            process_.WaitForExit(5000);
        }
    }
    Win32Player(const Win32Player&) = delete;
    Win32Player& operator=(const Win32Player&) = delete;

    platform::WindowHandle main() const override { return reinterpret_cast<platform::WindowHandle>(main_); }
    platform::WindowHandle playList() const override { return reinterpret_cast<platform::WindowHandle>(playList_); }
    const std::string& folder() const override { return folder_; }
    void Command(const std::string& command) override {
        if (main_ != nullptr) {
            SendPlayerCommand(main_, command);
        }
    }

private:
    std::string folder_;
    OwnedProcess process_;
    HWND main_ = nullptr;
    HWND playList_ = nullptr;
};

class Win32ContractEnvironment : public ContractEnvironment {
public:
    Win32ContractEnvironment() {
        static std::atomic<int> counter{0};
        const std::string unique = std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++counter);
        folder_ = system_.platform().files.TempPath() + "sorabell-test-" + unique + "\\";
        RemoveTree(folder_);
        ::CreateDirectoryA(folder_.c_str(), nullptr);
        registryPath_ = "Software\\SorabellTests\\" + unique;
        system_.platform().registry.DeleteKey(platform::RegistryRoot::CurrentUser, registryPath_);
    }
    ~Win32ContractEnvironment() override {
        RemoveTree(folder_);
        system_.platform().registry.DeleteKey(platform::RegistryRoot::CurrentUser, registryPath_);
    }
    platform::Platform& platform() override { return system_.platform(); }
    const std::string& folder() const override { return folder_; }
    const std::string& registryPath() const override { return registryPath_; }
    std::unique_ptr<PlayerControl> StartPlayer(const std::string& folder) override {
        return std::make_unique<Win32Player>(folder);
    }
    platform::Toolkit& toolkit() override {
        if (!toolkit_) {
            toolkit_ = std::make_unique<win32::Win32Toolkit>(::GetModuleHandleA(nullptr));
        }
        return *toolkit_;
    }

private:
    win32::Win32Platform system_;
    std::string folder_;
    std::string registryPath_;
    std::unique_ptr<win32::Win32Toolkit> toolkit_;
};

}  // namespace

std::unique_ptr<ContractEnvironment> MakeContractEnvironment() { return std::make_unique<Win32ContractEnvironment>(); }

}  // namespace sorabell::testing
