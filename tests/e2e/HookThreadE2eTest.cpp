// The hooks live in the player's thread alone: the display's events come through a player
// that ended and started again, and another program pays nothing for them.

#include "harness/Input.h"
#include "support/HookStage.h"

namespace sorabell::testing {
namespace {

using HookThread = HookStage;

TEST_F(HookThread, APlayerStartedAgainGetsTheHooksAndItsNextSongShows) {
    StartWith("MMMM");
    ASSERT_TRUE(WaitFor([&] { return RedText() > 20; }));
    const hook::HookShare first = E2eEnvironment::HooksInForce();
    Send("quit");
    ASSERT_TRUE(WaitFor([] { return TopLevelWindows(kStandInClass).empty(); }));

    OwnedProcess again = StartStandIn(env_.playerFolder());
    player_ = WaitForStandInWindow(again);
    ASSERT_NE(player_, nullptr);
    ASSERT_TRUE(WaitFor([&] {
        const hook::HookShare now = E2eEnvironment::HooksInForce();
        return !now.empty() && now.messageHook != first.messageHook;
    })) << "no hooks for the new player's thread";
    Write(music_ + "next.mp3", MpegPayload(400) + Id3Block("WWWWWWWW", "Artist"));
    const StandInDriver player(player_);
    player.PlayList(0, {music_ + "next.mp3"});
    player.Title(2, "Artist", "WWWWWWWW");
    ASSERT_TRUE(WaitFor([&] { return RedText() > 20; })) << "the next song does not show";

    // Only the hooks report a click on the mark, which opens the menu.
    Click(player_, 245, 100);
    EXPECT_TRUE(WaitFor([] {
        HWND menu = ::FindWindowA("#32768", nullptr);
        return menu != nullptr && ::IsWindowVisible(menu);
    })) << "the click on the new player's mark did not reach the display";
}

TEST_F(HookThread, AnotherProgramPaysNothingForTheHooks) {
    const double alone = OtherProgramsSend();
    StartWith("MMMM");
    ASSERT_TRUE(WaitFor([&] { return RedText() > 20; }));
    const double beside = OtherProgramsSend();
    RecordProperty("send_ns_without_sorabell", static_cast<int>(alone));
    RecordProperty("send_ns_with_sorabell", static_cast<int>(beside));
    ASSERT_GT(alone, 0.0);
    // A hook of every thread made each send 36 times slower; timing noise stays far below that.
    EXPECT_LT(beside, alone * 4) << alone << " ns per send alone, " << beside << " ns beside the display";
}

}  // namespace
}  // namespace sorabell::testing
