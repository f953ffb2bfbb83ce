// The display program's start-up and end, for real, against the player stand-in.

#include <gtest/gtest.h>

#include "harness/StandInDriver.h"
#include "harness/TestFiles.h"
#include "harness/Waits.h"
#include "harness/WindowFinder.h"
#include "hook/HookRules.h"
#include "platform/win32/ScopedWin.h"
#include "platform/win32/Win32Registry.h"
#include "settings/RegIniFile.h"
#include "support/E2eEnvironment.h"

namespace sorabell::testing {
namespace {

class DisplayProgram : public ::testing::Test {
protected:
    settings::TRegIniFile Store() { return settings::TRegIniFile(registry_, settings::kRootPath); }
    static bool Ended(const OwnedProcess* process, DWORD timeoutMs = 15000) { return process->WaitForExit(timeoutMs); }

    E2eEnvironment env_;
    win32::Win32Registry registry_;
};

TEST_F(DisplayProgram, StartsThePlayerWithEveryArgumentQuotedAndStaysHidden) {
    ASSERT_NE(env_.StartDisplay("\"a b.mp3\" c.mp3"), nullptr);
    ASSERT_NE(WaitForWindow("Winamp v1.x"), nullptr) << "the player did not start";
    HWND display = WaitForWindow("Tlumora", "Sorabell");
    ASSERT_NE(display, nullptr);
    EXPECT_FALSE(::IsWindowVisible(display));
    const auto lines = env_.PlayerCommandLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "\"" + env_.playerFolder() + "WINAMP.EXE\" \"a b.mp3\" \"c.mp3\"");
}

TEST_F(DisplayProgram, ASecondCopyHandsItsFilesToThePlayerAndEnds) {
    ASSERT_NE(env_.StartDisplay(""), nullptr);
    ASSERT_NE(WaitForWindow("Tlumora", "Sorabell"), nullptr);
    const OwnedProcess* second = env_.StartDisplay("x.mp3");
    ASSERT_NE(second, nullptr);
    ASSERT_TRUE(Ended(second)) << "the second copy kept running";
    EXPECT_EQ(second->ExitCode(), 0);
    ASSERT_TRUE(WaitFor([&] { return env_.PlayerCommandLines().size() == 2; }));
    EXPECT_EQ(env_.PlayerCommandLines()[1], "\"" + env_.playerFolder() + "WINAMP.EXE\" \"x.mp3\"");
    EXPECT_EQ(TopLevelWindows("Tlumora", "Sorabell").size(), 1u);
    EXPECT_EQ(TopLevelWindows("Winamp v1.x").size(), 1u);
}

TEST_F(DisplayProgram, WithoutThePlayersFolderItOpensThePreferencesAndEnds) {
    WipeSettings();
    const OwnedProcess* display = env_.StartDisplay("x.mp3");
    ASSERT_NE(display, nullptr);
    ASSERT_TRUE(Ended(display));
    // The preferences program lies in a folder whose name holds a blank: it starts only if its
    // path was quoted.
    EXPECT_NE(WaitForWindow("Tlumora_pre", "Sorabell - 設定"), nullptr);
    EXPECT_TRUE(TopLevelWindows("Tlumora").empty());
    EXPECT_TRUE(TopLevelWindows("Winamp v1.x").empty());
    const win32::ScopedHandle mutex(::OpenMutexA(SYNCHRONIZE, FALSE, "そらべる"));
    EXPECT_EQ(mutex.get(), nullptr) << "a mutex would block the next start";
}

TEST_F(DisplayProgram, ClosingSavesTheRemainingTimeMarkAndTakesTheHooksAway) {
    Store().WriteBool("Option", "Remain", true);
    const OwnedProcess* display = env_.StartDisplay("");
    ASSERT_NE(display, nullptr);
    HWND form = WaitForWindow("Tlumora", "Sorabell");
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(E2eEnvironment::WaitForHooks()) << "the hooks' shared record is missing while the program runs";

    Store().WriteBool("Option", "Remain", false);  // the program writes its own state back
    ::PostMessageA(form, WM_CLOSE, 0, 0);
    ASSERT_TRUE(Ended(display));
    EXPECT_TRUE(Store().ReadBool("Option", "Remain", false));
    EXPECT_EQ(::OpenFileMappingA(FILE_MAP_READ, FALSE, "Sorabell_hook"), nullptr);
    EXPECT_NE(::FindWindowA("Winamp v1.x", nullptr), nullptr) << "the player goes on without the display";
}

TEST_F(DisplayProgram, AHungPlayerDoesNotKeepItFromClosing) {
    const OwnedProcess* display = env_.StartDisplay("");
    ASSERT_NE(display, nullptr);
    HWND player = WaitForWindow("Winamp v1.x");
    HWND form = WaitForWindow("Tlumora", "Sorabell");
    ASSERT_NE(player, nullptr);
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(E2eEnvironment::WaitForHooks());

    SendPlayerCommand(player, "hang 30000");
    // What the hooks post when the player is resized and painted: both handlers ask the player.
    ::PostMessageA(form, hook::UM_HOOK_SIZE, 0, 0);
    ::PostMessageA(form, hook::UM_HOOK_PAINT, 0, 0);
    ::PostMessageA(form, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Ended(display, 5000)) << "the display waited for the hung player";
}

}  // namespace
}  // namespace sorabell::testing
