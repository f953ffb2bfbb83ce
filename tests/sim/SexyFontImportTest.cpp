// The import from a skin's sexyfont.ini: the plug-in's number texts, its two ways of giving a
// size, its defaults, and a colour that is no number.

#include <gtest/gtest.h>

#include "platform/Errors.h"
#include "preferences/SexyFont.h"
#include "sim/DisplayPageStage.h"
#include "support/ZipBuilder.h"

namespace sorabell::testing {
namespace {

using preferences::PointsToHeight;
using preferences::ReadSexyFontColor;

class SexyFontImportTest : public ::testing::Test, protected DisplayPageStage {
protected:
    static constexpr const char* kIni = "C:\\Winamp\\Skins\\Alpha\\sexyfont.ini";

    SexyFontImportTest() {
        AddSkin("Alpha");
        auto skins = Skins();
        skins.WriteString("Alpha", "Disp1Text", "own");
        skins.WriteBool("Alpha", "SkinFlag", true);
        skins.WriteBool("Alpha", "Color", true);
        skins.WriteBool("Alpha", "Skin", true);
        skins.WriteInteger("Alpha", "Disp2Color", 0x123456);
        skins.WriteInteger("Alpha", "BGColor", 0x654321);
        skins.WriteInteger("Alpha", "Disp1SColor", 0x111111);
    }
    void Ini(const std::string& body) { Write(kIni, "[YunaSoft Font Overlay Plug-In]\r\n" + body); }
    TColor Color(const std::string& body, const std::string& key = "FontColor") {
        Ini(body);
        platform::TIniFile ini(machine.iniFiles(), kIni);
        return ReadSexyFontColor(ini, key, {"00", "$C4", "00"});
    }
    void Import() { static_cast<sim::SimButton&>(*page->Button9).Click(); }
};

TEST_F(SexyFontImportTest, NumbersAreDecimalOrHexadecimalAndPartsKeepTheirLowestByte) {
    EXPECT_EQ(Color("FontColor=0x00FF00\r\n"), 0x00FF00);
    EXPECT_EQ(Color("FontColor=65280\r\n"), 0x00FF00);
    EXPECT_EQ(Color("FontColor=$FF00\r\n"), 0x00FF00);
    EXPECT_EQ(Color("FontColorRed=300\r\nFontColorGreen=0x10\r\nFontColorBlue=-1\r\n"), RGBColor(44, 0x10, 0xFF));
    EXPECT_EQ(Color(""), 0x00C400);
    EXPECT_THROW(Color("FontColorGreen=\r\n"), EConvertError);
    // Half a pixel goes away from zero, either way.
    EXPECT_EQ(PointsToHeight(9, 96), -12);
    EXPECT_EQ(PointsToHeight(1, 108), -2);
    EXPECT_EQ(PointsToHeight(-1, 108), 2);
}

TEST_F(SexyFontImportTest, APixelSizeSetsBothHeightsAndTheStyles) {
    Ini("FontFace=Arial\r\nFontSizeLogical=1\r\nFontSize=20\r\nFontBold=1\r\nFontItalicDouble=2\r\n"
        "BgColor=0x0000FF\r\n");
    Start("Alpha");
    ASSERT_TRUE(page->Button9->visible());
    ASSERT_TRUE(page->Button9->enabled());
    Import();
    EXPECT_EQ(view().NFontName, "Arial");
    EXPECT_EQ(page->ComboBox1->text(), "Arial");
    EXPECT_EQ(view().NFontSize, -20);
    EXPECT_EQ(view().DFontSize, -40);
    EXPECT_EQ(page->ComboBox4->itemIndex(), -1);
    EXPECT_EQ(view().NFontStyle, 1);
    EXPECT_EQ(view().DFontStyle, 2);
    EXPECT_EQ(view().BGColor, 0x0000FF);
    EXPECT_FALSE(view().Color);
    EXPECT_FALSE(view().Skin);
    EXPECT_FALSE(static_cast<sim::SimCheckBox&>(*page->CheckBox15).checked());
    EXPECT_TRUE(page->Button19->enabled()) << "the plain background's colour button, by the enabling rules";
    EXPECT_EQ(view().Disp[0].SColor, 0x111111);
}

TEST_F(SexyFontImportTest, AnArchivedSkinsFileIsImportedFromTheArchive) {
    Write(std::string(kSkins) + "Boxed.wsz",
          ZipBytes({Deflated("Boxed/SexyFont.ini",
                             "[YunaSoft Font Overlay Plug-In]\r\nFontFace=Arial\r\nBgColor=0x0000FF\r\n")}));
    Skins().WriteString("Boxed.wsz", "Disp1Text", "own");
    Skins().WriteBool("Boxed.wsz", "SkinFlag", true);
    Start("Boxed.wsz");
    ASSERT_TRUE(page->Button9->enabled());
    Import();
    EXPECT_EQ(view().NFontName, "Arial");
    EXPECT_EQ(view().BGColor, 0x0000FF);
}

TEST_F(SexyFontImportTest, WithoutTheFileTheImportSetsThePlugInsDefaults) {
    Start("Alpha");
    EXPECT_FALSE(page->Button9->enabled());
    page->Button9Click();
    EXPECT_EQ(view().NFontName, "ＭＳ ゴシック");
    EXPECT_EQ(view().DFontName, "ＭＳ ゴシック");
    EXPECT_EQ(view().NFontSize, -12);
    EXPECT_EQ(page->ComboBox4->text(), "12");
    EXPECT_EQ(view().NFontStyle, 0);
    for (const auto& line : view().Disp) {
        EXPECT_EQ(line.Color, 0x00C400);
    }
    EXPECT_EQ(view().BGColor, 0x020404);
    EXPECT_FALSE(view().Color);
    EXPECT_FALSE(view().Skin);
}

TEST_F(SexyFontImportTest, AColourThatIsNoNumberStopsTheImportAfterTheFonts) {
    Ini("FontFace=Arial\r\nFontSize=12\r\nFontColor=green\r\nBgColor=0\r\n");
    Start("Alpha");
    Import();
    ASSERT_EQ(toolkit.shownMessages.size(), 1u);
    EXPECT_EQ(toolkit.shownMessages[0], "'green' は整数値ではありません");
    EXPECT_EQ(view().NFontName, "Arial");
    EXPECT_EQ(view().NFontSize, -16);
    EXPECT_EQ(view().Disp[1].Color, 0x123456);
    EXPECT_EQ(view().BGColor, 0x654321);
}

TEST_F(SexyFontImportTest, SizesNoFontCanHaveGiveThePlugInsOwnAndMessagesQuoteTheFilesText) {
    // clang-format off
    const std::pair<const char*, int64_t> sizes[] = {
        {"FontSize=2147483647", -12}, {"FontSize=-5", -12}, {"FontSize=-2147483648", -12}, {"FontSize=750", -1000},
        {"FontSize=751", -12}, {"FontSizeLogical=1\r\nFontSize=-2147483648", -12},
        {"FontSizeLogical=1\r\nFontSize=2147483647", -12}, {"FontSizeLogical=1\r\nFontSize=1000", -1000}};
    // clang-format on
    for (const auto& [body, height] : sizes) {
        Ini(std::string(body) + "\r\n");
        platform::TIniFile ini(machine.iniFiles(), kIni);
        EXPECT_EQ(preferences::ReadSexyFontFonts(ini, 96).height, height) << body;
    }
    EXPECT_EQ(Color("FontColor=0x7F00FF00\r\n"), 0x00FF00) << "a whole colour keeps its three bytes";

    std::string huge;
    for (int i = 0; i < (1 << 19); ++i) {
        huge += "表";
    }
    Ini("FontSize=2147483647\r\nFontColor=0x\r\n");
    Start("Alpha");
    Import();
    EXPECT_EQ(view().NFontSize, -12);
    EXPECT_EQ(view().DFontSize, -24);
    Ini("BgColor=" + huge + "a\r\n");
    Import();
    ASSERT_EQ(toolkit.shownMessages.size(), 2u);
    EXPECT_EQ(toolkit.shownMessages[0], "'0x' は整数値ではありません");
    // Forty bytes, then fifteen: the sixteenth from the end is the second byte of a character.
    EXPECT_EQ(toolkit.shownMessages[1],
              "'" + huge.substr(0, 40) + "…" + huge.substr(0, 14) + "a' は整数値ではありません");
}

}  // namespace
}  // namespace sorabell::testing
