#pragma once
// A stage with a skinned player: the stand-in shows a generated main.bmp, every display line is
// red, and the tests read what the display program paints on the player from the screen.

#include <gtest/gtest.h>

#include <shlobj.h>

#include <fstream>
#include <iterator>

#include "harness/ScreenCapture.h"
#include "harness/StandInDriver.h"
#include "harness/TestFiles.h"
#include "harness/Waits.h"
#include "harness/WindowFinder.h"
#include "platform/win32/Win32Registry.h"
#include "settings/RegIniFile.h"
#include "support/E2eEnvironment.h"
#include "support/SkinImages.h"
#include "support/TagFixtures.h"

namespace sorabell::testing {

inline constexpr TColor kRed = RGBColor(255, 0, 0);
inline constexpr TColor kBlue = RGBColor(0, 0, 255);
// The display's timer interval on this stage.
inline constexpr DWORD kTickMs = 200;

// The settings folder of a Winamp 5 installed per user, "{26}\Sorabell e2e Winamp", made empty
// for a test and removed after the stage has ended its programs.
class PerUserSettings {
public:
    ~PerUserSettings() {
        if (!folder_.empty()) {
            RemoveTree(folder_);
        }
    }
    // The folder, with paths.ini in the player folder naming it and then holding `morePaths`.
    std::string Make(const std::string& playerFolder, const std::string& morePaths) {
        char appData[MAX_PATH] = {};
        EXPECT_TRUE(SUCCEEDED(::SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, appData)));
        folder_ = std::string(appData) + "\\Sorabell e2e Winamp\\";
        RemoveTree(folder_);
        ::CreateDirectoryA(folder_.c_str(), nullptr);
        std::ofstream(playerFolder + "paths.ini", std::ios::binary)
            << "[Winamp]\r\ninidir={26}\\Sorabell e2e Winamp\r\n" + morePaths;
        return folder_;
    }

private:
    std::string folder_;
};

class PlayerStage : public ::testing::Test {
protected:
    PlayerStage() {
        const std::string skins = env_.playerFolder() + "Skins\\";
        ::CreateDirectoryA(skins.c_str(), nullptr);
        ::CreateDirectoryA((skins + "Base").c_str(), nullptr);
        Write(skins + "Base\\main.bmp", MainImage());
        ChooseSkin(env_.playerFolder(), skins, "Base");
        Root().WriteInteger("Option", "TimerSpeed", kTickMs);
        Skin("Disp1Text", "%2");
        Skin("Disp1Color", std::to_string(kRed));
        Skin("Disp2Color", std::to_string(kRed));
        Skin("Disp3Color", std::to_string(kRed));
        music_ = env_.playerFolder() + "Music\\";
        ::CreateDirectoryA(music_.c_str(), nullptr);
    }

    settings::TRegIniFile Root() { return settings::TRegIniFile(registry_, settings::kRootPath); }
    void Skin(const std::string& name, const std::string& value) {
        settings::TRegIniFile(registry_, settings::kSkinsPath).WriteString("(Default)", name, value);
    }
    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string ReadAll(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::string Skins() const { return env_.playerFolder() + "Skins\\Base\\"; }
    std::string Song() const { return music_ + "song.mp3"; }

    // Starts the display and the player, and plays one song whose tag has `title`.
    void StartWith(const std::string& title, const std::string& commands = {}) {
        Write(Song(), MpegPayload(400) + Id3Block(title, "Artist"));
        ASSERT_NE(env_.StartDisplay(""), nullptr);
        player_ = WaitForWindow(kStandInClass);
        ASSERT_NE(player_, nullptr);
        ASSERT_NE(WaitForWindow("Tlumora", "Sorabell"), nullptr);
        ASSERT_TRUE(E2eEnvironment::WaitForHooks());
        if (!commands.empty()) {
            Send(commands);
        }
        const StandInDriver player(player_);
        player.PlayList(0, {Song()});
        player.Title(1, "Artist", title);
    }
    void Send(const std::string& command) { SendPlayerCommand(player_, command); }

    // Waits until the player shows what `ready` looks for, and returns that picture.
    template <class Ready>
    ScreenCapture WaitForScreen(Ready ready, DWORD timeoutMs = 8000) {
        ScreenCapture shot(player_);
        WaitFor(
            [&] {
                shot = ScreenCapture(player_);
                return ready(shot);
            },
            timeoutMs);
        return shot;
    }

    PerUserSettings perUser_;
    E2eEnvironment env_;
    win32::Win32Registry registry_;
    std::string music_;
    HWND player_ = nullptr;
};

}  // namespace sorabell::testing
