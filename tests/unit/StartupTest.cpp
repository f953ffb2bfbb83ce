#include <gtest/gtest.h>

#include "display/Startup.h"
#include "platform/sim/SimMachine.h"
#include "settings/RegIniFile.h"
#include "sim/TempFolder.h"

namespace sorabell::display {
namespace {

constexpr const char* kDisplayExe = "C:\\Program Files\\Sorabell\\Sorabell.exe";
constexpr const char* kWinampFolder = "C:\\Program Files\\Winamp\\";

class DisplayStartup : public ::testing::Test {
protected:
    void InstallWinamp() {
        machine_.files().CreateFolder("C:\\Program Files");
        machine_.files().CreateFolder(kWinampFolder);
        platform::WriteWholeFile(machine_.files(), std::string(kWinampFolder) + "winamp.exe", "MZ");
        settings::TRegIniFile(machine_.registry(), settings::kRootPath).WriteString("Option", "Winamp", kWinampFolder);
    }
    std::unique_ptr<platform::NamedMutex> Start(const std::vector<std::string>& arguments) {
        programs_.push_back(machine_.StartProgram(kDisplayExe));
        return EnterDisplayProgram(programs_.back()->platform(), arguments);
    }
    const std::vector<sim::SimSession::Launch>& launches() { return machine_.session().launches; }

    testing::TempFolder temp_;
    sim::SimMachine machine_{temp_.path()};
    std::vector<std::unique_ptr<sim::SimMachine::Program>> programs_;
};

TEST(WinampCommandLine, QuotesTheProgramAndEveryArgument) {
    EXPECT_EQ(WinampCommandLine(kWinampFolder, {}), "\"C:\\Program Files\\Winamp\\WINAMP.EXE\"");
    EXPECT_EQ(WinampCommandLine(kWinampFolder, {"a b.mp3", "c.mp3"}),
              "\"C:\\Program Files\\Winamp\\WINAMP.EXE\" \"a b.mp3\" \"c.mp3\"");
    EXPECT_EQ(WinampCommandLine("C:\\ソ\\", {"C:\\表\\曲.rmp"}), "\"C:\\ソ\\WINAMP.EXE\" \"C:\\表\\曲.rmp\"");
}

TEST_F(DisplayStartup, WithoutWinampTheFolderChoiceComesFirst) {
    EXPECT_EQ(Start({"x.mp3"}), nullptr);
    ASSERT_EQ(launches().size(), 1u);
    EXPECT_EQ(launches()[0].commandLine, "\"C:\\Program Files\\Sorabell\\Sorabell_Preferences.exe\"");
    EXPECT_EQ(launches()[0].show, 5);
    EXPECT_TRUE(machine_.session().mutexes.empty()) << "a mutex would block the start after set-up";
}

TEST_F(DisplayStartup, AFolderWithoutWinampExeCountsAsUnset) {
    machine_.files().CreateFolder("C:\\Empty");
    settings::TRegIniFile(machine_.registry(), settings::kRootPath).WriteString("Option", "Winamp", "C:\\Empty\\");
    EXPECT_EQ(Start({}), nullptr);
    ASSERT_EQ(launches().size(), 1u);
    EXPECT_NE(launches()[0].commandLine.find("Sorabell_Preferences.exe"), std::string::npos);
}

TEST_F(DisplayStartup, WinampStartsWithTheArgumentsAndTheFirstCopyHoldsTheMutex) {
    InstallWinamp();
    auto held = Start({"a b.mp3", "c.mp3"});
    ASSERT_NE(held, nullptr);
    ASSERT_EQ(launches().size(), 1u);
    EXPECT_EQ(launches()[0].commandLine, "\"C:\\Program Files\\Winamp\\WINAMP.EXE\" \"a b.mp3\" \"c.mp3\"");
    EXPECT_EQ(machine_.session().mutexes.count(kInstanceMutexName), 1u);
}

TEST_F(DisplayStartup, ASecondCopyPassesItsFilesToWinampAndEnds) {
    InstallWinamp();
    auto first = Start({});
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Start({"x.mp3", "y.mp3"}), nullptr);
    ASSERT_EQ(launches().size(), 2u);
    EXPECT_EQ(launches()[1].commandLine, "\"C:\\Program Files\\Winamp\\WINAMP.EXE\" \"x.mp3\" \"y.mp3\"");
    first.reset();
    EXPECT_NE(Start({}), nullptr) << "the mutex goes with the first copy";
}

TEST_F(DisplayStartup, AMutexTheSystemRefusesCountsAsAnotherCopy) {
    InstallWinamp();
    machine_.session().refusedMutexes.insert(kInstanceMutexName);
    EXPECT_EQ(Start({"x.mp3"}), nullptr);
    EXPECT_EQ(launches().size(), 1u) << "Winamp is still started";
}

}  // namespace
}  // namespace sorabell::display
