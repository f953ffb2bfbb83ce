// Other programs' windows, read and messaged as the display program does, against the player
// stand-in of the backend: a simulated program natively, the real stand-in under Wine.

#include <algorithm>

#include "contract/ContractEnvironment.h"
#include "hook/HookRules.h"

namespace sorabell::testing {
namespace {

using hook::kWmUser;

class DesktopContract : public ContractTest {
protected:
    void SetUp() override {
        player_ = StartPlayer();
        ASSERT_NE(player_->main(), 0u);
    }
    platform::Desktop& desktop() { return os().desktop; }
    intptr_t Query(uintptr_t wParam, intptr_t lParam) {
        const auto answer = desktop().Send(player_->main(), kWmUser, wParam, lParam);
        EXPECT_TRUE(answer.has_value()) << "no answer to " << wParam << ", " << lParam;
        return answer.value_or(0);
    }

    std::unique_ptr<PlayerControl> player_;
};

TEST_F(DesktopContract, FindsThePlayersWindowsByTheirClass) {
    EXPECT_EQ(desktop().FindTopLevel("Winamp v1.x", nullptr), player_->main());
    EXPECT_EQ(desktop().FindTopLevel("Winamp PE", nullptr), player_->playList());
    EXPECT_EQ(desktop().FindTopLevel("No Such Class", nullptr), 0u);
    EXPECT_EQ(desktop().FindTopLevel("Winamp v1.x", "Not its title"), 0u);
    EXPECT_EQ(desktop().ClassName(player_->main()), "Winamp v1.x");
}

TEST_F(DesktopContract, ReadsTheTitleIntoABufferOfTheGivenSize) {
    player_->Command("title 3. 歌手 - ソ表の曲 - Winamp");
    EXPECT_EQ(desktop().WindowText(player_->main(), 256), "3. 歌手 - ソ表の曲 - Winamp");
    player_->Command("title " + std::string(300, 'x'));
    EXPECT_EQ(desktop().WindowText(player_->main(), 256), std::string(255, 'x'));
}

TEST_F(DesktopContract, ThePlayerAnswersItsQueries) {
    EXPECT_EQ(Query(0, 0), 0x2090);
    player_->Command("version 6146");
    EXPECT_EQ(Query(0, 0), 6146);
    player_->Command("state 3");
    player_->Command("position 65432");
    player_->Command("length 245");
    EXPECT_EQ(Query(0, 104), 3);
    EXPECT_EQ(Query(0, 105), 65432);
    EXPECT_EQ(Query(1, 105), 245);
    player_->Command("position -1");
    EXPECT_EQ(Query(0, 105), -1);
}

TEST_F(DesktopContract, ThePlayListQueryWritesTheFileOfTheVersion) {
    player_->Command("playlist 1\tC:\\Music\\a.mp3\tC:\\ソ表\\b.rmp");
    EXPECT_EQ(Query(0, 120), 1);
    EXPECT_EQ(platform::ReadWholeFile(os().files, player_->folder() + "WINAMP.M3U"),
              "C:\\Music\\a.mp3\r\nC:\\ソ表\\b.rmp\r\n");
    EXPECT_FALSE(platform::FileExists(os().files, player_->folder() + "WINAMP.PL"));
    player_->Command("version 6146");
    player_->Command("playlist 0\tC:\\old.mp3");
    EXPECT_EQ(Query(0, 120), 0);
    EXPECT_EQ(platform::ReadWholeFile(os().files, player_->folder() + "WINAMP.PL"), "C:\\old.mp3\r\n");
}

TEST_F(DesktopContract, TheWindowsSizeFollowsDoubleSize) {
    auto rect = desktop().WindowRect(player_->main());
    ASSERT_TRUE(rect.has_value());
    EXPECT_EQ(rect->width(), 275);
    EXPECT_EQ(rect->height(), 116);
    player_->Command("size double");
    rect = desktop().WindowRect(player_->main());
    EXPECT_EQ(rect->width(), 550);
    EXPECT_EQ(rect->height(), 232);
}

TEST_F(DesktopContract, TheSkinDialogsListBoxGivesItsSelection) {
    player_->Command("skin-dialog 1\tBase\tメタル\tClassic");
    const platform::WindowHandle dialog = desktop().FindTopLevel(nullptr, "Select Skin");
    ASSERT_NE(dialog, 0u);
    const auto children = desktop().ChildWindows(dialog);
    const auto list = std::find_if(children.begin(), children.end(),
                                   [&](platform::WindowHandle w) { return desktop().ClassName(w) == "ListBox"; });
    ASSERT_NE(list, children.end());
    EXPECT_EQ(desktop().SelectedListBoxText(*list, 256), "メタル");

    player_->Command("skin-dialog -1\tBase");
    const platform::WindowHandle fresh = desktop().FindTopLevel(nullptr, "Select Skin");
    ASSERT_NE(fresh, 0u);
    for (const platform::WindowHandle child : desktop().ChildWindows(fresh)) {
        EXPECT_FALSE(desktop().SelectedListBoxText(child, 256).has_value());
    }
    player_->Command("skin-dialog-close");
    EXPECT_EQ(desktop().FindTopLevel(nullptr, "Select Skin"), 0u);
}

TEST_F(DesktopContract, AGoneWindowTakesNoMessages) {
    const platform::WindowHandle main = player_->main();
    player_.reset();
    EXPECT_EQ(desktop().FindTopLevel("Winamp v1.x", nullptr), 0u);
    EXPECT_FALSE(desktop().Post(main, kWmUser, 0, 0));
    EXPECT_FALSE(desktop().Send(main, kWmUser, 0, 0).has_value());
    EXPECT_FALSE(desktop().WindowRect(main).has_value());
}

TEST_F(DesktopContract, AHungPlayerIsGivenUpOnWithinTheLimit) {
    player_->Command("skin-dialog 1\tBase\tメタル");
    const platform::WindowHandle dialog = desktop().FindTopLevel(nullptr, "Select Skin");
    ASSERT_NE(dialog, 0u);
    const auto children = desktop().ChildWindows(dialog);
    ASSERT_FALSE(children.empty());
    // A send that waited would get the answer once the player wakes up.
    player_->Command("hang 5000");
    EXPECT_FALSE(desktop().Send(player_->main(), kWmUser, 0, 0).has_value());
    for (const platform::WindowHandle child : children) {
        EXPECT_FALSE(desktop().SelectedListBoxText(child, 256).has_value());
    }
    EXPECT_EQ(desktop().WindowText(player_->main(), 256), "Winamp 1.x") << "its title is read without asking it";
}

}  // namespace
}  // namespace sorabell::testing
