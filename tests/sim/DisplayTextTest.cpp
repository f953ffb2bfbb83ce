// What the lines say: the play list entry, its tags, the lyrics and the line modes.

#include "display/Lyrics.h"
#include "sim/DisplayFixture.h"

namespace sorabell::testing {
namespace {

class DisplayText : public DisplayFixture {
protected:
    void SetUp() override {
        DefaultSkinValue("DispSw", "2");
        DefaultSkinValue("Disp1Text", "%1|%2|%3|%4|%5|%6|%7|%8|%9|%0");
        DefaultSkinValue("Disp2Text", "%C|%D|%E|%F");
        DefaultSkinValue("Disp3Text", "%B");
    }
};

TEST_F(DisplayText, TheInfoListWinsOverTheTag) {
    const std::string path = "C:\\Music\\song.rmp";
    Write(path, RmpFile(MpegPayload(500),
                        {InfoList({TextChunk("IART", "RMP A"), TextChunk("ICOP", "(C)"), TextChunk("ISFT", "soft")})}) +
                    Id3Block("ID3 T", "ID3 A", "ID3 L", "2001", "ID3 C", 13));
    Start();
    Play({"C:\\Music\\x.mp3", path}, 1, "2. A - T - Winamp");
    EXPECT_EQ(Line(0), "RMP A|ID3 T|ID3 L|2001|ID3 C|Pop|song|C:\\Music\\|rmp|2 ");
    EXPECT_EQ(Line(1), "(C)|||soft ");
    EXPECT_TRUE(display_->song().hasInfo);
    EXPECT_TRUE(display_->song().hasId3);
}

TEST_F(DisplayText, AFileWithoutTagsShowsTheFallbacks) {
    Write("C:\\Music\\bare.mp3", MpegPayload(500));
    Start();
    Play({"C:\\Music\\bare.mp3"}, 0, "1. bare - Winamp");
    EXPECT_EQ(Line(0), "(Unknown)|(bare)|||(Not Write ID3Tag & RMP Info)|Blues|bare|C:\\Music\\|mp3|1 ");
}

TEST_F(DisplayText, CdTracksAndMissingFilesAreNotRead) {
    Write("C:\\Music\\Track01.cda", Id3Block("Would be read"));
    Start();
    Play({"C:\\Music\\Track01.cda"}, 0, "1. CD - Winamp");
    EXPECT_FALSE(display_->song().hasId3);
    Play({"C:\\Music\\gone.mp3"}, 0, "1. gone - Winamp");
    EXPECT_FALSE(display_->song().hasId3);
    EXPECT_EQ(display_->songFields()[2], "(gone)");
}

TEST_F(DisplayText, ThePlayListFileFollowsWinampsVersion) {
    Write("C:\\Music\\a.mp3", Id3Block("From PL"));
    Write("C:\\Music\\b.mp3", Id3Block("From M3U"));
    Start();
    player_->version = 0x1802;
    Play({"C:\\Music\\a.mp3"}, 0, "1. a - Winamp");
    EXPECT_EQ(display_->songFields()[2], "From PL");
    EXPECT_TRUE(platform::FileExists(machine_.files(), std::string(kWinamp) + "WINAMP.PL"));
    player_->version = 0x1803;
    Play({"C:\\Music\\b.mp3"}, 0, "1. b - Winamp");
    EXPECT_EQ(display_->songFields()[2], "From M3U");
}

TEST_F(DisplayText, AShortPlayListIsReportedAndTheDisplayKeepsItsPicture) {
    Write("C:\\Music\\a.mp3", Id3Block("One"));
    Start();
    Play({"C:\\Music\\a.mp3"}, 0, "1. a - Winamp");
    const TColor before = PlayerPixel(120, 30);
    Play({"C:\\Music\\a.mp3"}, 4, "5. gone - Winamp");
    ASSERT_EQ(toolkit_.shownMessages.size(), 1u);
    EXPECT_EQ(toolkit_.shownMessages[0], "インデックスがリストの範囲を超えています");
    EXPECT_EQ(PlayerPixel(120, 30), before);
}

TEST_F(DisplayText, ALyricsFileBesideTheSongWinsAndItsLineFollowsThePosition) {
    Root().WriteString("Option", "LyricsFolder", "C:\\Lyrics\\");
    machine_.files().CreateFolder("C:\\Lyrics");
    Write("C:\\Lyrics\\song.txt", "[00:01]from the folder\r\n");
    Write("C:\\Music\\song.mp3", Id3Block("Song"));
    Write("C:\\Music\\song.txt", "[00:10]first\r\n[00:20][00:40]chorus\r\n");
    Start();
    player_->position = 9999;
    Play({"C:\\Music\\song.mp3"}, 0, "1. Song - Winamp");
    ASSERT_EQ(display_->lyrics().size(), 3u);
    EXPECT_EQ(Line(2), "　 ");
    player_->position = 10000;
    Tick();
    EXPECT_EQ(Line(2), "first ");
    player_->position = 45000;
    Tick();
    EXPECT_EQ(Line(2), "chorus ");
    player_->position = -1;
    Tick();
    EXPECT_EQ(Line(2), "(LyricsFile Ready) ");
}

TEST_F(DisplayText, OfTheLyricsFilesOfASongTheLastThatExistsIsRead) {
    Root().WriteString("Option", "LyricsFolder", "C:\\Lyrics\\");
    machine_.files().CreateFolder("C:\\Lyrics");
    Write("C:\\Music\\01.mp3", Id3Block("What?", "AC/DC"));
    const std::vector<std::string> candidates = {"C:\\Lyrics\\AC_DC - What_.lrc",
                                                 "C:\\Lyrics\\AC_DC - What_.txt",
                                                 "C:\\Lyrics\\01.lrc",
                                                 "C:\\Lyrics\\01.txt",
                                                 "C:\\Music\\01.lrc",
                                                 "C:\\Music\\01.txt"};
    for (size_t i = 0; i < candidates.size(); ++i) {
        Write(candidates[i], "[00:00]file " + std::to_string(i));
    }
    Start();
    for (size_t shown = candidates.size(); shown-- > 0;) {
        Play({"C:\\Music\\01.mp3"}, 0, "1. AC/DC - What? " + std::to_string(shown) + " - Winamp");
        EXPECT_EQ(Line(2), "file " + std::to_string(shown) + " ");
        EXPECT_EQ(display_->lyricsFile(), candidates[shown]);
        machine_.files().Delete(candidates[shown]);
    }
    Write("C:\\Lyrics\\(Unknown) - What_.lrc", "[00:00]unknown artist");
    Write("C:\\Music\\02.mp3", Id3Block("What?"));
    Play({"C:\\Music\\02.mp3"}, 0, "1. What? - Winamp");
    EXPECT_TRUE(display_->lyrics().empty()) << "a song without an artist has no \"Artist - Title\" file";
}

TEST_F(DisplayText, ALineOfGShowsTheSecondLineOfATimeAndStaysOnlyForLyricsWithSuch) {
    DefaultSkinValue("DispSw", "1");
    DefaultSkinValue("Disp1Text", "%B");
    DefaultSkinValue("Disp2Text", "%g");
    Write("C:\\Music\\song.mp3", Id3Block("Song"));
    Write("C:\\Music\\song.lrc", "[00:01.00]original\r\n[00:01.00]translation\r\n[00:02.50]solo\r\n");
    Write("C:\\Music\\single.mp3", Id3Block("Single"));
    Write("C:\\Music\\single.lrc", "[00:01]original\r\n");
    Start();
    Play({"C:\\Music\\song.mp3"}, 0, "1. Song - Winamp");
    EXPECT_EQ(display_->skinView().DispSw, 1) << "kept from the song's start";
    player_->position = 1500;
    Tick();
    EXPECT_EQ(Line(0), "original ");
    EXPECT_EQ(Line(1), "translation ") << "a line with %G follows the position";
    player_->position = 2500;
    Tick();
    EXPECT_EQ(Line(1), "　 ");
    Play({"C:\\Music\\single.mp3"}, 0, "1. Single - Winamp");
    EXPECT_EQ(display_->skinView().DispSw, 0) << "lyrics without a second line drop the line";
}

TEST_F(DisplayText, LyricsSavedAsUnicodeShowInTheCodePageAndCp932FilesAsTheyAre) {
    const std::u8string utf8 = u8"[00:01]春の歌한😀\r\n";
    const std::string plain(utf8.begin(), utf8.end());
    std::string le = "\xFF\xFE";
    std::string be = "\xFE\xFF";
    for (const char16_t u : std::u16string(u"[00:01]春の歌한😀\r\n")) {
        le += {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
        be += {static_cast<char>(u >> 8), static_cast<char>(u & 0xFF)};
    }
    const std::string cp932 = "\x89\xCC\x81\x40\xB1";  // no UTF-8: byte for byte, as before
    Write("C:\\Music\\song.mp3", Id3Block("Song"));
    Start();
    player_->position = 1000;
    int change = 0;
    for (const auto& [file, shown] :
         std::vector<std::pair<std::string, std::string>>{{"\xEF\xBB\xBF" + plain, "春の歌?? "},
                                                          {plain, "春の歌?? "},
                                                          {le, "春の歌?? "},
                                                          {be, "春の歌?? "},
                                                          {"[00:01]" + cp932, cp932 + " "}}) {
        Write("C:\\Music\\song.txt", file);
        Play({"C:\\Music\\song.mp3"}, 0, "1. Song " + std::to_string(++change) + " - Winamp");
        EXPECT_EQ(Line(2), shown) << "file " << change;
    }
}

TEST_F(DisplayText, TrailingBlankLinesAreDropped) {
    DefaultSkinValue("Disp1Text", "%2");
    DefaultSkinValue("Disp2Text", "%3");
    DefaultSkinValue("Disp3Text", "%4");
    Write("C:\\Music\\a.mp3", Id3Block("Title", "", "Album"));
    Write("C:\\Music\\b.mp3", Id3Block("Title"));
    Start();
    Play({"C:\\Music\\a.mp3"}, 0, "1. a - Winamp");
    EXPECT_EQ(display_->skinView().DispSw, 1) << "line 3 is blank";
    Play({"C:\\Music\\b.mp3"}, 0, "1. b - Winamp");
    EXPECT_EQ(display_->skinView().DispSw, 0) << "lines 2 and 3 are blank";
    EXPECT_EQ(display_->configuredLineMode(), 2);
}

TEST_F(DisplayText, LyricsAreRefreshedOnlyForLinesThatShowThem) {
    DefaultSkinValue("DispSw", "0");
    DefaultSkinValue("Disp1Text", "%2");
    Write("C:\\Music\\song.mp3", Id3Block("Song"));
    Write("C:\\Music\\song.txt", "[00:10]first\r\n");
    Start();
    Play({"C:\\Music\\song.mp3"}, 0, "1. Song - Winamp");
    EXPECT_FALSE(display_->lines()[2].lyrics) << "line 3 is not shown with one line";
    EXPECT_FALSE(display_->lines()[0].lyrics);
}

}  // namespace
}  // namespace sorabell::testing
