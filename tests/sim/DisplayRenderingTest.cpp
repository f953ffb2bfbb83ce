// The look on Winamp's window: the skin's images and settings, the lines' places, the frame, the
// colours picked from the skin and the time digits.

#include "hook/HookRules.h"
#include "sim/DisplayFixture.h"
#include "support/ZipBuilder.h"

namespace sorabell::testing {
namespace {

using display::Tlumora;

constexpr TColor kRed = RGBColor(255, 0, 0);
constexpr TColor kBlue = RGBColor(0, 0, 255);

class Rendering : public DisplayFixture {
protected:
    void SetUp() override {
        DefaultSkinValue("Disp1Color", std::to_string(kRed));
        DefaultSkinValue("Disp2Color", std::to_string(kRed));
        DefaultSkinValue("Disp3Color", std::to_string(kRed));
        DefaultSkinValue("Disp1Text", "%2");
        DefaultSkinValue("Disp2Text", "%2");
        DefaultSkinValue("Disp3Text", "%2");
        Write("C:\\Music\\m.mp3", Id3Block("MMMMMMMM"));
    }
    void PlayM() { Play({"C:\\Music\\m.mp3"}, 0, "1. M - Winamp"); }
    // The leftmost column in the rectangle holding a pixel of `color`, or -1.
    int FirstColumnOf(TColor color, int left, int top, int right, int bottom) {
        for (int x = left; x < right; ++x) {
            for (int y = top; y < bottom; ++y) {
                if (PlayerPixel(x, y) == color) {
                    return x;
                }
            }
        }
        return -1;
    }
    // The text of a line begins at `x`: no text pixel left of it, some within the first glyph's
    // side bearing right of it.
    void ExpectTextStartsAt(int x, int top, int bottom) {
        const int first = FirstColumnOf(kRed, x - 6, top, x + 40, bottom);
        EXPECT_GE(first, x);
        EXPECT_LE(first, x + 3);
    }
};

TEST_F(Rendering, OneLineStartsTwoPixelsIntoItsBitmapOverTheSkin) {
    DefaultSkinValue("Skin", "1");
    Start();
    PlayM();
    EXPECT_EQ(display_->displayOrigin().x, 109);
    EXPECT_EQ(display_->displayBitmap().width(), 157);
    EXPECT_EQ(display_->displayBitmap().height(), 12);
    // The bitmap shows the skin's own title area: (109, 24) of Winamp is (109, 24) of main.bmp.
    EXPECT_EQ(PlayerPixel(109, 24), MainPixel(109, 24));
    EXPECT_EQ(PlayerPixel(265, 35), MainPixel(265, 35));
    ExpectTextStartsAt(111, 24, 36);
}

TEST_F(Rendering, ThreeLinesWithoutTheSkinGetTheirFrame) {
    DefaultSkinValue("DispSw", "2");
    DefaultSkinValue("BGColor", std::to_string(kBlue));
    Start();
    PlayM();
    EXPECT_EQ(display_->displayOrigin().x, 107);
    EXPECT_EQ(display_->displayBitmap().height(), 48);
    const TColor dark = 0x342C32;
    const TColor grey = 0x9C948E;
    const TColor light = 0xCCC4CE;
    EXPECT_EQ(PlayerPixel(107, 40), kBlue);  // x = 0 of the bitmap, in the background colour
    EXPECT_EQ(PlayerPixel(108, 40), dark);   // its dark inner edges
    EXPECT_EQ(PlayerPixel(150, 23), dark);
    EXPECT_EQ(PlayerPixel(266, 40), grey);  // and its light ones
    EXPECT_EQ(PlayerPixel(150, 69), grey);
    EXPECT_EQ(PlayerPixel(266, 69), light);
    EXPECT_EQ(PlayerPixel(150, 50), kBlue);
    // The lines are 12 pixels apart, each beginning 4 pixels in.
    ExpectTextStartsAt(111, 22 + 4, 22 + 16);
    ExpectTextStartsAt(111, 22 + 16, 22 + 28);
    ExpectTextStartsAt(111, 22 + 32, 22 + 44);
}

TEST_F(Rendering, DoubleSizeDoublesEveryPlace) {
    DefaultSkinValue("Skin", "1");
    Start();
    player_->Command("size double");
    Pump();
    PlayM();
    EXPECT_EQ(display_->displayBitmap().width(), 314);
    EXPECT_EQ(display_->displayBitmap().height(), 24);
    // The same region of the skin, stretched: each skin pixel covers 2 x 2 of the bitmap.
    EXPECT_EQ(PlayerPixel(218, 48), MainPixel(109, 24));
    EXPECT_EQ(PlayerPixel(219, 49), MainPixel(109, 24));
    EXPECT_EQ(PlayerPixel(220, 48), MainPixel(110, 24));
    ExpectTextStartsAt(222, 48, 72);

    DefaultSkinValue("DispSw", "1");
    static_cast<sim::SimForm&>(display_->form()).Deliver({hook::UM_RELOAD_SETTINGS, 0, 0});
    EXPECT_EQ(display_->displayBitmap().width(), 320);
    EXPECT_EQ(PlayerPixel(214, 44), MainPixel(107, 22));
}

TEST_F(Rendering, TheMarkIsDrawnInItsColourWhereItIsClicked) {
    DefaultSkinValue("LumoraColor", std::to_string(kBlue));
    Root().WriteString("Option", "Lumora", "■");
    Start();
    PlayM();
    EXPECT_GE(FirstColumnOf(kBlue, 238, 95, 255, 107), 240);
    EXPECT_LE(FirstColumnOf(kBlue, 238, 95, 255, 107), 242);
    player_->Command("size double");
    Pump();
    EXPECT_GE(FirstColumnOf(kBlue, 470, 190, 510, 213), 480);
}

TEST_F(Rendering, TheMainImageIsLookedForInItsOrder) {
    DefaultSkinValue("Skin", "1");
    Write(std::string(kSkins) + "Base\\extmain.bmp", MainImage(0x99));
    Start();
    PlayM();
    EXPECT_EQ(PlayerPixel(109, 24), MainPixel(109, 24, 0x99)) << "extmain.bmp comes first";

    // An archived skin is looked for where Winamp unpacks it.
    const std::string unpacked = machine_.files().TempPath() + "_wasktmp\\";
    machine_.files().CreateFolder(unpacked);
    Write(unpacked + "main.bmp", MainImage(0x77));
    display_->LoadSkin("Archived.wsz", true);
    EXPECT_EQ(PlayerPixel(109, 24), MainPixel(109, 24, 0x77));
    EXPECT_EQ(WinampIniValue("skin"), "Archived.wsz");

    Write(std::string("C:\\Program Files\\Sorabell\\Default.Bmp"), MainImage(0x55));
    machine_.files().Delete(unpacked + "main.bmp");
    display_->LoadSkin("Nowhere", true);
    EXPECT_EQ(PlayerPixel(109, 24), MainPixel(109, 24, 0x55)) << "the program's own picture";
}

TEST_F(Rendering, AnArchivedSkinsImagesAreReadStraightFromItsArchive) {
    DefaultSkinValue("Skin", "1");
    DefaultSkinValue("ExtTime", "1");
    DefaultSkinValue("ColorPick", "1");
    Write(std::string(kSkins) + "Cool.WSZ",
          ZipBytes({Deflated("Cool/MAIN.BMP", MainImage(0x33)), Deflated("Cool/Numbers.bmp", NumbersImage(99)),
                    Stored("Cool/text.bmp", TextImage())}));
    Start();
    PlayM();
    display_->LoadSkin("Cool.WSZ", true);
    EXPECT_EQ(PlayerPixel(109, 24), MainPixel(109, 24, 0x33));
    EXPECT_EQ(display_->numberCells().count(), 12);
    EXPECT_EQ(display_->pickColors()[1], BandColor(1));

    // A damaged member is a missing image: Winamp 2's unpacked copy is used instead.
    const std::string unpacked = machine_.files().TempPath() + "_wasktmp\\";
    machine_.files().CreateFolder(unpacked);
    Write(unpacked + "main.bmp", MainImage(0x77));
    Write(std::string(kSkins) + "Cool.WSZ", ZipBytes({Deflated("main.bmp", MainImage(0x33)).ClaimingCrc(1)}));
    display_->LoadSkin("Cool.WSZ", true);
    EXPECT_EQ(PlayerPixel(109, 24), MainPixel(109, 24, 0x77));
    EXPECT_FALSE(display_->skinView().ExtTime);
}

TEST_F(Rendering, WithoutAnyImageTheSkinBackgroundIsSwitchedOff) {
    DefaultSkinValue("Skin", "1");
    DefaultSkinValue("BGColor", std::to_string(kBlue));
    Write(std::string(kSkins) + "Base\\main.bmp", "BM broken");
    Start();
    PlayM();
    EXPECT_FALSE(display_->skinView().Skin);
    EXPECT_EQ(PlayerPixel(109, 24), kBlue);
    EXPECT_TRUE(Skins().ReadBool("(Default)", "Skin", false)) << "the setting itself stays";
}

TEST_F(Rendering, NumberCellsAreCutFromTheNumbersImage) {
    DefaultSkinValue("ExtTime", "1");
    Write(std::string(kSkins) + "Base\\numbers.bmp", NumbersImage(99));
    Start();
    EXPECT_EQ(display_->numberCells().count(), 12);
    EXPECT_TRUE(display_->menu().enabled(Tlumora::TimeRemaining1));
    Write(std::string(kSkins) + "Base\\nums_ex.bmp", NumbersImage(108));
    display_->LoadSkin("Base", false);
    EXPECT_EQ(display_->numberCells().count(), 13) << "nums_ex.bmp comes first";

    machine_.files().Delete(std::string(kSkins) + "Base\\nums_ex.bmp");
    machine_.files().Delete(std::string(kSkins) + "Base\\numbers.bmp");
    display_->LoadSkin("Base", false);
    EXPECT_FALSE(display_->skinView().ExtTime);
    EXPECT_FALSE(display_->menu().enabled(Tlumora::TimeRemaining1));
}

TEST_F(Rendering, TheTimeShowsItsDigitsAndTheMinusCell) {
    DefaultSkinValue("ExtTime", "1");
    Write(std::string(kSkins) + "Base\\nums_ex.bmp", NumbersImage(108));
    Start();
    PlayM();
    player_->position = 65432;  // 01:05
    display_->DrawTime();
    // Digits 0, 1, 0, 5 at x = 48, 60, 78 and 90; a cell's ink is its frame at x + 1.
    EXPECT_EQ(PlayerPixel(49, 27 + 5), InkOf(0));
    EXPECT_EQ(PlayerPixel(61, 27 + 5), InkOf(1));
    EXPECT_EQ(PlayerPixel(79, 27 + 5), InkOf(0));
    EXPECT_EQ(PlayerPixel(91, 27 + 5), InkOf(5));
    EXPECT_EQ(PlayerPixel(52, 32), MainPixel(52, 32)) << "the cell's transparent pixels show the skin";

    display_->menu().SetChecked(Tlumora::TimeRemaining1, true);
    player_->length = 60;  // 60 - 65 seconds: below zero shows 00:00
    display_->DrawTime();
    EXPECT_EQ(PlayerPixel(39, 32), InkOf(11)) << "the minus cell at x = 38";
    EXPECT_EQ(PlayerPixel(91, 32), InkOf(0));

    display_->menu().SetChecked(Tlumora::TimeRemaining1, false);
    player_->position = 6005000;  // 100 minutes 5 seconds: "10005" shows "1000"
    display_->DrawTime();
    EXPECT_EQ(PlayerPixel(49, 32), InkOf(1));
    EXPECT_EQ(PlayerPixel(91, 32), InkOf(0));
}

TEST_F(Rendering, TwelveCellsPutTheirRepeatWhereTheMinusSignWouldBe) {
    DefaultSkinValue("ExtTime", "1");
    Write(std::string(kSkins) + "Base\\numbers.bmp", NumbersImage(99));
    Root().WriteBool("Option", "Remain", true);
    Start();
    PlayM();
    display_->DrawTime();
    // Cell 11 repeats cell 10 where the minus sign would stand.
    EXPECT_EQ(PlayerPixel(39, 32), InkOf(10));
}

TEST_F(Rendering, ColoursArePickedFromTextBmp) {
    DefaultSkinValue("ColorPick", "1");
    DefaultSkinValue("Color", "1");
    DefaultSkinValue("BGColor", std::to_string(kBlue));
    Write(std::string(kSkins) + "Base\\text.bmp", TextImage());
    Start();
    PlayM();
    const auto& view = display_->skinView();
    EXPECT_EQ(view.BGColor, kTextBackground);
    EXPECT_EQ(view.Disp[0].SColor, kTextBackground);
    EXPECT_EQ(view.Disp[0].Color, BandColor(0));
    EXPECT_FALSE(view.Color);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(display_->pickColors()[static_cast<size_t>(i)], BandColor(i));
    }
    // The line is drawn in bands of |height| / 6 = 2 pixels from its top, the last to its bottom.
    for (int band = 1; band <= 4; ++band) {
        const int top = 24 + 2 * band;
        EXPECT_NE(FirstColumnOf(BandColor(band), 109, top, 266, top + 2), -1) << band;
        EXPECT_EQ(FirstColumnOf(BandColor(band), 109, top + 2, 266, 36), -1) << band;
        EXPECT_EQ(FirstColumnOf(BandColor(band), 109, 24, 266, top), -1) << band;
    }
    EXPECT_NE(FirstColumnOf(BandColor(5), 109, 34, 266, 36), -1);
}

TEST_F(Rendering, WithoutTextBmpColourPickUpIsSwitchedOff) {
    DefaultSkinValue("ColorPick", "1");
    Start();
    EXPECT_FALSE(display_->skinView().ColorPick);
    EXPECT_EQ(display_->skinView().Disp[0].Color, kRed);
}

TEST_F(Rendering, TheTickAfterWinampPaintedPaintsTheDisplayAgain) {
    Start();
    PlayM();
    PlayerRepaints();
    ASSERT_GE(FirstColumnOf(kRed, 109, 24, 266, 36), 0) << "the paint hook brings the display back";
    // Winamp's picture reaching the screen after ours, as it can under Wine.
    player_->Paint();
    ASSERT_LT(FirstColumnOf(kRed, 109, 24, 266, 36), 0);
    Tick();
    EXPECT_GE(FirstColumnOf(kRed, 109, 24, 266, 36), 0) << "the next tick paints the display again";
    player_->Paint();
    Tick();
    EXPECT_LT(FirstColumnOf(kRed, 109, 24, 266, 36), 0) << "without time digits a tick paints only after Winamp did";
}

TEST_F(Rendering, AScrollingLineMovesOnWinampsWindow) {
    DefaultSkinValue("Disp1Scroll", "1");
    Write("C:\\Music\\long.mp3", Id3Block(std::string(30, 'M')));
    Start();
    Play({"C:\\Music\\long.mp3"}, 0, "1. x - Winamp");
    const int first = FirstColumnOf(kRed, 109, 24, 266, 36);
    Tick(8);
    const int later = FirstColumnOf(kRed, 109, 24, 266, 36);
    EXPECT_EQ(display_->lines()[0].scrollMode, 1);
    EXPECT_NE(later, first) << "the text's left end has moved out of the bitmap";
}

}  // namespace
}  // namespace sorabell::testing
