#pragma once
// A fresh place on the backend under test, so that one test body checks the simulated platform
// natively and the real Win32 one under Wine: a folder and a registry key of the test's own,
// removed again afterwards.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "contract/PlayerControl.h"
#include "platform/Platform.h"
#include "platform/Toolkit.h"

namespace sorabell::testing {

class ContractEnvironment {
public:
    virtual ~ContractEnvironment() = default;
    virtual platform::Platform& platform() = 0;
    // An empty folder, as a Windows path ending in "\".
    virtual const std::string& folder() const = 0;
    // A key below HKEY_CURRENT_USER that holds nothing yet.
    virtual const std::string& registryPath() const = 0;
    // Starts a player stand-in whose folder is `folder` (which exists).
    virtual std::unique_ptr<PlayerControl> StartPlayer(const std::string& folder) = 0;
    // The backend's widget toolkit, made on first use.
    virtual platform::Toolkit& toolkit() = 0;
};

// Defined once per backend.
std::unique_ptr<ContractEnvironment> MakeContractEnvironment();

class ContractTest : public ::testing::Test {
protected:
    platform::Platform& os() { return env_->platform(); }
    const std::string& folder() const { return env_->folder(); }
    const std::string& registryPath() const { return env_->registryPath(); }
    std::string PathOf(const std::string& name) const { return folder() + name; }
    std::unique_ptr<PlayerControl> StartPlayer() { return env_->StartPlayer(folder()); }
    platform::Toolkit& toolkit() { return env_->toolkit(); }

private:
    std::unique_ptr<ContractEnvironment> env_ = MakeContractEnvironment();
};

}  // namespace sorabell::testing
