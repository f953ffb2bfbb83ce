// Stored values of the wrong kind or out of range, as both programs read them: each is that one
// value missing, and what is written back is in range. From Skin takes in-range colours only.

#include <gtest/gtest.h>

#include "settings/Schema.h"
#include "sim/DisplayPageStage.h"

namespace sorabell::testing {
namespace {

using settings::Side;

class StoredValuesTest : public ::testing::Test, protected DisplayPageStage {
protected:
    // A value as the store holds it: REGEDIT4 data ("dword:", "hex:", "hex(7):"), else a text.
    void Put(const std::string& section, const std::string& name, const std::string& raw) {
        if (raw.rfind("dword:", 0) == 0 || raw.rfind("hex", 0) == 0) {
            machine.registry().ImportText("[HKEY_CURRENT_USER\\" + std::string(settings::kSkinsPath) + "\\" + section +
                                          "]\r\n\"" + name + "\"=" + raw + "\r\n");
        } else {
            Skins().WriteString(section, name, raw);
        }
    }
    // Each value as both sides read it: its text, or "=" for the side's default.
    template <class Record>
    void ExpectRead(std::span<const settings::Setting<Record>> schema,
                    const std::vector<std::array<std::string, 3>>& cases) {
        const auto text = [](const settings::Setting<Record>& setting, Record record) {
            return std::visit(
                [&](auto field) {
                    if constexpr (std::is_same_v<std::decay_t<decltype(field(record))>, std::string>) {
                        return field(record);
                    } else {
                        return std::to_string(field(record));
                    }
                },
                setting.field);
        };
        for (size_t i = 0; i < cases.size(); ++i) {
            const auto& [name, raw, read] = cases[i];
            const auto& setting = settings::FindSetting(schema, name);
            Put("Case" + std::to_string(i), name, raw);
            for (const Side side : {Side::Display, Side::Preferences}) {
                const auto loaded = settings::LoadRecord(Skins(), "Case" + std::to_string(i), schema, side, {});
                EXPECT_EQ(text(setting, loaded),
                          read == "=" ? text(setting, settings::DefaultRecord(schema, side, {})) : read)
                    << name << " = " << raw.substr(0, 20) << (side == Side::Display ? " (display)" : "");
            }
        }
    }
};

TEST_F(StoredValuesTest, AValueOfTheWrongKindOrOutOfRangeIsItsDefaultInBothPrograms) {
    // clang-format off
    ExpectRead(settings::OptionSchema(), {
        {"TimerSpeed", "0", "="}, {"TimerSpeed", "-5", "="}, {"TimerSpeed", "2001", "="}, {"TimerSpeed", "10", "10"},
        {"TimerSpeed", "dword:00000258", "600"}, {"TimerSpeed", "hex:58,02", "="}, {"ScrollDot", "-1", "="},
        {"ScrollDot", "1000", "="}, {"ScrollDot", "160", "160"}, {"Lumora", std::string(10000, 'm'), "="},
        {"Lumora", "", "="}, {"Lumora", "■", "■"}, {"Lumora", "hex(7):41,00,00", "="}, {"FontCh", "hex:01", "="},
        {"WinampFontSize", "-100000", "="}, {"WinampFontSize", "1000", "1000"}, {"WinampFontStyle", "16", "="}});
    ExpectRead(settings::SkinSchema(), {
        {"DispSw", "7", "="}, {"DispSw", "-1", "="}, {"DispSw", "2", "2"}, {"Disp1Color", "-1", "="},
        {"Disp2SColor", "16777216", "="}, {"BGColor", "16777215", "16777215"}, {"LumoraColor", "dword:ffffffff", "="},
        {"NFontSize", "-100000", "="}, {"NFontSize", "0", "="}, {"NFontSize", "-1000", "-1000"},
        {"DFontSize", "-2000", "-2000"}, {"DFontSize", "2001", "="}, {"NFontName", "", "="},
        {"DFontName", std::string(32, 'F'), "="}, {"Disp1Text", "dword:00000005", "="}, {"Disp1Text", "hex:25,32", "="},
        {"Disp2Text", "hex(7):25,00,00", "="}, {"Disp3Text", "", ""}, {"SkinFlag", "hex:01", "="}});
    // clang-format on
    auto wild = settings::DefaultRecord(settings::SkinSchema(), Side::Preferences, {});
    wild.BGColor = -1;
    wild.NFontSize = -100000;
    auto skins = Skins();
    settings::SaveRecord(skins, "Wild", settings::SkinSchema(), Side::Preferences, wild);
    EXPECT_EQ(skins.ReadString("Wild", "BGColor", ""), "263170");
    EXPECT_EQ(skins.ReadString("Wild", "NFontSize", ""), "-12");
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
