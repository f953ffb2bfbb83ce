// The hooks follow Winamp's thread: installed when its window is found, moved when Winamp runs
// again on another thread, retried at most once a second when refused, and nothing Winamp did
// before they were in force is lost.

#include "hook/HookRules.h"
#include "platform/sim/SimProcesses.h"
#include "sim/DisplayFixture.h"

namespace sorabell::testing {
namespace {

class HookFollowing : public DisplayFixture {
protected:
    HookFollowing() {
        DefaultSkinValue("Disp1Color", std::to_string(kRed));
        Write("C:\\Music\\a.mp3", MpegPayload(300) + Id3Block("MMMM", "MMMM"));
        Write("C:\\Music\\b.mp3", MpegPayload(300) + Id3Block("Other", "Band"));
    }
    // The display program alone: Winamp has not made its window yet.
    void StartDisplayOnly() {
        display_ = std::make_unique<display::Tlumora>(program_->platform(), toolkit_, graphics_, hooks_);
    }
    // Winamp started (again), its windows on `thread`.
    void StartWinamp(uint32_t thread) {
        machine_.desktop().newWindowThread = thread;
        player_ = std::make_unique<SimPlayer>(machine_.desktop(), machine_.files(), kWinamp);
    }
    void PlayFirst() { Play({"C:\\Music\\a.mp3"}, 0, "1. MMMM - MMMM - Winamp"); }
    std::string SetHook(uint32_t thread, uint32_t playListThread = 0) {
        return "sethook " + std::to_string(display_->form().handle()) + " " + std::to_string(thread) + " " +
               std::to_string(playListThread);
    }
    int RedPixels() {
        int n = 0;
        for (int x = 109; x < 266; ++x) {
            for (int y = 24; y < 36; ++y) {
                n += PlayerPixel(x, y) == kRed;
            }
        }
        return n;
    }
    void AdvanceClock(uint32_t ms) { static_cast<sim::SimProcesses&>(program_->platform().processes).tickCount += ms; }

    static constexpr TColor kRed = RGBColor(255, 0, 0);
};

TEST_F(HookFollowing, AWinampStartedLaterIsHookedByTheTickThatFindsItAndItsFirstSongShows) {
    StartDisplayOnly();
    EXPECT_TRUE(hooks_.calls.empty()) << "no window, no thread to hook";
    StartWinamp(4);
    PlayFirst();
    EXPECT_EQ(display_->edit1Text(), " ") << "the first title was set before any hook";
    Tick();
    EXPECT_EQ(hooks_.calls, std::vector<std::string>{SetHook(4)});
    EXPECT_EQ(display_->edit1Text(), "1. MMMM - MMMM");
    EXPECT_GT(RedPixels(), 20);
    Play({"C:\\Music\\b.mp3"}, 0, "2. Band - Other - Winamp");
    EXPECT_EQ(display_->edit1Text(), "2. Band - Other") << "the next song comes through the hooks, before any tick";
    Tick(3);
    EXPECT_EQ(hooks_.calls.size(), 1u) << "hooks in force are left alone";
}

TEST_F(HookFollowing, WinampStartedAgainOnAnotherThreadHasTheHooksMovedAndIsPaintedOnce) {
    StartWinamp(1);
    Start();
    PlayFirst();
    ASSERT_EQ(hooks_.calls, std::vector<std::string>{SetHook(1)});
    player_.reset();
    Tick();
    EXPECT_EQ(hooks_.calls.back(), SetHook(0)) << "a gone thread's number may come back in another program";
    StartWinamp(2);
    PlayFirst();
    EXPECT_EQ(RedPixels(), 0) << "the same song again: the title alone would not repaint";
    Tick();
    EXPECT_EQ(hooks_.calls.back(), SetHook(2));
    EXPECT_GT(RedPixels(), 20) << "the tick that installs the hooks paints the display";

    // Ended and started again between two ticks: the hooks go straight to the new thread.
    player_.reset();
    StartWinamp(3);
    Tick();
    EXPECT_EQ(hooks_.calls.back(), SetHook(3));
    Play({"C:\\Music\\b.mp3"}, 0, "2. Band - Other - Winamp");
    EXPECT_EQ(display_->edit1Text(), "2. Band - Other");
    display_->form().Close();
    EXPECT_EQ(hooks_.calls.back(), "freehook");
}

TEST_F(HookFollowing, APlayListOnItsOwnThreadIsHookedToo) {
    machine_.desktop().newWindowThread = 9;
    const auto playList =
        machine_.desktop().AddWindow({"Winamp PE", "Winamp Playlist Editor", {100, 216, 375, 316}, 0, {}, {}, -1});
    StartWinamp(5);
    Start();
    EXPECT_EQ(hooks_.calls, std::vector<std::string>{SetHook(5, 9)});
    machine_.desktop().SetTitle(playList, "Playlist - 2 items");
    EXPECT_EQ(machine_.desktop().Pump(), 1u) << "its title change was posted";
    machine_.desktop().RemoveWindow(playList);
}

TEST_F(HookFollowing, ARefusedInstallIsTriedAgainAtMostOnceASecondAndShownToNobody) {
    hooks_.refuse = true;
    StartWinamp(1);
    Start();
    PlayFirst();
    ASSERT_EQ(hooks_.calls.size(), 1u);
    for (int n = 0; n < 3; ++n) {
        AdvanceClock(400);
        Tick();
    }
    EXPECT_EQ(hooks_.calls.size(), 2u) << "ticks at 400, 800 and 1200 ms: one try, at 1200";
    AdvanceClock(999);
    Tick();
    EXPECT_EQ(hooks_.calls.size(), 2u);
    EXPECT_EQ(display_->edit1Text(), "1. MMMM - MMMM") << "the ticks follow Winamp meanwhile";
    hooks_.refuse = false;
    AdvanceClock(1);
    Tick();
    EXPECT_EQ(hooks_.calls.back(), SetHook(1));
    EXPECT_TRUE(toolkit_.shownMessages.empty());
    Play({"C:\\Music\\b.mp3"}, 0, "2. Band - Other - Winamp");
    EXPECT_EQ(display_->edit1Text(), "2. Band - Other");
}

}  // namespace
}  // namespace sorabell::testing
