// The display page: which controls a record enables, what the buttons put into the current
// record, and that every skin's record keeps its edits until the store gets them all.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "sim/DisplayPageStage.h"

namespace sorabell::testing {
namespace {

using sim::SimButton;
using sim::SimCheckBox;
using sim::SimComboBox;
using sim::SimEdit;
using sim::SimListBox;
using sim::SimRadioButton;

// A skin's stored values of its own, over what the store gives otherwise.
void StoreSkin(DisplayPageStage& stage, const std::string& skin, const std::map<std::string, std::string>& values) {
    auto skins = stage.Skins();
    skins.WriteString(skin, "Disp1Text", "own %1");
    for (const auto& [name, value] : values) {
        skins.WriteString(skin, name, value);
    }
}

// Every control the enabling rules decide on, by name.
std::map<std::string, platform::Control*> RuledControls(const preferences::DisplayPage& p) {
#define RULED(name) \
    { #name, p.name }
    // clang-format off
    return {RULED(ListBox1), RULED(CheckBox3), RULED(RadioButton1), RULED(RadioButton2), RULED(RadioButton3),
            RULED(Edit1), RULED(Edit2), RULED(Edit3), RULED(CheckBox11), RULED(CheckBox12), RULED(CheckBox13),
            RULED(Button11), RULED(Button15), RULED(Button17), RULED(Button12), RULED(Button16), RULED(Button18),
            RULED(Memo2), RULED(ComboBox1), RULED(ComboBox4), RULED(CheckBox4), RULED(CheckBox5), RULED(ComboBox2),
            RULED(CheckBox6), RULED(CheckBox7), RULED(CheckBox9), RULED(CheckBox15), RULED(CheckBox18),
            RULED(CheckBox17), RULED(Button19), RULED(Button20), RULED(Button7), RULED(Button14), RULED(Button8),
            RULED(Button9)};
    // clang-format on
#undef RULED
}

class DisplayPageTest : public ::testing::Test, protected DisplayPageStage {
protected:
    DisplayPageTest() {
        AddSkin("Alpha", 0x11);
        AddSkin("Beta", 0x22);
    }
    void StoreSkin(const std::string& skin, const std::map<std::string, std::string>& values) {
        testing::StoreSkin(*this, skin, values);
    }
    void Choose(const std::string& skin) { As<SimListBox>(page->ListBox1).Choose(skin); }
};

TEST_F(DisplayPageTest, TheRecordDecidesWhichControlsAreEnabled) {
    struct Case {
        const char* what;
        const char* skin;
        std::map<std::string, std::string> stored;
        bool sexyfont;
        std::set<std::string> disabled;     // the others enabled
        std::set<std::string> onlyEnabled;  // when given: the others disabled
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"a skin not set individually", "Alpha", {{"DispSw", "2"}}, true, {}, {"ListBox1", "CheckBox3"}},
        {"(Default), whatever its stored flag", "(Default)", {{"SkinFlag", "1"}}, false,
         {"CheckBox3", "Edit2", "Edit3", "Button15", "Button17", "Button12", "Button16", "Button18", "Button9"}, {}},
        {"an individual skin with all but the pick-up", "Alpha",
         {{"SkinFlag", "1"}, {"DispSw", "2"}, {"Color", "1"}, {"Skin", "1"}}, true, {"Button19"}, {}},
        {"two lines, own colours, plain background", "Alpha", {{"SkinFlag", "1"}, {"DispSw", "1"}, {"Color", "1"}},
         false, {"Edit3", "Button12", "Button16", "Button18", "Button9"}, {}},
        {"the pick-up takes every colour button but the menu's", "Alpha",
         {{"SkinFlag", "1"}, {"DispSw", "2"}, {"Color", "1"}, {"Skin", "1"}, {"ColorPick", "1"}}, false,
         {"CheckBox9", "Button11", "Button15", "Button17", "Button12", "Button16", "Button18", "Button19", "Button9"}, {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        DisplayPageStage stage;
        stage.AddSkin("Alpha");
        testing::StoreSkin(stage, c.skin, c.stored);
        if (c.sexyfont) {
            stage.Write(std::string(kSkins) + "Alpha\\sexyfont.ini", "[YunaSoft Font Overlay Plug-In]\r\n");
        }
        stage.Start(c.skin);
        for (const auto& [name, control] : RuledControls(*stage.page)) {
            const bool enabled = c.onlyEnabled.empty() ? c.disabled.count(name) == 0 : c.onlyEnabled.count(name) > 0;
            EXPECT_EQ(control->enabled(), enabled) << c.what << ": " << name;
        }
        EXPECT_FALSE(stage.page->skinViews().front()->SkinFlag) << c.what;
    }
}

TEST_F(DisplayPageTest, TickingTheSkinsOwnBoxEnablesItsSettings) {
    Start("Alpha");
    EXPECT_FALSE(page->Edit1->enabled());
    EXPECT_EQ(page->Edit1->text(), "%0. %1 - %2 %a");
    As<SimCheckBox>(page->CheckBox3).Click();
    EXPECT_TRUE(view().SkinFlag);
    EXPECT_TRUE(page->Edit1->enabled());
    As<SimRadioButton>(page->RadioButton2).Click();
    EXPECT_TRUE(page->Edit2->enabled());
    EXPECT_FALSE(page->Edit3->enabled());
    As<SimRadioButton>(page->RadioButton1).Click();
    EXPECT_FALSE(page->Edit2->enabled());
    EXPECT_EQ(view().DispSw, 0);
}

TEST_F(DisplayPageTest, FromSkinWithoutTextBmpGivesWinampsColoursOverThePickedUpSkin) {
    StoreSkin("Alpha", {{"SkinFlag", "1"}, {"Color", "1"}, {"Disp2Color", "255"}, {"BGColor", "255"}});
    Start("Alpha");
    As<SimButton>(page->Button14).Click();
    for (const auto& line : view().Disp) {
        EXPECT_EQ(line.Color, 0x00C400);
        EXPECT_EQ(line.SColor, 0x040402);
    }
    EXPECT_EQ(view().BGColor, 0x040402);
    EXPECT_TRUE(view().Skin);
    EXPECT_TRUE(view().ColorPick);
    EXPECT_FALSE(view().Color) << "the per-line box's own handler ran";
    EXPECT_FALSE(page->Button11->enabled()) << "and so did the enabling rules";
}

TEST_F(DisplayPageTest, FromDefaultCopiesTheDefaultRecordUnderTheSkinsName) {
    StoreSkin("(Default)", {{"DispSw", "1"}, {"NFontSize", "-14"}});
    StoreSkin("Alpha", {{"SkinFlag", "1"}, {"DispSw", "2"}, {"Disp1Text", "alpha"}});
    Start("Alpha");
    As<SimButton>(page->Button8).Click();
    EXPECT_EQ(view().name, "Alpha");
    EXPECT_FALSE(view().SkinFlag);
    EXPECT_FALSE(As<SimCheckBox>(page->CheckBox3).checked());
    EXPECT_FALSE(page->Edit1->enabled());
    EXPECT_EQ(page->Edit1->text(), "own %1");
    EXPECT_EQ(view().DispSw, 1);
    EXPECT_EQ(As<SimComboBox>(page->ComboBox4).text(), "14");

    Choose("(Default)");
    EXPECT_EQ(view().DispSw, 1);
    EXPECT_EQ(view().Disp[0].Text, "own %1");
    EXPECT_EQ(page->skinViews().size(), 2u);
}

TEST_F(DisplayPageTest, FontListsLeaveOutVerticalFacesAndTheSizeSetsBothHeights) {
    Start();
    EXPECT_EQ(page->fontList(), (std::vector<std::string>{"Arial", "ＭＳ Ｐゴシック", "ＭＳ ゴシック"}));
    EXPECT_EQ(page->ComboBox2->items(), page->fontList());
    As<SimComboBox>(page->ComboBox4).Choose("10");
    EXPECT_EQ(view().NFontSize, -10);
    EXPECT_EQ(view().DFontSize, -20);
}

TEST_F(DisplayPageTest, EverySkinKeepsItsEditsUntilAllAreSaved) {
    StoreSkin("Alpha", {{"SkinFlag", "1"}});
    StoreSkin("Beta", {{"SkinFlag", "1"}, {"DispSw", "7"}, {"NFontName", "Gone"}});
    Start("Alpha");
    As<SimEdit>(page->Edit1).Type("edited %2");
    As<SimCheckBox>(page->CheckBox13).Click();

    Choose("Beta");
    EXPECT_EQ(page->Edit1->text(), "own %1");
    // Showing a record writes nothing into it, not even what its controls cannot show; a line
    // count out of range is one line.
    EXPECT_EQ(view().DispSw, 0);
    EXPECT_TRUE(As<SimRadioButton>(page->RadioButton1).checked());
    EXPECT_EQ(view().NFontName, "Gone");
    EXPECT_EQ(page->ComboBox1->itemIndex(), -1);

    Choose("Alpha");
    EXPECT_EQ(page->Edit1->text(), "edited %2");
    EXPECT_TRUE(As<SimCheckBox>(page->CheckBox13).checked());
    EXPECT_EQ(page->skinViews().size(), 3u);

    auto skins = Skins();
    skins.WriteBool("(Default)", "SkinFlag", true);
    preferences::PreferencesSettings prefs;
    page->Store(prefs);
    preferences::SaveSkinViews(skins, prefs.skins);
    EXPECT_EQ(page->selectedSkinName(), "Alpha");
    EXPECT_EQ(skins.ReadString("(Default)", "SkinFlag", ""), "0");
    EXPECT_EQ(skins.ReadString("Alpha", "Disp1Text", ""), "edited %2");
    EXPECT_TRUE(skins.ReadBool("Alpha", "Disp3Scroll", false));
    EXPECT_EQ(skins.ReadString("Beta", "DispSw", ""), "0");
    EXPECT_EQ(skins.ReadString("Beta", "NFontName", ""), "Gone");
    EXPECT_EQ(skins.ReadString("Beta", "DFontStyle", ""), "0") << "every record is written whole";
}

}  // namespace
}  // namespace sorabell::testing
