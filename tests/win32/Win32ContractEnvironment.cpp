#include <windows.h>

#include <atomic>
#include <string>

#include "contract/ContractEnvironment.h"
#include "platform/win32/Win32Platform.h"

namespace sorabell::testing {

namespace {

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA data{};
    HANDLE find = ::FindFirstFileA((folder + "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string path = folder + name;
            ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + "\\");
            } else {
                ::DeleteFileA(path.c_str());
            }
        } while (::FindNextFileA(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryA(folder.c_str());
}

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

private:
    win32::Win32Platform system_;
    std::string folder_;
    std::string registryPath_;
};

}  // namespace

std::unique_ptr<ContractEnvironment> MakeContractEnvironment() {
    return std::make_unique<Win32ContractEnvironment>();
}

}  // namespace sorabell::testing
