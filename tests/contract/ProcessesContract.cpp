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

TEST_F(ProcessesContract, TheApplicationDataFolderIsASpecialFolderAndAVariableOfTheEnvironment) {
    const std::string appData = os().processes.SpecialFolder(26);
    ASSERT_FALSE(appData.empty());
    EXPECT_TRUE(platform::DirectoryExists(os().files, appData));
    EXPECT_NE(text::LastChar(appData), "\\");
    const auto variable = os().processes.EnvironmentVariable("appdata");
    ASSERT_TRUE(variable.has_value());
    EXPECT_TRUE(text::SameText(*variable, appData)) << *variable << " " << appData;
    EXPECT_EQ(os().processes.EnvironmentVariable("SORABELL_SET_NOWHERE"), std::nullopt);
    EXPECT_EQ(os().processes.SpecialFolder(0x7F), "") << "a number without a folder";
}

}  // namespace
}  // namespace sorabell::testing
