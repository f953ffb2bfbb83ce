// The menu of the mark: its items, their states, and the commands that start other programs or
// open the tag editor.

#include "hook/HookRules.h"
#include "sim/DisplayFixture.h"
#include "support/Id3v2Builder.h"

namespace sorabell::testing {
namespace {

using display::Tlumora;

class MenuCommands : public DisplayFixture {
protected:
    std::vector<sim::SimSession::Launch> Launches() { return machine_.session().launches; }
    sim::SimPopupMenu& Menu() { return static_cast<sim::SimPopupMenu&>(display_->menu()); }
    // The user opens the menu on the mark and chooses an item.
    void Choose(int item) {
        Menu().nextChoice = item;
        player_->Click(245, 100);
        Pump();
    }
};

TEST_F(MenuCommands, TheItemsAndTheirFirstStates) {
    Start();
    auto& menu = display_->menu();
    const std::vector<std::string> captions = {"Sorabellの再更新",
                                               "Sorabell設定...",
                                               "-",
                                               "プレイリストの更新",
                                               "タグ情報表示",
                                               "残り時間",
                                               "-",
                                               "Lumora Lyrics Editor...",
                                               "Kettle...",
                                               "歌詞を0.5秒早く",
                                               "歌詞を0.5秒遅く",
                                               "-",
                                               "このメニューを閉じる"};
    for (size_t i = 0; i < captions.size(); ++i) {
        EXPECT_EQ(menu.caption(static_cast<int>(i)), captions[i]) << i;
    }
    EXPECT_FALSE(menu.visible(Tlumora::UpdatePlayList1));
    EXPECT_FALSE(menu.enabled(Tlumora::TimeRemaining1)) << "the skin shows no time";
    EXPECT_FALSE(menu.enabled(Tlumora::LumoraLyricsEditor1)) << "Versewright's folder is not set";
    EXPECT_FALSE(menu.enabled(Tlumora::Kettle1));
    EXPECT_FALSE(menu.enabled(Tlumora::LyricsEarlier1)) << "no lyrics are loaded";
    EXPECT_FALSE(menu.enabled(Tlumora::LyricsLater1));
}

TEST_F(MenuCommands, TheSiblingsStayDisabledWhileTheirFoldersAreNotSet) {
    machine_.files().CreateFolder("C:\\Versewright");
    Write("C:\\Versewright\\Versewright.Exe", "MZ");
    Root().WriteString("Option", "Versewright", "( 未設定 )");
    Start();
    EXPECT_FALSE(display_->menu().enabled(Tlumora::LumoraLyricsEditor1));
    Root().WriteString("Option", "Versewright", "C:\\Versewright\\");
    Choose(Tlumora::Lumoraupdate1);
    EXPECT_TRUE(display_->menu().enabled(Tlumora::LumoraLyricsEditor1)) << "the reload item read it again";
}

TEST_F(MenuCommands, TheLyricsEditorStartsOnceAndIsThenOnlyToldToLook) {
    machine_.files().CreateFolder("C:\\Versewright");
    Write("C:\\Versewright\\Versewright.Exe", "MZ");
    Root().WriteString("Option", "Versewright", "C:\\Versewright\\");
    std::vector<uint32_t> editorGot;
    machine_.session().onLaunch = [&](const sim::SimSession::Launch&) {
        sim::SimDesktop::Window editor;
        editor.className = "TLumora_Edit";
        editor.handler = [&editorGot](const platform::WindowMessage& m) -> intptr_t {
            editorGot.push_back(m.message);
            return 0;
        };
        machine_.desktop().AddWindow(std::move(editor));
    };
    Write("C:\\Music\\noext", Id3Block("x"));
    Start();
    Play({"C:\\Music\\noext"}, 0, "1. x - Winamp");
    const size_t before = Launches().size();
    Choose(Tlumora::LumoraLyricsEditor1);
    ASSERT_EQ(Launches().size(), before + 1);
    EXPECT_EQ(Launches().back().commandLine, "\"C:\\Versewright\\Versewright.Exe\" \"C:\\Music\\noext.\"")
        << "a song without extension is passed ending in a point";
    EXPECT_EQ(Launches().back().show, 5);
    Choose(Tlumora::LumoraLyricsEditor1);
    EXPECT_EQ(Launches().size(), before + 1);
    EXPECT_EQ(editorGot, std::vector<uint32_t>{1044});
}

TEST_F(MenuCommands, KettleGetsThePlayListUnderItsOldName) {
    machine_.files().CreateFolder("C:\\Kettle");
    Write("C:\\Kettle\\Kettle.Exe", "MZ");
    Root().WriteString("Option", "Kettle", "C:\\Kettle\\");
    Write("C:\\Music\\a.mp3", Id3Block("a"));
    Start();
    Play({"C:\\Music\\a.mp3", "C:\\Music\\ソ表.mp3"}, 0, "1. a - Winamp");
    machine_.files().Delete(std::string(kWinamp) + "WINAMP.PL");
    Choose(Tlumora::Kettle1);
    EXPECT_EQ(platform::ReadWholeFile(machine_.files(), std::string(kWinamp) + "WINAMP.PL"),
              "C:\\Music\\a.mp3\r\nC:\\Music\\ソ表.mp3\r\n");
    EXPECT_EQ(Launches().back().commandLine, "\"C:\\Kettle\\Kettle.Exe\" \"C:\\Program Files\\Winamp\\WINAMP.PL\"");

    // Older versions write WINAMP.PL themselves: nothing is copied.
    player_->version = 0x1802;
    machine_.files().Delete(std::string(kWinamp) + "WINAMP.PL");
    Write(std::string(kWinamp) + "WINAMP.M3U", "not copied\r\n");
    Choose(Tlumora::Kettle1);
    EXPECT_NE(platform::ReadWholeFile(machine_.files(), std::string(kWinamp) + "WINAMP.PL"), "not copied\r\n");
}

TEST_F(MenuCommands, KettleIsNotStartedWhenThePlayListCannotBeCopied) {
    machine_.files().CreateFolder("C:\\Kettle");
    Write("C:\\Kettle\\Kettle.Exe", "MZ");
    Root().WriteString("Option", "Kettle", "C:\\Kettle\\");
    // A folder where the copy should go: the string list cannot save it.
    machine_.files().CreateFolder(std::string(kWinamp) + "WINAMP.PL");
    Start();
    const size_t before = Launches().size();
    Choose(Tlumora::Kettle1);
    EXPECT_EQ(Launches().size(), before);
    ASSERT_EQ(toolkit_.shownMessages.size(), 1u);
    EXPECT_NE(toolkit_.shownMessages[0].find("WINAMP.PL"), std::string::npos);
}

TEST_F(MenuCommands, TheTagEditorOpensOnThePlayingFileEachTime) {
    Start();
    Choose(Tlumora::NowFileInfo1);
    EXPECT_TRUE(display_->openEditors().empty()) << "no song has been read yet";
    Write("C:\\Music\\a.mp3", Id3Block("Title"));
    Play({"C:\\Music\\a.mp3"}, 0, "1. a - Winamp");
    Choose(Tlumora::NowFileInfo1);
    Choose(Tlumora::NowFileInfo1);
    const auto editors = display_->openEditors();
    ASSERT_EQ(editors.size(), 2u);
    EXPECT_EQ(editors[0]->path(), "C:\\Music\\a.mp3");
    EXPECT_EQ(
        settings::TRegIniFile(machine_.registry(), tags::TRMPdialog::kRegistryKey).ReadString("Option", "Filename", ""),
        "C:\\Music\\a.mp3");
    editors[0]->form().Close();
    EXPECT_EQ(display_->openEditors().size(), 1u);
}

TEST_F(MenuCommands, ThePreferencesStartFromTheProgramsFolder) {
    Start();
    Choose(Tlumora::LumoraPreferences1);
    EXPECT_EQ(Launches().back().commandLine, "\"C:\\Program Files\\Sorabell\\Sorabell_Preferences.exe\"");
}

TEST_F(MenuCommands, TheRemainingTimeItemTogglesAndTheTimeIsRedrawn) {
    DefaultSkinValue("ExtTime", "1");
    Write(std::string(kSkins) + "Base\\nums_ex.bmp", NumbersImage(108));
    Start();
    Write("C:\\Music\\a.mp3", Id3Block("Title"));
    Play({"C:\\Music\\a.mp3"}, 0, "1. a - Winamp");
    player_->position = 5000;
    EXPECT_TRUE(display_->menu().enabled(Tlumora::TimeRemaining1));
    Choose(Tlumora::TimeRemaining1);
    EXPECT_TRUE(display_->timeRemaining());
    EXPECT_EQ(PlayerPixel(39, 32), InkOf(11)) << "the minus cell, drawn after the menu closed";
    Choose(Tlumora::TimeRemaining1);
    EXPECT_FALSE(display_->timeRemaining());
    EXPECT_EQ(PlayerPixel(39, 32), MainPixel(39, 32));
}

TEST_F(MenuCommands, AFormClosedWhileItsMenuIsOpenDrawsNothingMoreAfterIt) {
    Start();
    Play({"C:\\Music\\song.mp3"}, 0, "1. Song - Winamp");
    Menu().whileOpen = [&] { display_->form().Close(); };
    player_->Click(245, 100);
    Pump();
    EXPECT_TRUE(display_->form().closed());
}

class LyricsNudges : public MenuCommands {
protected:
    static constexpr const char* kLyrics = "C:\\Music\\song.lrc";
    void SetUp() override {
        DefaultSkinValue("Disp1Text", "%B");
        Write("C:\\Music\\song.mp3", Id3Block("Song"));
        Write("C:\\Music\\bare.mp3", Id3Block("Bare"));
    }
    std::string Lyrics() { return platform::ReadWholeFile(machine_.files(), kLyrics); }
};

TEST_F(LyricsNudges, EachMovesTheLinesAtOnceAndKeepsTheOffsetInTheFile) {
    Write(kLyrics, "\xEF\xBB\xBF[00:01]first\n[00:02]second\n");
    Start();
    player_->position = 1600;
    Play({"C:\\Music\\song.mp3"}, 0, "1. Song - Winamp");
    ASSERT_EQ(Line(0), "first ");
    ASSERT_TRUE(display_->menu().enabled(Tlumora::LyricsEarlier1));
    ASSERT_TRUE(display_->menu().enabled(Tlumora::LyricsLater1));

    Choose(Tlumora::LyricsEarlier1);
    EXPECT_EQ(Lyrics(), "\xEF\xBB\xBF[offset:500]\n[00:01]first\n[00:02]second\n");
    EXPECT_EQ(Line(0), "second ") << "the line moved without waiting for a tick";
    Choose(Tlumora::LyricsLater1);
    Choose(Tlumora::LyricsLater1);
    EXPECT_EQ(Lyrics(), "\xEF\xBB\xBF[offset:-500]\n[00:01]first\n[00:02]second\n");
    EXPECT_EQ(display_->lyrics().front().milliseconds, 1500);
    EXPECT_TRUE(toolkit_.shownMessages.empty());

    Play({"C:\\Music\\bare.mp3"}, 0, "1. Bare - Winamp");
    EXPECT_FALSE(display_->menu().enabled(Tlumora::LyricsEarlier1)) << "a song without lyrics";
    EXPECT_FALSE(display_->menu().enabled(Tlumora::LyricsLater1));
}

TEST_F(LyricsNudges, AFileThatCannotBeWrittenIsNamedAndNothingChanges) {
    const std::string before = "[00:01]first\r\n[00:02]second\r\n";
    Write(kLyrics, before);
    ASSERT_TRUE(machine_.files().SetAttributes(kLyrics, platform::attr::ReadOnly));
    Start();
    player_->position = 1600;
    Play({"C:\\Music\\song.mp3"}, 0, "1. Song - Winamp");
    Choose(Tlumora::LyricsEarlier1);
    EXPECT_EQ(toolkit_.shownMessages,
              (std::vector<std::string>{"歌詞ファイル(C:\\Music\\song.lrc)を書き換えられませんでした"}));
    EXPECT_EQ(Lyrics(), before);
    EXPECT_EQ(Line(0), "first ");
    EXPECT_EQ(display_->lyrics().front().milliseconds, 1000);
}

TEST_F(LyricsNudges, LyricsFromTheTagMoveInMemoryAndStaySoForTheSongUntilTheProgramEnds) {
    const std::string uslt = FrameText(0, std::string("eng\0[00:01]first\n[00:02]second", 30));
    const std::string song = Id3v2Bytes(3, Id3v2Frame(3, "USLT", uslt)) + MpegPayload(500);
    Write("C:\\Music\\tagged.mp3", song);
    Start();
    player_->position = 1600;
    Play({"C:\\Music\\tagged.mp3"}, 0, "1. Tagged - Winamp");
    ASSERT_EQ(Line(0), "first ");
    ASSERT_TRUE(display_->menu().enabled(Tlumora::LyricsEarlier1));

    Choose(Tlumora::LyricsEarlier1);
    EXPECT_EQ(Line(0), "second ");
    EXPECT_EQ(platform::ReadWholeFile(machine_.files(), "C:\\Music\\tagged.mp3"), song) << "the song was written";
    EXPECT_FALSE(platform::FileExists(machine_.files(), kLyrics));

    Play({"C:\\Music\\bare.mp3"}, 0, "1. Bare - Winamp");
    Play({"C:\\Music\\tagged.mp3"}, 0, "1. Tagged again - Winamp");
    EXPECT_EQ(display_->lyrics().front().milliseconds, 500) << "the shift was lost with the song change";
    EXPECT_TRUE(toolkit_.shownMessages.empty());
}

}  // namespace
}  // namespace sorabell::testing
