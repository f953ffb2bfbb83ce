#include <gtest/gtest.h>

#include <map>

#include "platform/IniDocument.h"
#include "winamp/WinampFolders.h"

namespace sorabell::winamp {
namespace {

// A user's machine as far as paths.ini reaches it: its INI files, environment and special folders.
class Machine : public platform::IniFiles, public platform::Processes {
public:
    std::map<std::string, std::string> files;
    std::map<std::string, std::string> environment;
    std::map<int, std::string> specialFolders;

    std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                           const std::string& fallback) override {
        const auto found = files.find(file);
        return found == files.end() ? fallback : platform::IniReadString(found->second, section, key, fallback);
    }
    void WriteString(const std::string&, const std::string&, const std::string&, const std::string&) override {}
    unsigned WinExec(const std::string&, int) override { return 0; }
    uintptr_t ShellExecuteFile(const std::string&, const std::string&, const std::string&, const std::string&,
                               int) override {
        return 0;
    }
    std::unique_ptr<platform::NamedMutex> CreateNamedMutex(const std::string&) override { return nullptr; }
    std::string ModuleFileName() override { return "C:\\Program Files\\Winamp\\Sorabell.exe"; }
    uint32_t TickCount() override { return 0; }
    std::optional<std::string> EnvironmentVariable(const std::string& name) override {
        const auto found = environment.find(name);
        return found == environment.end() ? std::nullopt : std::optional(found->second);
    }
    std::string SpecialFolder(int csidl) override {
        const auto found = specialFolders.find(csidl);
        return found == specialFolders.end() ? std::string() : found->second;
    }
};

const std::string kWinamp = "C:\\Program Files\\Winamp\\";
const std::string kPathsIni = kWinamp + "paths.ini";

class WinampFoldersTest : public ::testing::Test {
protected:
    WinampFoldersTest() {
        machine.specialFolders[26] = "C:\\Users\\aki\\AppData\\Roaming";
        machine.environment["USERPROFILE"] = "C:\\Users\\aki\\";
    }
    WinampFolders Find() { return FindWinampFolders(machine, machine, kWinamp); }
    std::optional<std::string> Expand(std::string_view value) { return ExpandFolderValue(value, kWinamp, machine); }

    Machine machine;
};

TEST_F(WinampFoldersTest, WithoutPathsIniOrItsKeysWinampKeepsEverythingInItsOwnFolder) {
    EXPECT_EQ(Find().settings, kWinamp);
    EXPECT_EQ(Find().playList, kWinamp);
    machine.files[kPathsIni] = "[Other]\r\ninidir=C:\\Elsewhere\r\n[Winamp]\r\ninidir=  \r\n";
    EXPECT_EQ(Find().settings, kWinamp);
    EXPECT_EQ(Find().playList, kWinamp);
}

TEST_F(WinampFoldersTest, APerUserInstallKeepsSettingsAndPlayListInTheApplicationDataFolder) {
    machine.files[kPathsIni] = "[Winamp]\r\ninidir={26}\\Winamp\r\n";
    EXPECT_EQ(Find().settings, "C:\\Users\\aki\\AppData\\Roaming\\Winamp\\");
    EXPECT_EQ(Find().playList, "C:\\Users\\aki\\AppData\\Roaming\\Winamp\\");
    machine.files[kPathsIni] = "[Winamp]\r\ninidir={26}\\Winamp\r\nm3udir=%USERPROFILE%\\Lists\r\n";
    EXPECT_EQ(Find().settings, "C:\\Users\\aki\\AppData\\Roaming\\Winamp\\");
    EXPECT_EQ(Find().playList, "C:\\Users\\aki\\Lists\\");
}

TEST_F(WinampFoldersTest, RelativeValuesStartAtTheWinampFolderAndADriveLessOneAtItsDrive) {
    EXPECT_EQ(Expand("Settings"), kWinamp + "Settings\\");
    EXPECT_EQ(Expand(".\\Settings\\.\\Lists"), kWinamp + "Settings\\Lists\\");
    EXPECT_EQ(Expand("..\\..\\..\\Shared"), "C:\\Shared\\") << "never above the drive";
    EXPECT_EQ(Expand("\\Winamp Data"), "C:\\Winamp Data\\");
    EXPECT_EQ(Expand("D:\\Music\\\\Lists"), "D:\\Music\\Lists\\");
    EXPECT_EQ(Expand("\\\\server\\share\\..\\..\\Winamp"), "\\\\server\\share\\Winamp\\");
    EXPECT_EQ(ExpandFolderValue("\\Data", "\\\\server\\apps\\Winamp\\", machine), "\\\\server\\apps\\Data\\");
    // Winamp's own variables name its folder, whatever the environment says.
    machine.environment["WINAMP_PROGRAM_DIR"] = "D:\\Wrong";
    EXPECT_EQ(Expand("%WINAMP_PROGRAM_DIR%\\Settings"), kWinamp + "Settings\\");
    EXPECT_EQ(Expand("%winamp_root_dir%/Data/"), kWinamp + "Data\\");
}

TEST_F(WinampFoldersTest, DoubleByteNamesKeepATrailByteThatIsABackslash) {
    // "表" is 0x95 0x5C in CP932.
    EXPECT_EQ(Expand("..\\表\\設定"), "C:\\Program Files\\表\\設定\\");
    EXPECT_EQ(Expand("{26}\\表"), "C:\\Users\\aki\\AppData\\Roaming\\表\\");
}

TEST_F(WinampFoldersTest, APlaceholderTheSystemCannotFillLeavesWinampsDefault) {
    EXPECT_EQ(Expand("{40}\\Winamp"), std::nullopt);
    EXPECT_EQ(Expand("%NOT_SET%\\Winamp"), std::nullopt);
    machine.files[kPathsIni] = "[Winamp]\r\ninidir={40}\\Winamp\r\nm3udir=%NOT_SET%\r\n";
    EXPECT_EQ(Find().settings, kWinamp);
    EXPECT_EQ(Find().playList, kWinamp);
    // What is not a placeholder stays text of the name.
    EXPECT_EQ(Expand("{x}\\100%"), kWinamp + "{x}\\100%\\");
}

}  // namespace
}  // namespace sorabell::winamp
