// What the lines say for a song whose tag is ID3v2: its fields and the lyrics it holds.

#include "sim/DisplayFixture.h"
#include "support/Id3v2Builder.h"

namespace sorabell::testing {
namespace {

class Id3v2Display : public DisplayFixture {
protected:
    void SetUp() override {
        DefaultSkinValue("DispSw", "2");
        DefaultSkinValue("Disp1Text", "%1|%2|%3|%4|%5|%6");
        DefaultSkinValue("Disp2Text", "%7");
        DefaultSkinValue("Disp3Text", "%B");
    }
};

// A SYLT frame with millisecond stamps, in ISO-8859-1.
std::string SyltData(const std::vector<std::pair<std::string, uint32_t>>& texts) {
    std::string data = std::string("\0jpn\x02\x01", 6) + std::string(1, '\0');
    for (const auto& [text, time] : texts) {
        data += text + std::string(1, '\0') + BigEndian(time, 4);
    }
    return data;
}

TEST_F(Id3v2Display, AFileWithOnlyAnId3v24TagShowsItsFields) {
    const std::string title = "\xE6\x98\xA5\xE3\x81\xAE\xE6\xAD\x8C";  // 春の歌 in UTF-8
    const std::string body =
        Id3v2Frame(4, "TIT2", FrameText(3, title)) + Id3v2Frame(4, "TPE1", FrameText(2, std::string("\0A\0r\0t", 6))) +
        Id3v2Frame(4, "TDRC", FrameText(0, "2004-05-06")) + Id3v2Frame(4, "TCON", FrameText(0, "(17)"));
    Write("C:\\Music\\song.mp3", Id3v2Bytes(4, body + std::string(64, '\0')) + MpegPayload(500));
    Start();
    Play({"C:\\Music\\song.mp3"}, 0, "1. song - Winamp");
    EXPECT_EQ(Line(0), "Art|春の歌||2004||Rock ");
    EXPECT_TRUE(display_->song().id3v2.has_value());
}

TEST_F(Id3v2Display, TheTagsLyricsShowWhenNoLyricsFileIsFound) {
    const std::string body = Id3v2Frame(3, "TIT2", FrameText(0, "Song")) +
                             Id3v2Frame(3, "SYLT", SyltData({{"first", 1000}, {"second", 5000}}));
    Write("C:\\Music\\song.mp3", Id3v2Bytes(3, body) + MpegPayload(500) + Id3Block("Song"));
    Start();
    player_->position = 6000;
    Play({"C:\\Music\\song.mp3"}, 0, "1. Song - Winamp");
    ASSERT_EQ(display_->lyrics().size(), 2u);
    EXPECT_EQ(Line(2), "second ");

    Write("C:\\Music\\song.txt", "[00:01]from the file\r\n");
    Play({"C:\\Music\\song.mp3"}, 0, "1. Song again - Winamp");
    EXPECT_EQ(Line(2), "from the file ");
}

}  // namespace
}  // namespace sorabell::testing
