#include <gtest/gtest.h>

#include "contract/ContractEnvironment.h"
#include "harness/OwnedProcess.h"
#include "settings/RegIniFile.h"

namespace sorabell::testing {
namespace {

using Win32Registry = ContractTest;

TEST_F(Win32Registry, ValuesAddedWithRegReadAsTheStoreExpects) {
    const std::string key = "HKCU\\" + registryPath() + "\\Option";
    ASSERT_EQ(RunAndWait("reg add \"" + key + "\" /v TimerSpeed /t REG_SZ /d 400 /f"), 0);
    ASSERT_EQ(RunAndWait("reg add \"" + key + "\" /v ScrollDot /t REG_DWORD /d 9 /f"), 0);
    ASSERT_EQ(RunAndWait("reg add \"" + key + "\" /v FontCh /t REG_SZ /d 1 /f"), 0);
    ASSERT_EQ(RunAndWait("reg add \"" + key + "\" /v Blob /t REG_BINARY /d 0102 /f"), 0);
    const settings::TRegIniFile store(os().registry, registryPath());
    EXPECT_EQ(store.ReadInteger("Option", "TimerSpeed", 200), 400);
    EXPECT_EQ(store.ReadInteger("Option", "ScrollDot", 6), 9);
    EXPECT_TRUE(store.ReadBool("Option", "FontCh", false));
    EXPECT_EQ(store.ReadInteger("Option", "Blob", 77), 77);
    EXPECT_EQ(store.ReadString("Option", "Blob", "d"), "d");
}

}  // namespace
}  // namespace sorabell::testing
