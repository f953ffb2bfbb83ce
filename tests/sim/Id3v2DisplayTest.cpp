// The lyrics a song's ID3v2 tag holds, on the display.

#include "sim/DisplayFixture.h"
#include "support/Id3v2Builder.h"

namespace sorabell::testing {
namespace {

class Id3v2Display : public DisplayFixture {};

TEST_F(Id3v2Display, TheTagsLyricsShowWhenNoLyricsFileIsFound) {
    DefaultSkinValue("DispSw", "0");
    DefaultSkinValue("Disp1Text", "%B");
    const std::string uslt = FrameText(0, std::string("eng\0[00:01]first\n[00:05]second", 30));
    Write("C:\\Music\\song.mp3", Id3v2Bytes(3, Id3v2Frame(3, "USLT", uslt)) + MpegPayload(500) + Id3Block("Song"));
    Start();
    player_->position = 6000;
    Play({"C:\\Music\\song.mp3"}, 0, "1. Song - Winamp");
    ASSERT_EQ(display_->lyrics().size(), 2u);
    EXPECT_EQ(Line(0), "second ");

    Write("C:\\Music\\song.txt", "[00:01]from the file\r\n");
    Play({"C:\\Music\\song.mp3"}, 0, "1. Song again - Winamp");
    EXPECT_EQ(Line(0), "from the file ");
}

}  // namespace
}  // namespace sorabell::testing
