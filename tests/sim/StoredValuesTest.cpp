// Stored values of the wrong kind or out of range, as both programs read them: each is that one
// value missing, a skin keeps its own section, and what the preferences write back is in range.

#include <gtest/gtest.h>

#include <optional>

#include "settings/Schema.h"
#include "sim/DisplayPageStage.h"

namespace sorabell::testing {
namespace {

using settings::Side;

// A value as the store holds it: REGEDIT4 data ("dword:", "hex:", "hex(7):"), else a text.
void Put(DisplayPageStage& stage, const std::string& section, const std::string& name, const std::string& raw) {
    if (raw.rfind("dword:", 0) == 0 || raw.rfind("hex", 0) == 0) {
        stage.machine.registry().ImportText("[HKEY_CURRENT_USER\\" + std::string(settings::kSkinsPath) + "\\" +
                                            section + "]\r\n\"" + name + "\"=" + raw + "\r\n");
    } else {
        stage.Skins().WriteString(section, name, raw);
    }
}

template <class Record>
std::string FieldText(const settings::Setting<Record>& setting, Record& record) {
    return std::visit(
        [&](auto field) {
            const auto& value = field(record);
            if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>) {
                return value;
            } else {
                return std::to_string(static_cast<int64_t>(value));
            }
        },
        setting.field);
}

struct ValueCase {
    const char* name;
    std::string raw;
    std::optional<std::string> read;  // none: the side's default
};

class StoredValuesTest : public ::testing::Test, protected DisplayPageStage {
protected:
    template <class Record>
    void ExpectRead(std::span<const settings::Setting<Record>> schema, const std::vector<ValueCase>& cases) {
        settings::DefaultContext context;
        context.currentFontName = "Arial";
        for (size_t i = 0; i < cases.size(); ++i) {
            const std::string section = "Case" + std::to_string(i);
            Put(*this, section, cases[i].name, cases[i].raw);
            const auto& setting = settings::FindSetting(schema, cases[i].name);
            for (const Side side : {Side::Display, Side::Preferences}) {
                auto loaded = settings::LoadRecord(Skins(), section, schema, side, context);
                auto defaults = settings::DefaultRecord(schema, side, context);
                EXPECT_EQ(FieldText(setting, loaded), cases[i].read.value_or(FieldText(setting, defaults)))
                    << cases[i].name << " = " << cases[i].raw.substr(0, 20)
                    << (side == Side::Display ? " (display)" : "");
            }
        }
    }
};

TEST_F(StoredValuesTest, AValueOfTheWrongKindOrOutOfRangeReadsAsItsDefaultInBothPrograms) {
    ExpectRead(settings::OptionSchema(), {{"TimerSpeed", "0", {}},
                                          {"TimerSpeed", "-5", {}},
                                          {"TimerSpeed", "2001", {}},
                                          {"TimerSpeed", "10", "10"},
                                          {"TimerSpeed", "dword:00000258", "600"},
                                          {"TimerSpeed", "hex:58,02", {}},
                                          {"ScrollDot", "-1", {}},
                                          {"ScrollDot", "1000", {}},
                                          {"ScrollDot", "160", "160"},
                                          {"Lumora", std::string(10000, 'm'), {}},
                                          {"Lumora", "", {}},
                                          {"Lumora", "■", "■"},
                                          {"Lumora", "hex(7):41,00,00", {}},
                                          {"WinampFontSize", "-100000", {}},
                                          {"WinampFontSize", "1000", "1000"},
                                          {"WinampFontStyle", "16", {}},
                                          {"FontCh", "hex:01", {}}});
    ExpectRead(settings::SkinSchema(), {{"DispSw", "7", {}},
                                        {"DispSw", "-1", {}},
                                        {"DispSw", "2", "2"},
                                        {"Disp1Color", "-1", {}},
                                        {"Disp2SColor", "16777216", {}},
                                        {"BGColor", "16777215", "16777215"},
                                        {"LumoraColor", "dword:ffffffff", {}},
                                        {"NFontSize", "-100000", {}},
                                        {"NFontSize", "0", {}},
                                        {"NFontSize", "-1000", "-1000"},
                                        {"DFontSize", "-2000", "-2000"},
                                        {"DFontSize", "2001", {}},
                                        {"NFontName", "", {}},
                                        {"DFontName", std::string(32, 'F'), {}},
                                        {"Disp1Text", "dword:00000005", {}},
                                        {"Disp1Text", "hex:25,32", {}},
                                        {"Disp2Text", "hex(7):25,00,00", {}},
                                        {"Disp3Text", "", ""},
                                        {"SkinFlag", "hex:01", {}}});
}

TEST_F(StoredValuesTest, ASkinKeepsItsOwnSectionWhateverItsFormatHoldsAndTheFlagDecidesForTheDisplay) {
    struct Case {
        std::vector<std::pair<const char*, std::string>> values;
        bool ownForPreferences;
        bool ownForDisplay;
    };
    const std::vector<Case> cases = {{{{"SkinFlag", "1"}, {"Disp1Text", ""}}, true, true},
                                     {{{"SkinFlag", "1"}, {"Disp1Text", "dword:00000005"}}, true, true},
                                     {{{"SkinFlag", "1"}, {"NFontName", ""}}, true, true},
                                     {{{"Disp1Text", "hex:25,32"}}, true, false},
                                     {{{"SkinFlag", "hex(7):31,00,00"}, {"Disp1Text", "%2"}}, true, false},
                                     {{{"NFontName", "x"}, {"BGColor", "255"}}, false, false}};
    for (size_t i = 0; i < cases.size(); ++i) {
        const std::string skin = "Skin" + std::to_string(i);
        for (const auto& [name, raw] : cases[i].values) {
            Put(*this, skin, name, raw);
        }
        EXPECT_EQ(settings::PreferencesSkinSection(Skins(), skin) == skin, cases[i].ownForPreferences) << i;
        EXPECT_EQ(settings::DisplaySkinSection(Skins(), skin) == skin, cases[i].ownForDisplay) << i;
    }
}

TEST_F(StoredValuesTest, UpdateWithoutAChangeWritesBackWhatWasStoredAndAnEmptiedFormatKeepsTheSkinsOwn) {
    AddSkin("Alpha");
    auto record = settings::DefaultRecord(settings::SkinSchema(), Side::Preferences, {});
    record.Disp[0].Text = "%0. %1 - %2 %a";  // the box's text, which a value missing reads as
    record.SkinFlag = true;
    record.BGColor = 0x123456;
    record.Disp[1].Text = "mine";
    auto skins = Skins();
    settings::SaveRecord(skins, "Alpha", settings::SkinSchema(), Side::Preferences, record);
    const auto alpha = [&] {
        const std::string all = machine.registry().ExportText();
        return all.substr(all.find("Skins\\Alpha]"));
    };
    const std::string stored = alpha();
    // The same section again, with two values of the wrong kind in their places.
    machine.registry().DeleteKey(platform::RegistryRoot::CurrentUser, std::string(settings::kSkinsPath) + "\\Alpha");
    for (const auto& setting : settings::SkinSchema()) {
        const std::string name = setting.name;
        if (name == "Disp1Text" || name == "Color") {
            Put(*this, "Alpha", name, name == "Color" ? "hex(7):31,00,00" : "dword:00000005");
        } else {
            settings::SaveValue(skins, "Alpha", setting, Side::Preferences, record);
        }
    }
    const auto save = [&] {
        preferences::PreferencesSettings prefs;
        page->Store(prefs);
        preferences::SaveSkinViews(skins, prefs.skins);
    };
    Start("Alpha");
    EXPECT_TRUE(view().SkinFlag);
    save();
    EXPECT_EQ(alpha(), stored);

    As<sim::SimEdit>(page->Edit1).Type("");
    save();
    Start("Alpha");
    EXPECT_TRUE(view().SkinFlag);
    EXPECT_EQ(view().Disp[0].Text, "");
    EXPECT_EQ(view().BGColor, 0x123456);
}

TEST_F(StoredValuesTest, OutOfRangeValuesAreWrittenAsTheirDefaults) {
    auto record = settings::DefaultRecord(settings::SkinSchema(), Side::Preferences, {});
    record.BGColor = -1;
    record.DispSw = 7;
    record.NFontSize = -100000;
    auto skins = Skins();
    settings::SaveRecord(skins, "Alpha", settings::SkinSchema(), Side::Preferences, record);
    EXPECT_EQ(skins.ReadString("Alpha", "BGColor", ""), "263170");
    EXPECT_EQ(skins.ReadString("Alpha", "DispSw", ""), "0");
    EXPECT_EQ(skins.ReadString("Alpha", "NFontSize", ""), "-12");
}

TEST_F(StoredValuesTest, FromSkinOnATextBmpTooSmallTakesWinampsColourForEveryPixelItLacks) {
    AddSkin("Alpha");
    Write(std::string(kSkins) + "Alpha\\text.bmp", Bmp24(5, 5, [](int, int) { return 0x102030; }));
    Skins().WriteBool("Alpha", "SkinFlag", true);
    Start("Alpha");
    As<sim::SimButton>(page->Button14).Click();
    for (const auto& line : view().Disp) {
        EXPECT_EQ(line.Color, 0x00C400);
        EXPECT_EQ(line.SColor, 0x102030);
    }
    EXPECT_EQ(view().BGColor, 0x102030);
}

}  // namespace
}  // namespace sorabell::testing
