// A song whose only tag is ID3v2 shows its fields on the player's window, as the same texts in
// an ID3v1 tag show.

#include "support/Id3v2Builder.h"
#include "support/PlayerStage.h"

namespace sorabell::testing {
namespace {

class Id3v2OnScreen : public PlayerStage {
protected:
    // Plays entry `index` of the three songs and waits until the line shows what `shown` wants.
    template <class Shown>
    ScreenCapture PlayAndWait(int index, const std::string& title, Shown shown) {
        const StandInDriver player(player_);
        player.PlayList(index, {Song(), music_ + "v1.mp3", music_ + "v2.mp3"});
        player.Title(index + 1, "Artist", title);
        return WaitForScreen(shown);
    }
};

TEST_F(Id3v2OnScreen, AFileWithOnlyAnId3v24TagShowsItsTitleArtistAndGenre) {
    Skin("Disp1Text", "%2 %1 %6");
    Write(music_ + "v1.mp3", MpegPayload(400) + Id3Block("Title MiMi", "Artist", "", "", "", 17));
    const std::string frames = Id3v2Frame(4, "TIT2", FrameText(3, "Title MiMi")) +
                               Id3v2Frame(4, "TPE1",
                                          FrameText(1, std::string("\xFF\xFE"
                                                                   "A\0r\0t\0i\0s\0t\0",
                                                                   14))) +
                               Id3v2Frame(4, "TCON", FrameText(0, "(17)"));
    Write(music_ + "v2.mp3", Id3v2Bytes(4, frames + std::string(200, '\0')) + MpegPayload(400));
    StartWith("MMMM");
    // Ink as far right as x = 195: the song's fields, not the display's own shorter name, which it
    // shows until the player's first title is read.
    const auto first = WaitForScreen([](const ScreenCapture& s) { return s.Count(kRed, 195, 24, 266, 36) > 0; });
    const auto line = [](const ScreenCapture& a, const ScreenCapture& b) { return a.SameRegion(b, 109, 24, 266, 36); };

    const auto fromId3v1 = PlayAndWait(1, "Title MiMi", [&](const ScreenCapture& s) {
        return s.Count(kRed, 109, 24, 266, 36) > 20 && !line(s, first);
    });
    ASSERT_FALSE(line(fromId3v1, first));
    const auto back = PlayAndWait(0, "MMMM", [&](const ScreenCapture& s) { return line(s, first); });
    ASSERT_TRUE(line(back, first));
    const auto fromId3v2 = PlayAndWait(2, "Title MiMi", [&](const ScreenCapture& s) { return line(s, fromId3v1); });
    EXPECT_TRUE(line(fromId3v2, fromId3v1)) << "the ID3v2 tag's fields differ from the same texts in ID3v1";
}

}  // namespace
}  // namespace sorabell::testing
