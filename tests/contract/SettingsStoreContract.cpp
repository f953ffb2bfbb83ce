#include "contract/ContractEnvironment.h"
#include "settings/RegIniFile.h"
#include "settings/Schema.h"

namespace sorabell::testing {
namespace {

using namespace settings;
using platform::RegistryRoot;
using platform::RegistryValue;

class SettingsStore : public ContractTest {
protected:
    TRegIniFile Root() { return TRegIniFile(os().registry, registryPath()); }
    TRegIniFile Skins() { return TRegIniFile(os().registry, registryPath() + "\\Skins"); }
    std::optional<RegistryValue> Raw(const std::string& section, const std::string& name) {
        return os().registry.ReadValue(RegistryRoot::CurrentUser, registryPath() + "\\" + section, name);
    }
    static DefaultContext Context() {
        DefaultContext context;
        context.programFolder = "C:\\Program Files\\Sorabell\\";
        context.currentFontName = "ＭＳ Ｐゴシック";
        context.currentDoubleFontName = "ＭＳ 明朝";
        context.lineEditTexts = {"%0. %1 - %2 %a", "～ %5 ～", "Sorabell"};
        context.centredTop = 141;
        context.centredLeft = 265;
        return context;
    }
};

TEST_F(SettingsStore, AnEmptyStoreReadsTheDisplayDefaults) {
    const auto option = LoadRecord(Root(), "Option", OptionSchema(), Side::Display, Context());
    EXPECT_EQ(option.TimerSpeed, 400);
    EXPECT_EQ(option.ScrollDot, 6);
    EXPECT_EQ(option.Lumora, "♪");
    EXPECT_EQ(option.LyricsFolder, "C:\\Program Files\\Sorabell\\");
    EXPECT_EQ(option.Winamp, "C:\\Program Files\\Sorabell\\");
    EXPECT_EQ(option.Versewright, "( 未設定 )");
    EXPECT_EQ(option.Kettle, "( 未設定 )");
    EXPECT_FALSE(option.FontCh);
    EXPECT_FALSE(option.RandomSkin);
    EXPECT_EQ(option.WinampFontName, "ＭＳ ゴシック");
    EXPECT_EQ(option.WinampFontSize, -12);
    EXPECT_EQ(option.WinampFontStyle, 0);
    EXPECT_FALSE(option.Remain);

    const auto skin = LoadRecord(Skins(), "(Default)", SkinSchema(), Side::Display, Context());
    EXPECT_FALSE(skin.SkinFlag);
    EXPECT_EQ(skin.DispSw, 0);
    EXPECT_EQ(skin.Disp[0].Text, "%0. %1 - %2 %A");
    EXPECT_EQ(skin.Disp[1].Text, "～ %5 ～");
    EXPECT_EQ(skin.Disp[2].Text, std::string("Sorabell ") + kVersionMark);
    for (const auto& line : skin.Disp) {
        EXPECT_FALSE(line.Scroll);
        EXPECT_EQ(line.Color, 0x00C400);
        EXPECT_EQ(line.SColor, 263170);
    }
    EXPECT_EQ(skin.BGColor, 263170);
    EXPECT_EQ(skin.LumoraColor, 3166400);
    EXPECT_EQ(skin.NFontName, "ＭＳ Ｐゴシック");  // the display's current fonts
    EXPECT_EQ(skin.DFontName, "ＭＳ 明朝");
    EXPECT_EQ(skin.NFontSize, -12);
    EXPECT_EQ(skin.DFontSize, -24);
    EXPECT_EQ(skin.NFontStyle, 0);
}

TEST_F(SettingsStore, AnEmptyStoreReadsThePreferencesDefaults) {
    const auto option = LoadRecord(Root(), "Option", OptionSchema(), Side::Preferences, Context());
    EXPECT_EQ(option.WinampFontName, "ＭＳ Ｐゴシック");
    EXPECT_EQ(option.Winamp, "C:\\Program Files\\Sorabell\\");

    const auto skin = LoadRecord(Skins(), "(Default)", SkinSchema(), Side::Preferences, Context());
    EXPECT_EQ(skin.Disp[0].Text, "%0. %1 - %2 %a");  // the form's own texts
    EXPECT_EQ(skin.Disp[2].Text, "Sorabell");
    EXPECT_EQ(skin.NFontName, "ＭＳ ゴシック");
    EXPECT_EQ(skin.DFontSize, -24);

    const auto window = LoadRecord(Root(), "Window", WindowSchema(), Side::Preferences, Context());
    EXPECT_EQ(window.Top, 141);
    EXPECT_EQ(window.Left, 265);
    EXPECT_EQ(window.Page, 0);
    EXPECT_EQ(window.SkinName, "(Default)");
    for (const auto& slot : window.CustomColors) {
        EXPECT_EQ(slot, "FFFFFFFF");
    }
}

TEST_F(SettingsStore, TheDefaultsOfTheTablesAreWhatAnEmptyStoreReads) {
    for (const Side side : {Side::Display, Side::Preferences}) {
        const auto loaded = LoadRecord(Skins(), "(Default)", SkinSchema(), side, Context());
        const auto expected = DefaultRecord(SkinSchema(), side, Context());
        EXPECT_EQ(loaded.Disp[1].Text, expected.Disp[1].Text);
        EXPECT_EQ(loaded.NFontName, expected.NFontName);
        EXPECT_EQ(loaded.LumoraColor, expected.LumoraColor);
    }
}

TEST_F(SettingsStore, IntegersAndBooleansAreStoredAsDecimalText) {
    auto store = Root();
    store.WriteInteger("Option", "TimerSpeed", 200);
    store.WriteInteger("Option", "WinampFontSize", -16);
    store.WriteBool("Option", "FontCh", true);
    store.WriteBool("Option", "RandomSkin", false);
    EXPECT_EQ(Raw("Option", "TimerSpeed")->kind, RegistryValue::Kind::String);
    EXPECT_EQ(Raw("Option", "TimerSpeed")->text, "200");
    EXPECT_EQ(Raw("Option", "WinampFontSize")->text, "-16");
    EXPECT_EQ(Raw("Option", "FontCh")->text, "1");
    EXPECT_EQ(Raw("Option", "RandomSkin")->text, "0");
    EXPECT_EQ(store.ReadInteger("Option", "TimerSpeed", 400), 200);
    EXPECT_TRUE(store.ReadBool("Option", "FontCh", false));
    EXPECT_FALSE(store.ReadBool("Option", "RandomSkin", true));
}

TEST_F(SettingsStore, ValuesWrittenByOthersReadByTheirKind) {
    auto& reg = os().registry;
    const std::string key = registryPath() + "\\Option";
    reg.WriteString(RegistryRoot::CurrentUser, key, "Text400", "400");
    reg.WriteString(RegistryRoot::CurrentUser, key, "Garbage", "fast");
    reg.WriteString(RegistryRoot::CurrentUser, key, "Two", "2");
    reg.WriteString(RegistryRoot::CurrentUser, key, "Empty", "");
    reg.WriteDWord(RegistryRoot::CurrentUser, key, "DWord", 600);
    reg.WriteDWord(RegistryRoot::CurrentUser, key, "DWordZero", 0);
    const auto store = Root();
    EXPECT_EQ(store.ReadInteger("Option", "Text400", 1), 400);
    EXPECT_EQ(store.ReadInteger("Option", "Garbage", 400), 400);
    EXPECT_EQ(store.ReadInteger("Option", "Empty", 6), 6);
    EXPECT_EQ(store.ReadInteger("Option", "DWord", 400), 600);
    EXPECT_TRUE(store.ReadBool("Option", "Two", false));
    EXPECT_TRUE(store.ReadBool("Option", "Garbage", true));
    EXPECT_FALSE(store.ReadBool("Option", "Garbage", false));
    EXPECT_FALSE(store.ReadBool("Option", "DWordZero", true));
    EXPECT_EQ(store.ReadString("Option", "DWord", "def"), "def");
    EXPECT_EQ(store.ReadString("Option", "Empty", "def"), "");
    EXPECT_EQ(store.ReadString("Nowhere", "Anything", "def"), "def");
}

TEST_F(SettingsStore, RecordsRoundTripWhole) {
    SkinSettings skin = DefaultRecord(SkinSchema(), Side::Preferences, Context());
    skin.SkinFlag = true;
    skin.DispSw = 2;
    skin.Disp[2] = {"%B", true, 0x123456, 0x654321};
    skin.ColorPick = true;
    skin.BGColor = 0xFFFFFF;
    skin.NFontName = "ＭＳ 明朝";
    skin.DFontStyle = 3;
    auto skins = Skins();
    SaveRecord(skins, "My Skin", SkinSchema(), Side::Preferences, skin);
    const auto back = LoadRecord(Skins(), "My Skin", SkinSchema(), Side::Display, Context());
    EXPECT_TRUE(back.SkinFlag);
    EXPECT_EQ(back.DispSw, 2);
    EXPECT_EQ(back.Disp[2].Text, "%B");
    EXPECT_TRUE(back.Disp[2].Scroll);
    EXPECT_EQ(back.Disp[2].Color, 0x123456);
    EXPECT_EQ(back.Disp[2].SColor, 0x654321);
    EXPECT_EQ(back.Disp[0].Text, "%0. %1 - %2 %a");
    EXPECT_TRUE(back.ColorPick);
    EXPECT_EQ(back.BGColor, 0xFFFFFF);
    EXPECT_EQ(back.NFontName, "ＭＳ 明朝");
    EXPECT_EQ(back.DFontStyle, 3);

    WindowSettings window = DefaultRecord(WindowSchema(), Side::Preferences, Context());
    window.CustomColors[15] = "00FF00";
    window.Page = 1;
    auto root = Root();
    SaveRecord(root, "Window", WindowSchema(), Side::Preferences, window);
    EXPECT_EQ(Raw("Window", "ColorP")->text, "00FF00");
    EXPECT_EQ(Raw("Window", "ColorA")->text, "FFFFFFFF");
    EXPECT_EQ(LoadRecord(Root(), "Window", WindowSchema(), Side::Preferences, Context()).Page, 1);
}

TEST_F(SettingsStore, ThePreferencesNeverWriteRemain) {
    auto root = Root();
    OptionSettings remain;
    remain.Remain = true;
    SaveValue(root, "Option", FindSetting(OptionSchema(), "Remain"), Side::Display, remain);
    auto option = DefaultRecord(OptionSchema(), Side::Preferences, Context());
    option.TimerSpeed = 800;
    SaveRecord(root, "Option", OptionSchema(), Side::Preferences, option);
    EXPECT_EQ(Raw("Option", "TimerSpeed")->text, "800");
    EXPECT_EQ(Raw("Option", "Remain")->text, "1");
    EXPECT_TRUE(LoadRecord(Root(), "Option", OptionSchema(), Side::Display, Context()).Remain);
}

TEST_F(SettingsStore, TheDisplayUsesASkinsOwnSectionOnlyWhenItIsSetIndividually) {
    auto skins = Skins();
    EXPECT_EQ(DisplaySkinSection(skins, ""), "(Default)");
    EXPECT_EQ(DisplaySkinSection(skins, "Unknown"), "(Default)");

    skins.WriteString("Half", "NFontName", "ＭＳ ゴシック");  // no SkinFlag
    EXPECT_EQ(DisplaySkinSection(skins, "Half"), "(Default)");
    skins.WriteBool("Flagged", "SkinFlag", true);  // the font names read as their defaults
    EXPECT_EQ(DisplaySkinSection(skins, "Flagged"), "Flagged");
    skins.WriteString("Own", "NFontName", "ＭＳ ゴシック");
    skins.WriteBool("Own", "SkinFlag", true);
    EXPECT_EQ(DisplaySkinSection(skins, "Own"), "Own");
    skins.WriteBool("Own", "SkinFlag", false);
    EXPECT_EQ(DisplaySkinSection(skins, "Own"), "(Default)");
}

TEST_F(SettingsStore, ThePreferencesReadASkinFromDefaultUntilItHasARecordOfItsOwn) {
    auto skins = Skins();
    skins.WriteString("Some Values", "NFontName", "x");
    EXPECT_EQ(PreferencesSkinSection(skins, "Some Values"), "(Default)");
    skins.WriteBool("Some Values", "SkinFlag", false);
    EXPECT_EQ(PreferencesSkinSection(skins, "Some Values"), "Some Values");
    skins.WriteString("Cleared", "Disp1Text", "");
    EXPECT_EQ(PreferencesSkinSection(skins, "Cleared"), "Cleared");
    os().registry.WriteDWord(RegistryRoot::CurrentUser, registryPath() + "\\Skins\\Number", "Disp1Text", 5);
    EXPECT_EQ(PreferencesSkinSection(skins, "Number"), "Number");
}

TEST_F(SettingsStore, SectionNamesMayHoldABackslash) {
    auto root = Root();
    root.WriteString("Skins\\Winamp3 Classic", "NFontName", "A");
    EXPECT_EQ(Skins().ReadString("Winamp3 Classic", "NFontName", ""), "A");
    EXPECT_TRUE(os().registry.KeyExists(RegistryRoot::CurrentUser, registryPath() + "\\Skins\\Winamp3 Classic"));
}

TEST_F(SettingsStore, TheUpdateOrderIsTheTableOrder) {
    const std::vector<std::string> expected = {
        "SkinFlag",    "DispSw",     "Disp1Text",   "Disp1Scroll", "Disp1Color",  "Disp1SColor", "Disp2Text",
        "Disp2Scroll", "Disp2Color", "Disp2SColor", "Disp3Text",   "Disp3Scroll", "Disp3Color",  "Disp3SColor",
        "Skin",        "Color",      "ExtTime",     "ColorPick",   "BGColor",     "LumoraColor", "NFontName",
        "NFontSize",   "NFontStyle", "DFontName",   "DFontSize",   "DFontStyle"};
    std::vector<std::string> names;
    for (const auto& setting : SkinSchema()) {
        names.push_back(setting.name);
    }
    EXPECT_EQ(names, expected);
}

}  // namespace
}  // namespace sorabell::testing
