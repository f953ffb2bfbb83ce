#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "platform/Errors.h"
#include "platform/sim/SimFileSystem.h"
#include "platform/sim/SimMachine.h"
#include "sim/FileSizeLimit.h"
#include "sim/TempFolder.h"

namespace sorabell::sim {
namespace {

namespace fs = std::filesystem;

TEST(SimFileSystem, DrivesAreHostFoldersAndNamesAreUtf8There) {
    testing::TempFolder temp;
    SimMachine machine(temp.path());
    machine.files().CreateFolder("C:\\音楽");
    platform::WriteWholeFile(machine.files(), "C:\\音楽\\ソ表.txt", "x");
    EXPECT_EQ(testing::ReadHostFile(temp.path() / "c" / u8"音楽" / u8"ソ表.txt"), "x");
    EXPECT_EQ(machine.HostPath("c:\\音楽\\ソ表.txt"), temp.path() / "c" / u8"音楽" / u8"ソ表.txt");
}

TEST(SimFileSystem, ExistingHostNamesAreFoundWithoutRegardToCase) {
    testing::TempFolder temp;
    SimMachine machine(temp.path());
    fs::create_directories(temp.path() / "c" / "Program Files" / "Winamp");
    std::ofstream(temp.path() / "c" / "Program Files" / "Winamp" / "winamp.exe") << "MZ";
    EXPECT_EQ(machine.HostPath("C:\\PROGRAM FILES\\winamp\\WINAMP.EXE"),
              temp.path() / "c" / "Program Files" / "Winamp" / "winamp.exe");
    EXPECT_EQ(machine.HostPath("C:/Program Files/./Winamp/../Winamp/Winamp.Exe"),
              temp.path() / "c" / "Program Files" / "Winamp" / "winamp.exe");
}

TEST(SimFileSystem, PathsWindowsRefusesAreNoPaths) {
    testing::TempFolder temp;
    SimMachine machine(temp.path());
    auto& files = machine.files();
    EXPECT_FALSE(files.HostPath("D:\\unmapped").has_value());
    EXPECT_FALSE(files.HostPath("relative\\path").has_value());
    EXPECT_FALSE(files.HostPath("C:\\a|b").has_value());
    EXPECT_FALSE(files.HostPath("C:\\what?").has_value());
    EXPECT_FALSE(files.HostPath("C:\\a:b").has_value());
    EXPECT_EQ(files.GetAttributes("C:\\a|b"), platform::attr::Invalid);
    EXPECT_THROW(files.Open("C:\\a<b", platform::OpenMode::CreateAlways), EInOutError);
    // The second byte of "ソ" is a backslash, not a separator.
    EXPECT_TRUE(files.HostPath("C:\\ソ").has_value());
    EXPECT_EQ(files.HostPath("C:\\ソ")->filename(), fs::path(u8"ソ"));
}

TEST(SimFileSystem, TheReadOnlyBitHoldsEvenForRoot) {
    testing::TempFolder temp;
    SimMachine machine(temp.path());
    auto& files = machine.files();
    platform::WriteWholeFile(files, "C:\\locked.mp3", "keep");
    files.SetAttributes("C:\\locked.mp3", platform::attr::ReadOnly);
    EXPECT_THROW(platform::WriteWholeFile(files, "C:\\locked.mp3", "lost"), EInOutError);
    EXPECT_EQ(testing::ReadHostFile(temp.path() / "c" / "locked.mp3"), "keep");
}

TEST(SimFileSystem, WildcardsMatchAsOnWindows) {
    EXPECT_TRUE(MatchesWildcard("*.*", "noext"));
    EXPECT_TRUE(MatchesWildcard("*.MP3", "song.mp3"));
    EXPECT_FALSE(MatchesWildcard("*.mp3", "song.mp3x"));
    EXPECT_TRUE(MatchesWildcard("s?ng.*", "SONG.rmp"));
    EXPECT_TRUE(MatchesWildcard("song.*", "song"));
    EXPECT_TRUE(MatchesWildcard("a*b*c", "aXXbYYc"));
    EXPECT_FALSE(MatchesWildcard("a*b*c", "aXXbYY"));
    EXPECT_TRUE(MatchesWildcard("main.bmp", "MAIN.BMP"));
}

TEST(SimFileSystem, TheRootOfADriveListsNoDotEntries) {
    testing::TempFolder temp;
    SimMachine machine(temp.path());
    for (const auto& entry : machine.files().Find("C:\\*.*")) {
        EXPECT_NE(entry.name, ".");
        EXPECT_NE(entry.name, "..");
    }
}

TEST(SimFileSystem, NamesThatAreNo83NamesHaveOneThatFindsThemToo) {
    testing::TempFolder temp;
    SimMachine machine(temp.path());
    auto& files = machine.files();
    files.CreateFolder("C:\\Program Files");
    for (const char* name : {"my.song.mp3", "README.TXT", "表 示.txt"}) {
        platform::WriteWholeFile(files, std::string("C:\\Program Files\\") + name, "");
    }
    std::map<std::string, std::string> alternates;
    for (const auto& entry : files.Find("C:\\Program Files\\*.*")) {
        alternates[entry.name] = entry.alternateName;
    }
    EXPECT_EQ(alternates["my.song.mp3"], "MYSONG~1.MP3");
    EXPECT_EQ(alternates["README.TXT"], "");
    EXPECT_EQ(alternates["表 示.txt"], "表示~1.TXT");
    const auto found = files.Find("C:\\progra~1");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].name, "Program Files");
    EXPECT_EQ(found[0].alternateName, "PROGRA~1");
    EXPECT_TRUE(platform::FileExists(files, "C:\\progra~1\\MYSONG~1.MP3"));
}

TEST(SimFileSystem, AFailedWriteReportsTheDiskAsFull) {
    testing::TempFolder temp;
    SimMachine machine(temp.path());
    auto file = machine.files().Open("C:\\big.bin", platform::OpenMode::CreateAlways);
    const testing::FileSizeLimit limit(1024);
    const std::string data(4096, 'x');
    try {
        file->WriteAt(0, data.data(), data.size());
        ADD_FAILURE() << "the write passed the file size limit";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.operation(), EInOutError::Operation::Write);
        EXPECT_EQ(e.systemError(), 112u);
    }
}

}  // namespace
}  // namespace sorabell::sim
