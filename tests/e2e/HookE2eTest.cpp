// The hook library in the player's process, for real: the stand-in's window events reach a
// window of this test as the posted messages of the hook rules.

#include <gtest/gtest.h>

#include "harness/Input.h"
#include "harness/StandInDriver.h"
#include "harness/Waits.h"
#include "harness/WindowFinder.h"
#include "hook/HookRules.h"
#include "support/E2eEnvironment.h"
#include "win32/HookReceiver.h"

namespace sorabell::testing {
namespace {

using SetHook = BOOL (*)(HWND, DWORD, DWORD);
using FreeHook = void (*)();

class HookLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        library_ = ::LoadLibraryA((env_.programFolder() + "SorabellSub.dll").c_str());
        ASSERT_NE(library_, nullptr);
        sethook_ = reinterpret_cast<SetHook>(reinterpret_cast<void*>(::GetProcAddress(library_, "sethook")));
        freehook_ = reinterpret_cast<FreeHook>(reinterpret_cast<void*>(::GetProcAddress(library_, "freehook")));
        ASSERT_NE(sethook_, nullptr);
        env_.StartPlayer();
        player_ = WaitForWindow(kStandInClass);
        ASSERT_NE(player_, nullptr);
        // The hooks go to the player's thread, as the display program installs them.
        ASSERT_TRUE(sethook_(receiver_.window(), ::GetWindowThreadProcessId(player_, nullptr), 0));
    }
    void TearDown() override {
        if (freehook_ != nullptr) {
            freehook_();
        }
        if (library_ != nullptr) {
            ::FreeLibrary(library_);
        }
    }

    // Sends a command to the stand-in and waits for a posted message.
    const HookReceiver::Got* Expect(const std::string& command, UINT message) {
        receiver_.got.clear();
        SendPlayerCommand(player_, command);
        WaitFor([&] { return receiver_.Has(message); }, 5000);
        return receiver_.Find(message);
    }
    // Sends a command that must post nothing, then one that posts a paint as a marker: the
    // hooks post in the order the player handles its messages.
    std::vector<UINT> Between(const std::string& command) {
        receiver_.got.clear();
        SendPlayerCommand(player_, command);
        SendPlayerCommand(player_, "paint");
        WaitFor([&] { return receiver_.Has(hook::UM_HOOK_PAINT); }, 5000);
        std::vector<UINT> before;
        for (const auto& got : receiver_.got) {
            if (got.message == hook::UM_HOOK_PAINT) {
                break;
            }
            before.push_back(got.message);
        }
        return before;
    }

    E2eEnvironment env_;
    HookReceiver receiver_;
    HMODULE library_ = nullptr;
    SetHook sethook_ = nullptr;
    FreeHook freehook_ = nullptr;
    HWND player_ = nullptr;
};

TEST_F(HookLibrary, ATitleChangePostsSetTextWithTheTextsAddress) {
    const auto* got = Expect("title 3. Artist - Title - Winamp", hook::UM_HOOK_SETTEXT);
    ASSERT_NE(got, nullptr);
    EXPECT_NE(got->wParam, 0u);
    EXPECT_EQ(got->lParam, 0);
}

TEST_F(HookLibrary, PaintAndTimerOfThePlayerArePosted) {
    EXPECT_NE(Expect("paint", hook::UM_HOOK_PAINT), nullptr);
    EXPECT_NE(Expect("timer 50", hook::UM_HOOK_TIMER), nullptr);
    SendPlayerCommand(player_, "notimer");
}

TEST_F(HookLibrary, AClickOnTheMarkCarriesItsPosition) {
    receiver_.got.clear();
    Click(player_, 245, 100);
    POINT at{245, 100};
    ::ClientToScreen(player_, &at);
    ASSERT_TRUE(WaitFor([&] { return receiver_.Has(hook::UM_HOOK_LBUTTONUP); }, 5000))
        << "no button up from the player; " << DescribeWindowAt(at);
    EXPECT_TRUE(receiver_.Has(hook::UM_HOOK_LBUTTONDOWN));
    const auto* up = receiver_.Find(hook::UM_HOOK_LBUTTONUP);
    EXPECT_EQ(up->lParam, 245 | (100 << 16));
    EXPECT_EQ(up->wParam, 0u);
}

TEST_F(HookLibrary, SizeMinMaxEnableAndImeOfThePlayerArePosted) {
    EXPECT_NE(Expect("size double", hook::UM_HOOK_SIZE), nullptr);
    EXPECT_NE(Expect("minmax", hook::UM_HOOK_GETMINMAX), nullptr);
    EXPECT_NE(Expect("displaychange", hook::UM_HOOK_GETMINMAX), nullptr);
    EXPECT_NE(Expect("enable 0", hook::UM_HOOK_WINDOWCHANGE), nullptr);
    SendPlayerCommand(player_, "enable 1");
    const auto* ime = Expect("ime", hook::UM_HOOK_WINDOWCHANGE);
    ASSERT_NE(ime, nullptr);
    EXPECT_EQ(ime->wParam, 0u);
}

TEST_F(HookLibrary, ThePlayListWindowReportsOnlyItsChanges) {
    const auto* title = Expect("pe-title Playlist - 3 items", hook::UM_HOOK_WINDOWCHANGE);
    ASSERT_NE(title, nullptr);
    EXPECT_NE(title->lParam, 0) << "the title's address travels as lParam";
    EXPECT_EQ(Between("pe-size 37"), std::vector<UINT>{}) << "a size of the play list window is not reported";
}

TEST_F(HookLibrary, OtherWindowsPostNothing) {
    EXPECT_EQ(Between("other-title Somewhere else"), std::vector<UINT>{});
    EXPECT_EQ(Between("other-size 20"), std::vector<UINT>{});
}

TEST_F(HookLibrary, NothingArrivesAfterTheHooksAreRemoved) {
    freehook_();
    freehook_ = nullptr;
    receiver_.got.clear();
    SendPlayerCommand(player_, "title 4. After - Removal - Winamp");
    SendPlayerCommand(player_, "paint");
    Pause(500);
    EXPECT_TRUE(receiver_.got.empty());
}

}  // namespace
}  // namespace sorabell::testing
