// Following Winamp: titles, ticks, the hook messages, settings, the random skin and the fonts of
// Winamp's dialogs.

#include "hook/HookRules.h"
#include "sim/DisplayFixture.h"

namespace sorabell::testing {
namespace {

using display::Tlumora;

class Tracking : public DisplayFixture {};

TEST_F(Tracking, AGivenTitleIsCutAtWinampsNameAndRebuildsTheLines) {
    Write("C:\\Music\\a.mp3", MpegPayload(300) + Id3Block("Title", "Artist"));
    Start();
    Play({"C:\\Music\\a.mp3"}, 0, "1. Artist - Title - Winamp [Stopped]");
    EXPECT_EQ(display_->edit1Text(), "1. Artist - Title");
    EXPECT_EQ(Line(0), "1. Artist - Title [4:05] ");
}

TEST_F(Tracking, TitlesThatNameNoSongChangeOnlyTheLines) {
    Write("C:\\Music\\a.mp3", MpegPayload(300) + Id3Block("Title", "Artist"));
    DefaultSkinValue("DispSw", "2");
    Start();
    Play({"C:\\Music\\a.mp3"}, 0, "1. Artist - Title - Winamp");
    player_->Command("title Winamp 1.91");
    Pump();
    EXPECT_EQ(Line(0), "Sorabell β３ ");
    EXPECT_EQ(display_->skinView().DispSw, 0) << "the other lines are empty";
    EXPECT_EQ(display_->songFields()[2], "Title") << "the fields stay until the next song";
    player_->Command("title Synchronizing");
    Pump();
    EXPECT_EQ(Line(0), "Synchronizing");
}

TEST_F(Tracking, ATitleCutAtItsBufferLosesAHalfCharacter) {
    Start();
    player_->Command("title " + std::string(254, 'a') + "曲");
    Pump();
    EXPECT_EQ(display_->edit1Text(), std::string(254, 'a'));
}

TEST_F(Tracking, ARandomSkinIsChosenOnceWhileWinampIsAwayAndTheProgramEndsAfter101Ticks) {
    AddSkin("Other");
    AddSkin(".hidden");
    Write(std::string(kSkins) + "archive.wsz", "PK");
    Root().WriteBool("Option", "RandomSkin", true);
    Start();
    player_.reset();
    WinampIni("skin", "none");
    Tick(4);
    EXPECT_EQ(WinampIniValue("skin"), "none");
    Tick(1);
    const std::string chosen = WinampIniValue("skin");
    EXPECT_TRUE(chosen == "Base" || chosen == "Other") << chosen;
    WinampIni("skin", "none");
    Tick(95);
    EXPECT_EQ(WinampIniValue("skin"), "none") << "only the fifth tick chooses";
    EXPECT_FALSE(display_->form().closed());
    Tick(1);
    EXPECT_TRUE(display_->form().closed()) << "the 101st tick without Winamp ends the program";
    EXPECT_EQ(hooks_.calls.back(), "freehook");
}

TEST_F(Tracking, WinampComingBackAfterTenTicksReloadsTheSettings) {
    Start();
    EXPECT_EQ(display_->scrollDot(), 6);
    player_.reset();
    Root().WriteInteger("Option", "ScrollDot", 3);
    Tick(9);
    player_ = std::make_unique<SimPlayer>(machine_.desktop(), machine_.files(), kWinamp);
    Tick(1);
    EXPECT_EQ(display_->scrollDot(), 6) << "nine ticks away are not enough";
    player_.reset();
    Tick(10);
    player_ = std::make_unique<SimPlayer>(machine_.desktop(), machine_.files(), kWinamp);
    Tick(1);
    EXPECT_EQ(display_->scrollDot(), 3);
    EXPECT_EQ(display_->tickCount(), 0);
}

TEST_F(Tracking, SettingsReloadWithTheirDefaultsAndBackslashRules) {
    Root().WriteString("Option", "LyricsFolder", "C:\\Lyrics");
    Root().WriteString("Option", "Versewright", "C:\\Versewright\\");
    Root().WriteInteger("Option", "TimerSpeed", 0);
    WinampIni("SkinDir", "C:\\Program Files\\Winamp\\Skins");
    Start();
    EXPECT_EQ(display_->timer().interval(), 400u) << "an interval of 0 would stop the display";
    EXPECT_EQ(display_->scrollDot(), 6);
    EXPECT_EQ(display_->mark(), "♪");
    EXPECT_EQ(display_->lyricsFolder(), "C:\\Lyrics\\");
    EXPECT_EQ(display_->winampFolder(), kWinamp);
    EXPECT_EQ(display_->skinFolder(), kSkins);
    EXPECT_TRUE(display_->menu().enabled(Tlumora::LumoraLyricsEditor1));
    EXPECT_FALSE(display_->menu().enabled(Tlumora::Kettle1));
    EXPECT_EQ(display_->dialogFont(), (platform::FontSpec{"ＭＳ ゴシック", -12, 0}));
    EXPECT_TRUE(display_->timer().enabled());

    Root().WriteString("Option", "LyricsFolder", "");
    Root().WriteString("Option", "Winamp", "C:\\Elsewhere");
    static_cast<sim::SimForm&>(display_->form()).Deliver({hook::UM_RELOAD_SETTINGS, 0, 0});
    EXPECT_EQ(display_->lyricsFolder(), "\\");
    EXPECT_EQ(display_->winampFolder(), "C:\\Elsewhere") << "Winamp's folder gets no backslash";
}

TEST_F(Tracking, TheMarkOpensTheMenuInsideItsBoundsOnly) {
    Start();
    auto& menu = static_cast<sim::SimPopupMenu&>(display_->menu());
    machine_.desktop().cursor = {345, 200};
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{240, 100}, {250, 100}, {245, 95}, {245, 107}}) {
        player_->Click(x, y);
        Pump();
    }
    EXPECT_TRUE(menu.popups.empty());
    player_->Click(245, 100);
    Pump();
    ASSERT_EQ(menu.popups.size(), 1u);
    EXPECT_EQ(menu.popups[0].x, 345);
    EXPECT_EQ(menu.popups[0].y, 200);
    player_->Command("size double");
    player_->Click(490, 200);
    Pump();
    EXPECT_EQ(menu.popups.size(), 2u);
    EXPECT_FALSE(display_->mouseHeld());
}

TEST_F(Tracking, AHeldButtonStopsScrollingUntilItIsReleased) {
    Write("C:\\Music\\a.mp3", MpegPayload(300) + Id3Block(std::string(30, 'W'), std::string(30, 'W')));
    DefaultSkinValue("Disp1Scroll", "1");
    Start();
    Play({"C:\\Music\\a.mp3"}, 0, "1. " + std::string(60, 'W') + " - Winamp");
    Tick(2);
    EXPECT_EQ(display_->lines()[0].scrollMode, 1);
    machine_.desktop().Queue(player_->main(), {hook::kWmLButtonDown, 1, 0});
    Pump();
    EXPECT_TRUE(display_->mouseHeld());
    const int offset = display_->lines()[0].scrollOffset;
    Tick(8);
    EXPECT_EQ(display_->lines()[0].scrollOffset, offset);
    machine_.desktop().Queue(player_->main(), {hook::kWmLButtonUp, 0, 0});
    Pump();
    Tick(4);
    EXPECT_GT(display_->lines()[0].scrollOffset, offset);
}

TEST_F(Tracking, TheSkinChosenInWinampsDialogIsLoadedAndWritten) {
    AddSkin("Other");
    Skins().WriteString("Other", "NFontName", "ＭＳ ゴシック");
    Skins().WriteBool("Other", "SkinFlag", true);
    Skins().WriteInteger("Other", "DispSw", 2);
    Start();
    EXPECT_EQ(display_->skinView().SkinSection, "(Default)");
    player_->Command("skin-dialog 1\tBase\tOther");
    player_->Command("minmax");
    Pump();
    EXPECT_EQ(display_->skinView().SkinSection, "Other");
    EXPECT_EQ(display_->configuredLineMode(), 2);
    EXPECT_EQ(WinampIniValue("skin"), "Other");

    player_->Command("skin-dialog -1\tBase");
    player_->Command("minmax");
    Pump();
    EXPECT_EQ(display_->skinView().SkinSection, "Other") << "no selection changes nothing";
}

TEST_F(Tracking, WinampsDialogsGetTheChosenFont) {
    Root().WriteBool("Option", "FontCh", true);
    Root().WriteString("Option", "WinampFontName", "ＭＳ 明朝");
    std::vector<std::string> fontSetFor;
    const auto child = [&](const std::string& className, platform::WindowHandle parent) {
        sim::SimDesktop::Window window;
        window.className = className;
        window.parent = parent;
        window.handler = [&fontSetFor, className](const platform::WindowMessage& m) -> intptr_t {
            if (m.message == 0x0030 && m.lParam == 1) {
                fontSetFor.push_back(className);
            }
            return 0;
        };
        return machine_.desktop().AddWindow(std::move(window));
    };
    Start();
    child("ListBox", player_->playList());
    child("Edit", player_->playList());
    child("Button", player_->playList());
    fontSetFor.clear();
    player_->Command("pe-title list changed");
    Pump();
    EXPECT_EQ(fontSetFor, (std::vector<std::string>{"ListBox", "Edit"}));
}

TEST_F(Tracking, APaintOfWinampIsAnsweredWithTheDisplay) {
    DefaultSkinValue("Disp1Color", std::to_string(RGBColor(255, 0, 0)));
    Write("C:\\Music\\a.mp3", MpegPayload(300) + Id3Block("MMMM", "MMMM"));
    Start();
    Play({"C:\\Music\\a.mp3"}, 0, "1. MMMM - MMMM - Winamp");
    const auto redPixels = [&] {
        int n = 0;
        for (int x = 109; x < 266; ++x) {
            for (int y = 24; y < 36; ++y) {
                n += PlayerPixel(x, y) == RGBColor(255, 0, 0);
            }
        }
        return n;
    };
    EXPECT_GT(redPixels(), 20);
    player_->Paint();  // the player's own paint, before the hook's message arrives
    EXPECT_EQ(redPixels(), 0);
    PlayerRepaints();
    EXPECT_GT(redPixels(), 20);
}

TEST_F(Tracking, AHungWinampIsAbsentForTheHandlerThatAskedAndNeverEndsTheDisplay) {
    Write("C:\\Music\\a.mp3", MpegPayload(300) + Id3Block("Title", "Artist"));
    Start();
    Play({"C:\\Music\\a.mp3"}, 0, "1. Artist - Title - Winamp");
    auto& desktop = machine_.desktop();
    player_->Command("hang");
    desktop.invalidated.clear();
    desktop.Post(display_->form().handle(), hook::UM_HOOK_SIZE, 0, 0);
    Pump();
    EXPECT_EQ(desktop.unanswered.size(), 1u) << "one wait per handler, not one per question";
    EXPECT_TRUE(desktop.invalidated.empty()) << "nothing is drawn for an absent Winamp";

    desktop.Post(display_->form().handle(), hook::UM_HOOK_PAINT, 0, 0);
    Pump();
    EXPECT_EQ(desktop.unanswered.size(), 2u) << "the next handler asks again";
    Tick(120);
    EXPECT_FALSE(display_->form().closed()) << "a hung Winamp is still there";

    // A title that changed just before the hang names a song only Winamp's answer can tell.
    desktop.Find(player_->main())->title = "1. Artist - Title again - Winamp";
    Tick();
    EXPECT_EQ(desktop.unanswered.size(), 3u);
    EXPECT_EQ(Line(0), "") << "no lines from a play list Winamp did not write";
    desktop.Find(player_->main())->hung = false;
    Tick();
    EXPECT_EQ(display_->edit1Text(), "1. Artist - Title again");
    EXPECT_EQ(Line(0), "1. Artist - Title [4:05] ");
}

}  // namespace
}  // namespace sorabell::testing
