// The file associations on a simulated HKEY_CLASSES_ROOT, the old program's name in Shift-JIS
// commands, and the repair of WINAMP.INI that leaves every other byte alone.

#include <gtest/gtest.h>

#include "platform/sim/SimRegistry.h"
#include "preferences/Associations.h"

namespace sorabell::testing {
namespace {

using platform::RegistryRoot;
using preferences::AssociateExtensions;
using preferences::OldProgramName;

constexpr const char* kFolder = "C:\\ソフト\\Sorabell\\";
constexpr const char* kCommand = "\"C:\\ソフト\\Sorabell\\Sorabell.Exe\" \"%1\"";

class Associations : public ::testing::Test {
protected:
    void Set(const std::string& key, const std::string& value) {
        registry_.WriteString(RegistryRoot::ClassesRoot, key, "", value);
    }
    std::string Get(const std::string& key) {
        const auto value = registry_.ReadValue(RegistryRoot::ClassesRoot, key, "");
        return value ? value->text : "<none>";
    }
    // A file type whose default verb opens `command`.
    void FileType(const std::string& type, const std::string& command) {
        Set(type + "\\shell", "open");
        Set(type + "\\shell\\open\\command", command);
    }
    sim::SimRegistry registry_;
};

TEST(OldProgram, IsTakenByCharacterSoATrailByteOf0x5CIsNoBackslash) {
    EXPECT_EQ(OldProgramName("\"C:\\Program Files\\Winamp\\Winamp.exe\" \"%1\""), "Winamp");
    EXPECT_EQ(OldProgramName("C:\\PROGRA~1\\WINAMP\\WINAMP.EXE /ADD \"%1\""), "WINAMP");
    // 表 and ソ end in the byte 0x5C.
    EXPECT_EQ(OldProgramName("\"C:\\表示\\ソ表.exe\" \"%1\""), "ソ表");
    EXPECT_EQ(OldProgramName("D:表"), "表");
    EXPECT_EQ(OldProgramName("C:\\bin\\player"), "player");
    EXPECT_EQ(OldProgramName("\"C:\\W\\winamp.exe\" \"%1\" /x.y"), "winamp.exe\" \"%1\" /x");
}

TEST_F(Associations, FollowsEachExtensionMirrorsRmpAndNamesTheOldProgramsThenItself) {
    Set(".mp3", "mp3file");
    Set(".mp2", "mp3file");  // shared with mp3: rewritten twice
    Set(".m3u", "m3ufile");
    Set("m3ufile\\shell", "play");
    Set("m3ufile\\shell\\play\\command", "\"C:\\Winamp\\Winamp.exe\" /ADD \"%1\"");
    FileType("mp3file", "\"C:\\Program Files\\Winamp\\Winamp.exe\" \"%1\"");

    const auto first = AssociateExtensions(registry_, kFolder);
    EXPECT_EQ(first.Text(),
              "*.mp3 の関連づけを Winamp から Sorabell に変更しました\r\n"
              "*.rmp のファイルタイプを mp3file に変更しました\r\n"
              "*.mp2 の関連づけを Sorabell から Sorabell に変更しました\r\n"
              "*.m3u の関連づけを Winamp から Sorabell に変更しました\r\n");
    EXPECT_EQ(Get("mp3file\\shell\\open\\command"), kCommand);
    EXPECT_EQ(Get("m3ufile\\shell\\play\\command"), kCommand);
    EXPECT_EQ(Get(".rmp"), "mp3file");
    EXPECT_EQ(Get(".pls"), "<none>") << "a missing extension is not made";

    const auto second = AssociateExtensions(registry_, kFolder);
    EXPECT_EQ(second.lines[0], "*.mp3 の関連づけを Sorabell から Sorabell に変更しました");
    EXPECT_EQ(second.lines[3], "*.m3u の関連づけを Sorabell から Sorabell に変更しました");
    EXPECT_EQ(Get("mp3file\\shell\\open\\command"), kCommand);
}

TEST_F(Associations, AnEmptyFileTypeOrVerbNeverReachesKeysOutsideItsFileType) {
    Set("shell", "open");  // a "shell" key at the root
    Set("shell\\open\\command", "root command");
    Set(".m3u", "m3ufile");
    Set("m3ufile\\shell\\open\\command", "m3u command");  // no default verb
    Set(".pls", "plsfile");
    Set("plsfile\\shell", "open");  // no command key

    const auto report = AssociateExtensions(registry_, kFolder);
    EXPECT_EQ(report.Text(), "*.rmp のファイルタイプを  に変更しました\r\n");
    EXPECT_EQ(Get("shell\\open\\command"), "root command");
    EXPECT_EQ(Get("m3ufile\\shell\\open\\command"), "m3u command");
    EXPECT_EQ(Get(".rmp"), "");
    EXPECT_FALSE(registry_.KeyExists(RegistryRoot::ClassesRoot, "plsfile\\shell\\open\\command"));
}

TEST_F(Associations, ARefusedWriteEndsTheActionAndReportsOnlyWhatWasWritten) {
    FileType("mp3file", "old.exe");
    FileType("m3ufile", "old.exe");
    Set(".mp3", "mp3file");
    Set(".mp2", "mp2file");
    FileType("mp2file", "old.exe");
    Set(".m3u", "m3ufile");
    registry_.RefuseWrites(RegistryRoot::ClassesRoot, "mp2file");

    const auto report = AssociateExtensions(registry_, kFolder);
    ASSERT_EQ(report.lines.size(), 2u);
    EXPECT_EQ(report.failure.rfind("*.mp2 の関連づけを変更できませんでした\r\n", 0), 0u) << report.failure;
    EXPECT_EQ(Get("mp2file\\shell\\open\\command"), "old.exe");
    EXPECT_EQ(Get("m3ufile\\shell\\open\\command"), "old.exe") << "nothing after the refusal is tried";
}

TEST(WinampIniRepair, ChangesTheTwoKeysAndNoOtherByte) {
    const std::string before =
        "; Winamp の設定\r\n[Winamp]\r\nskin=青空\r\n  AutoScrollName = 1 \r\nextra=x\n\r\n[Unknown]\r\nrandskin=1\r\n"
        "[winamp]\r\nrandskin=7";
    EXPECT_EQ(preferences::RepairedWinampIni(before),
              "; Winamp の設定\r\n[Winamp]\r\nskin=青空\r\nAutoScrollName=0\r\nextra=x\nrandskin=0\r\n\r\n"
              "[Unknown]\r\nrandskin=1\r\n[winamp]\r\nrandskin=7");
    EXPECT_EQ(preferences::RepairedWinampIni(""), "[Winamp]\r\nautoscrollname=0\r\nrandskin=0\r\n");
}

}  // namespace
}  // namespace sorabell::testing
