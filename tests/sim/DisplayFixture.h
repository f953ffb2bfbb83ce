#pragma once
// The display program on a simulated machine: a Winamp folder with skins, the player stand-in
// on the desktop, and the display's form driven by the player's events, its timer and pumps.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "display/Tlumora.h"
#include "platform/sim/SimGraphics.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimToolkit.h"
#include "settings/RegIniFile.h"
#include "sim/SimPlayer.h"
#include "sim/TempFolder.h"
#include "support/SkinImages.h"
#include "support/TagFixtures.h"

namespace sorabell::testing {

class DisplayFixture : public ::testing::Test {
protected:
    static constexpr const char* kWinamp = "C:\\Program Files\\Winamp\\";
    static constexpr const char* kSkins = "C:\\Program Files\\Winamp\\Skins\\";
    static constexpr const char* kProgram = "C:\\Program Files\\Sorabell\\Sorabell.exe";

    DisplayFixture() {
        auto& files = machine_.files();
        for (const char* folder : {"C:\\Program Files", "C:\\Program Files\\Winamp", "C:\\Program Files\\Winamp\\Skins",
                                   "C:\\Program Files\\Sorabell", "C:\\Music"}) {
            files.CreateFolder(folder);
        }
        Root().WriteString("Option", "Winamp", kWinamp);
        WinampIni("SkinDir", kSkins);
        WinampIni("skin", "Base");
        AddSkin("Base");
    }
    ~DisplayFixture() override {
        display_.reset();
        player_.reset();
    }

    settings::TRegIniFile Root() { return settings::TRegIniFile(machine_.registry(), settings::kRootPath); }
    settings::TRegIniFile Skins() { return settings::TRegIniFile(machine_.registry(), settings::kSkinsPath); }
    void WinampIni(const std::string& key, const std::string& value) {
        machine_.iniFiles().WriteString(std::string(kWinamp) + "WINAMP.INI", "Winamp", key, value);
    }
    std::string WinampIniValue(const std::string& key) {
        return machine_.iniFiles().ReadString(std::string(kWinamp) + "WINAMP.INI", "Winamp", key, "");
    }
    void Write(const std::string& path, const std::string& bytes) {
        platform::WriteWholeFile(machine_.files(), path, bytes);
    }
    // A skin folder with the images given (a main.bmp by default).
    void AddSkin(const std::string& name, bool withMain = true) {
        machine_.files().CreateFolder(std::string(kSkins) + name);
        if (withMain) {
            Write(std::string(kSkins) + name + "\\main.bmp", MainImage());
        }
    }
    // The skin settings of "(Default)", one value at a time.
    void DefaultSkinValue(const std::string& name, const std::string& value) {
        Skins().WriteString("(Default)", name, value);
    }

    // Winamp runs, then the display program starts.
    void Start() {
        if (!player_) {
            player_ = std::make_unique<SimPlayer>(machine_.desktop(), machine_.files(), kWinamp);
        }
        display_ = std::make_unique<display::Tlumora>(program_->platform(), toolkit_, graphics_, hooks_);
        Pump();
    }
    void Pump() { machine_.desktop().Pump(); }
    // Plays entry `index` of the play list; the player's title changes last, as Winamp's does.
    void Play(const std::vector<std::string>& playList, int index, const std::string& title) {
        std::string command = "playlist " + std::to_string(index);
        for (const std::string& line : playList) {
            command += "\t" + line;
        }
        player_->Command(command);
        player_->Command("title " + title);
        Pump();
    }
    void Tick(int times = 1) {
        auto& timer = static_cast<sim::SimTimer&>(display_->timer());
        for (int i = 0; i < times && !display_->form().closed(); ++i) {
            timer.Fire();
            Pump();
        }
    }
    TColor PlayerPixel(int x, int y) { return player_->surface().canvas().Pixel(x, y); }
    // The player repaints itself, then the display paints over it again.
    void PlayerRepaints() {
        player_->Command("paint");
        Pump();
    }
    const std::string& Line(int n) { return display_->lines()[static_cast<size_t>(n)].text; }

    TempFolder temp_;
    sim::SimMachine machine_{temp_.path()};
    std::unique_ptr<sim::SimMachine::Program> program_ = machine_.StartProgram(kProgram);
    sim::SimToolkit toolkit_{&machine_.desktop()};
    sim::SimGraphics graphics_{&machine_.desktop()};
    sim::SimHookLibrary hooks_{&machine_.desktop()};
    std::unique_ptr<SimPlayer> player_;
    std::unique_ptr<display::Tlumora> display_;
};

}  // namespace sorabell::testing
