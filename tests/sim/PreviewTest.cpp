// The Winamp preview's pixels: the skin's image, the framed plain background, the lines with
// their shadows and colour bands in their places, and the menu mark.

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "sim/DisplayPageStage.h"
#include "support/ZipBuilder.h"

namespace sorabell::testing {
namespace {

constexpr TColor kRed = RGBColor(255, 0, 0);
constexpr TColor kBlue = RGBColor(0, 0, 255);
constexpr TColor kShadow = RGBColor(0, 255, 0);
constexpr TColor kFrame = 0x9C948E;
// Text and shadow lie inside the line rectangles; (140, 23) lies between the frame and line 1.
constexpr int kBetween = 140;

struct Span {
    int top = 1 << 20;
    int bottom = -1;
    int left = 1 << 20;
    int count = 0;
};

class PreviewTest : public ::testing::Test, protected DisplayPageStage {
protected:
    PreviewTest() {
        AddSkin("Alpha", 0x11);
        Write(std::string(kProgramFolder) + "default.bmp", MainImage(0x77));
    }
    // A skin's section with these values over three lines "MMMM" in red with a green shadow.
    void StoreLook(const std::string& skin, const std::map<std::string, std::string>& values) {
        auto skins = Skins();
        for (int n = 1; n <= 3; ++n) {
            const std::string line = "Disp" + std::to_string(n);
            skins.WriteString(skin, line + "Text", "MMMM");
            skins.WriteInteger(skin, line + "Color", kRed);
            skins.WriteInteger(skin, line + "SColor", kShadow);
        }
        for (const auto& [name, value] : values) {
            skins.WriteString(skin, name, value);
        }
    }
    void StartWith(const std::map<std::string, std::string>& values, const std::string& skin = "(Default)") {
        StoreLook(skin, values);
        Start(skin);
    }
    // Where the pixels of `color` lie.
    Span Find(TColor color, int left = 0, int top = 0, int right = 275, int bottom = 116) {
        Span span;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                if (PreviewPixel(x, y) == color) {
                    span.top = std::min(span.top, y);
                    span.bottom = std::max(span.bottom, y + 1);
                    span.left = std::min(span.left, x);
                    ++span.count;
                }
            }
        }
        return span;
    }
};

TEST_F(PreviewTest, PlainBackgroundIsFramedAroundItsLinesWithoutShadows) {
    StartWith({{"BGColor", std::to_string(kBlue)}});
    EXPECT_EQ(PreviewPixel(107, 22), kFrame);
    EXPECT_EQ(PreviewPixel(266, 37), kFrame);
    EXPECT_EQ(PreviewPixel(kBetween, 23), kBlue);
    EXPECT_EQ(PreviewPixel(150, 38), MainPixel(150, 38, 0x77)) << "one line: the background ends at 38";
    const Span text = Find(kRed);
    EXPECT_GE(text.top, 24);
    EXPECT_LE(text.bottom, 38);
    EXPECT_GE(text.left, 111);
    EXPECT_EQ(Find(kShadow).count, 0);

    static_cast<sim::SimRadioButton&>(*page->RadioButton3).Click();
    EXPECT_EQ(PreviewPixel(150, 69), kFrame);
    EXPECT_EQ(PreviewPixel(150, 70), MainPixel(150, 70, 0x77));
    // Three lines 15 pixels apart, each within its own rectangle.
    for (int c = 0; c < 3; ++c) {
        const Span line = Find(kRed, 108, 24 + 15 * c, 266, 39 + 15 * c);
        EXPECT_GT(line.count, 0) << c;
        EXPECT_EQ(line.top - 15 * c, text.top) << c;
    }
}

TEST_F(PreviewTest, OverTheSkinEveryLineHasItsShadowOnePixelRightAndBelow) {
    StartWith({{"Skin", "1"}, {"DispSw", "2"}});
    EXPECT_EQ(PreviewPixel(107, 22), MainPixel(107, 22, 0x77));
    EXPECT_EQ(PreviewPixel(kBetween, 23), MainPixel(kBetween, 23, 0x77));
    const Span shadow = Find(kShadow);
    ASSERT_GT(shadow.count, 0);
    for (int y = 0; y < 116; ++y) {
        for (int x = 0; x < 275; ++x) {
            if (PreviewPixel(x, y) == kShadow) {
                ASSERT_EQ(PreviewPixel(x - 1, y - 1), kRed) << x << "," << y;
            }
        }
    }
    for (int c = 0; c < 3; ++c) {
        EXPECT_GT(Find(kShadow, 108, 24 + 15 * c, 266, 39 + 15 * c).count, 0) << c;
    }
}

TEST_F(PreviewTest, PickedUpColoursLieInBandsOfASixthOfTheHeight) {
    Write(std::string(kSkins) + "Alpha\\text.bmp", TextImage());
    StartWith({{"SkinFlag", "1"}, {"ColorPick", "1"}, {"Disp1Text", "■■■■"}, {"NFontSize", "-12"}}, "Alpha");
    EXPECT_EQ(page->preview().pickBackColor(), kTextBackground);
    EXPECT_EQ(PreviewPixel(kBetween, 23), kTextBackground) << "the picked background";
    // Band k starts 2k pixels below the line's top; the last one fills the rest of the line.
    for (int k = 1; k <= 5; ++k) {
        const Span band = Find(BandColor(k), 111, 24, 265, 39);
        EXPECT_GT(band.count, 0) << k;
        EXPECT_GE(band.top, 24 + 2 * k) << k;
        EXPECT_LE(band.bottom, k < 5 ? 24 + 2 * k + 2 : 39) << k;
    }
    EXPECT_LE(Find(BandColor(0), 111, 24, 265, 39).bottom, 26);
    EXPECT_EQ(Find(kRed).count, 0);
}

TEST_F(PreviewTest, ASkinNotSetIndividuallyShowsTheDefaultLookOverItsOwnImage) {
    StoreLook("(Default)", {{"DispSw", "2"}});
    auto skins = Skins();
    skins.WriteString("Alpha", "Disp1Text", "own");
    skins.WriteString("Alpha", "Skin", "1");
    Start("Alpha");
    EXPECT_EQ(PreviewPixel(0, 0), MainPixel(0, 0, 0x11));
    EXPECT_EQ(PreviewPixel(150, 69), kFrame) << "the default's three lines";
    EXPECT_GT(Find(kRed, 108, 54, 266, 69).count, 0);
    EXPECT_EQ(PreviewPixel(150, 70), MainPixel(150, 70, 0x11));
}

TEST_F(PreviewTest, TheMenuMarkFollowsItsBoxInItsColour) {
    StartWith({{"LumoraColor", std::to_string(kBlue)}});
    menuMark.SetText("");
    EXPECT_EQ(Find(kBlue).count, 0);
    menuMark.SetText("■");
    const Span mark = Find(kBlue);
    EXPECT_GE(mark.left, 240);
    EXPECT_LE(mark.left, 242);
    EXPECT_GE(mark.top, 95);
    // The box shows the composed picture.
    EXPECT_EQ(static_cast<sim::SimPaintBox&>(*page->PaintBox1).surface().pixels(), previewImage().pixels());
}

TEST_F(PreviewTest, WithoutMainBmpTheDefaultPictureAndThenTheLastOneStays) {
    AddSkin("Bare", -1);
    StartWith({}, "Alpha");
    EXPECT_EQ(PreviewPixel(0, 0), MainPixel(0, 0, 0x11));
    static_cast<sim::SimListBox&>(*page->ListBox1).Choose("Bare");
    EXPECT_EQ(PreviewPixel(0, 0), MainPixel(0, 0, 0x77));
    machine.files().Delete(std::string(kProgramFolder) + "default.bmp");
    static_cast<sim::SimListBox&>(*page->ListBox1).Choose("(Default)");
    EXPECT_EQ(PreviewPixel(0, 0), MainPixel(0, 0, 0x77));
}

TEST_F(PreviewTest, AMainBmpThatCannotBeReadNeverLeavesTheSkinBeforeOnShow) {
    std::string huge = MainImage(0x22);
    huge.replace(18, 8, std::string("\xA0\x86\x01\x00\xA0\x86\x01\x00", 8));  // 100000 x 100000
    std::string noise(600, 'B');
    std::mt19937 random(7);
    std::generate(noise.begin() + 2, noise.end(), [&] { return static_cast<char>(random()); });
    for (const auto& [name, bytes] : std::map<std::string, std::string>{
             {"Empty", ""}, {"Cut", MainImage(0x22).substr(0, 400)}, {"Noise", noise}, {"Huge", huge}}) {
        AddSkin(name, -1);
        Write(kSkins + name + "\\main.bmp", bytes);
    }
    AddSkin("Folder", -1);
    machine.files().CreateFolder(std::string(kSkins) + "Folder\\main.bmp");
    machine.files().Delete(std::string(kProgramFolder) + "default.bmp");
    StartWith({}, "Alpha");
    for (const char* name : {"Empty", "Cut", "Noise", "Huge", "Folder"}) {
        As<sim::SimListBox>(page->ListBox1).Choose("Alpha");
        As<sim::SimListBox>(page->ListBox1).Choose(name);
        EXPECT_EQ(PreviewPixel(0, 0), 0u) << name;
    }
}

TEST_F(PreviewTest, ASkinFolderNamedDefaultIsNeitherListedAgainNorTheDefaultsPicture) {
    AddSkin("(Default)", 0x33);
    StartWith({});
    const auto& items = page->ListBox1->items();
    EXPECT_EQ(std::count(items.begin(), items.end(), "(Default)"), 1);
    EXPECT_EQ(PreviewPixel(0, 0), MainPixel(0, 0, 0x77));
}

TEST_F(PreviewTest, ASkinKeptAsAnArchiveIsListedAndPreviewedFromIt) {
    Write(std::string(kSkins) + "Boxed.zip", ZipBytes({Deflated("Boxed/main.bmp", MainImage(0x22))}));
    Write(std::string(kSkins) + "notes.txt", "not a skin");
    machine.files().CreateFolder(std::string(kSkins) + "Folder.wsz");
    StartWith({}, "Alpha");
    const auto& items = page->ListBox1->items();
    EXPECT_EQ(std::count(items.begin(), items.end(), "Boxed.zip"), 1);
    EXPECT_EQ(std::count(items.begin(), items.end(), "notes.txt"), 0);
    static_cast<sim::SimListBox&>(*page->ListBox1).Choose("Boxed.zip");
    EXPECT_EQ(PreviewPixel(0, 0), MainPixel(0, 0, 0x22));
    static_cast<sim::SimListBox&>(*page->ListBox1).Choose("Folder.wsz");
    EXPECT_EQ(PreviewPixel(0, 0), MainPixel(0, 0, 0x77)) << "a folder so named is no archive";
}

}  // namespace
}  // namespace sorabell::testing
