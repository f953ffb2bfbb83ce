#include "contract/ContractEnvironment.h"
#include "platform/Text.h"

#include <algorithm>

namespace sorabell::testing {
namespace {

using ProcessesContract = ContractTest;

TEST_F(ProcessesContract, ANamedMutexTellsWhetherItExistedAlready) {
    // A backslash would name a kernel namespace.
    std::string name = "sorabell-test-mutex-" + registryPath();
    std::replace(name.begin(), name.end(), '\\', '-');
    auto first = os().processes.CreateNamedMutex(name);
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(first->alreadyExisted());
    {
        auto second = os().processes.CreateNamedMutex(name);
        ASSERT_NE(second, nullptr);
        EXPECT_TRUE(second->alreadyExisted());
    }
    first.reset();
    auto again = os().processes.CreateNamedMutex(name);
    ASSERT_NE(again, nullptr);
    EXPECT_FALSE(again->alreadyExisted());
}

TEST_F(ProcessesContract, TheModuleFileNameIsTheRunningProgram) {
    const std::string module = os().processes.ModuleFileName();
    EXPECT_EQ(text::UpperCase(text::ExtractFileExt(module)), ".EXE");
    EXPECT_EQ(module[1], ':');
    EXPECT_EQ(text::LastChar(text::ExtractFilePath(module)), "\\");
}

}  // namespace
}  // namespace sorabell::testing
