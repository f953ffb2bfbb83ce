#include "contract/ContractEnvironment.h"

namespace sorabell::testing {
namespace {

using platform::RegistryRoot;
using platform::RegistryValue;
constexpr auto kUser = RegistryRoot::CurrentUser;

using RegistryContract = ContractTest;

TEST_F(RegistryContract, StringsRoundTripWithTheirBytes) {
    auto& reg = os().registry;
    const std::string key = registryPath() + "\\Option";
    reg.WriteString(kUser, key, "Lumora", "♪");
    reg.WriteString(kUser, key, "Empty", "");
    reg.WriteString(kUser, key, "Path", "C:\\ソ表\\");
    const auto mark = reg.ReadValue(kUser, key, "Lumora");
    ASSERT_TRUE(mark.has_value());
    EXPECT_EQ(mark->kind, RegistryValue::Kind::String);
    EXPECT_EQ(mark->text, "♪");
    EXPECT_EQ(reg.ReadValue(kUser, key, "Empty")->text, "");
    EXPECT_EQ(reg.ReadValue(kUser, key, "Path")->text, "C:\\ソ表\\");
}

TEST_F(RegistryContract, NamesCompareWithoutCaseAndKeepTheirFirstSpelling) {
    auto& reg = os().registry;
    reg.WriteString(kUser, registryPath() + "\\Option", "TimerSpeed", "400");
    EXPECT_EQ(reg.ReadValue(kUser, registryPath() + "\\OPTION", "timerspeed")->text, "400");
    reg.WriteString(kUser, registryPath() + "\\option", "TIMERSPEED", "200");
    EXPECT_EQ(reg.ReadValue(kUser, registryPath() + "\\Option", "TimerSpeed")->text, "200");
}

TEST_F(RegistryContract, MissingKeysAndValuesReadAsNothing) {
    auto& reg = os().registry;
    EXPECT_FALSE(reg.ReadValue(kUser, registryPath() + "\\Nowhere", "x").has_value());
    EXPECT_FALSE(reg.KeyExists(kUser, registryPath() + "\\Nowhere"));
    reg.WriteString(kUser, registryPath() + "\\Here", "a", "1");
    EXPECT_FALSE(reg.ReadValue(kUser, registryPath() + "\\Here", "b").has_value());
}

TEST_F(RegistryContract, WritingMakesTheKeyAndItsParents) {
    auto& reg = os().registry;
    reg.WriteString(kUser, registryPath() + "\\Skins\\My Skin\\Nested", "v", "1");
    EXPECT_TRUE(reg.KeyExists(kUser, registryPath() + "\\Skins"));
    EXPECT_TRUE(reg.KeyExists(kUser, registryPath() + "\\Skins\\My Skin"));
    EXPECT_TRUE(reg.CreateKey(kUser, registryPath() + "\\Made"));
    EXPECT_TRUE(reg.KeyExists(kUser, registryPath() + "\\made"));
}

TEST_F(RegistryContract, DWordsAndDefaultValues) {
    auto& reg = os().registry;
    reg.WriteDWord(kUser, registryPath(), "Number", 0xFFFFFFF4u);
    const auto number = reg.ReadValue(kUser, registryPath(), "Number");
    ASSERT_TRUE(number.has_value());
    EXPECT_EQ(number->kind, RegistryValue::Kind::DWord);
    EXPECT_EQ(number->number, 0xFFFFFFF4u);
    reg.WriteString(kUser, registryPath() + "\\.mp3", "", "Winamp.File");
    EXPECT_EQ(reg.ReadValue(kUser, registryPath() + "\\.mp3", "")->text, "Winamp.File");
}

TEST_F(RegistryContract, DeletingAKeyTakesEverythingBelowIt) {
    auto& reg = os().registry;
    reg.WriteString(kUser, registryPath() + "\\A\\B", "v", "1");
    EXPECT_TRUE(reg.DeleteKey(kUser, registryPath() + "\\A"));
    EXPECT_FALSE(reg.KeyExists(kUser, registryPath() + "\\A\\B"));
    EXPECT_FALSE(reg.KeyExists(kUser, registryPath() + "\\A"));
    EXPECT_FALSE(reg.DeleteKey(kUser, registryPath() + "\\A"));
}

}  // namespace
}  // namespace sorabell::testing
