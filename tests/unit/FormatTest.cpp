#include <gtest/gtest.h>

#include "display/Format.h"

namespace sorabell::display {
namespace {

class Expand : public ::testing::Test {
protected:
    std::string Run(std::string_view format) {
        FormatSources sources;
        sources.fields = &fields_;
        sources.info = &info_;
        sources.songLength = [this] { return length_; };
        sources.lyricsLine = [this] { return lyric_; };
        return ExpandFormat(format, sources);
    }

    SongFields fields_ = {"3", "Artist", "Title", "Album", "1999", "Comment", "Rock", "song", "C:\\m\\", "mp3"};
    tags::TRMPInfo info_;
    int32_t length_ = 245;
    std::string lyric_ = "la la";
};

TEST_F(Expand, TheDefaultFirstLineOfTrackThree) { EXPECT_EQ(Run("%0. %1 - %2 %A"), "3. Artist - Title [4:05] "); }

TEST_F(Expand, EveryPlaceholder) {
    info_.Copyright = "(C)";
    info_.Engineer = "eng";
    info_.Source = "CD";
    info_.Software = "soft";
    EXPECT_EQ(Run("%0%1%2%3%4%5%6%7%8%9"), "3ArtistTitleAlbum1999CommentRocksongC:\\m\\mp3 ");
    EXPECT_EQ(Run("%a|%b|%B|%c%C|%d%D|%e%E|%f%F"), "[4:05]|la la|la la|(C)(C)|engeng|CDCD|softsoft ");
    EXPECT_EQ(Run("100%%"), "100% ");
}

TEST_F(Expand, UnknownPlaceholdersAndATrailingPercentVanish) {
    EXPECT_EQ(Run("a%Zb%"), "ab ");
    EXPECT_EQ(Run("%"), " ");
    EXPECT_EQ(Run(""), " ");
    EXPECT_EQ(Run("％%1"), "％Artist ") << "a double-byte character is no placeholder";
    EXPECT_EQ(Run("100%の%1"), "100Artist ") << "the whole character goes, not its lead byte alone";
    EXPECT_EQ(Run("%表%"), " ") << "a backslash trail byte goes with its character";
    EXPECT_EQ(Run(std::string("%\x81", 2)), " ") << "a lead byte at the end goes alone";
}

TEST_F(Expand, TheLengthWithoutASong) {
    length_ = -1;
    EXPECT_EQ(Run("%A"), "[??:??] ");
    length_ = 6000;
    EXPECT_EQ(Run("%A"), "[100:00] ");
    length_ = 9;
    EXPECT_EQ(Run("%A"), "[0:09] ");
}

TEST(SongFieldsOf, TheInfoListComesFirstThenTheTag) {
    tags::TRMPInfo info;
    info.Artist = "RMP artist";
    info.Genre = "My Genre";
    tags::TID3Tag id3;
    tags::SetField(id3.Artist, "ID3 artist");
    tags::SetField(id3.Title, "ID3 title   ");
    tags::SetField(id3.Year, "2001");
    id3.Genre = 17;
    const SongFields f = MakeSongFields(5, "C:\\Music\\ソ表\\song.rmp", info, true, id3, true);
    EXPECT_EQ(f[0], "5");
    EXPECT_EQ(f[1], "RMP artist");
    EXPECT_EQ(f[2], "ID3 title");
    EXPECT_EQ(f[4], "2001");
    EXPECT_EQ(f[5], "");
    EXPECT_EQ(f[6], "My Genre");
    EXPECT_EQ(f[7], "song");
    EXPECT_EQ(f[8], "C:\\Music\\ソ表\\");
    EXPECT_EQ(f[9], "rmp");

    info.Genre.clear();
    EXPECT_EQ(MakeSongFields(5, "x.mp3", info, true, id3, true)[6], "Rock");
}

TEST(SongFieldsOf, AFileWithoutTagsShowsTheFallbacks) {
    const SongFields f = MakeSongFields(1, "C:\\Music\\plain.tar.mp3", {}, false, {}, false);
    EXPECT_EQ(f[1], "(Unknown)");
    EXPECT_EQ(f[2], "(plain.tar)");
    EXPECT_EQ(f[5], "(Not Write ID3Tag & RMP Info)");
    EXPECT_EQ(f[6], "Blues");
    EXPECT_EQ(f[9], "mp3");

    const SongFields noExt = MakeSongFields(1, "C:\\Music\\song", {}, false, {}, true);
    EXPECT_EQ(noExt[7], "song");
    EXPECT_EQ(noExt[9], "");
    EXPECT_EQ(noExt[5], "") << "a file with a tag shows its empty comment";
}

TEST(SongFieldsOf, AnId3v2ValueStandsForTheId3v1OneItBeginsWith) {
    tags::TID3Tag id3;
    tags::SetField(id3.Title, "A title cut at thirty bytes of");  // the 30 bytes the tag holds
    tags::SetField(id3.Artist, "Edited artist");
    id3.Genre = 17;  // Rock
    tags::Id3v2Tag v2;
    v2.title = "A title cut at thirty bytes of the ID3v1 tag";
    v2.artist = "Older artist";
    v2.album = "Only in ID3v2";
    v2.genre = "Rock & Roll";
    const SongFields f = MakeSongFields(1, "x.mp3", {}, false, id3, true, v2);
    EXPECT_EQ(f[2], v2.title) << "a cut ID3v1 value shows whole";
    EXPECT_EQ(f[1], "Edited artist") << "an ID3v1 value edited since wins";
    EXPECT_EQ(f[3], "Only in ID3v2") << "an empty ID3v1 field";
    EXPECT_EQ(f[6], "Rock & Roll");
    EXPECT_EQ(f[5], "") << "an empty comment in both tags";

    v2.genre = "J-Pop";
    EXPECT_EQ(MakeSongFields(1, "x.mp3", {}, false, id3, true, v2)[6], "Rock");
    tags::TRMPInfo info;
    info.Title = "From the list";
    EXPECT_EQ(MakeSongFields(1, "x.mp3", info, true, id3, true, v2)[2], "From the list");
}

TEST(SongFieldsOf, AFileWithOnlyAnId3v2TagHasATag) {
    tags::Id3v2Tag v2;
    v2.genre = "J-Pop";
    const SongFields f = MakeSongFields(1, "C:\\x.mp3", {}, false, {}, false, v2);
    EXPECT_EQ(f[5], "");
    EXPECT_EQ(f[6], "J-Pop");
    EXPECT_EQ(MakeSongFields(1, "x.mp3", {}, false, {}, false, tags::Id3v2Tag{})[6], "Blues")
        << "without a genre in any tag, the table's first name as before";
}

}  // namespace
}  // namespace sorabell::display
