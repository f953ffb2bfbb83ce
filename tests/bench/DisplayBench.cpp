// The display program's work per tick and per song change, on the simulated platform.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "display/Lyrics.h"
#include "display/Tlumora.h"
#include "platform/sim/SimGraphics.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimToolkit.h"
#include "settings/RegIniFile.h"
#include "sim/TempFolder.h"
#include "support/Id3v2Builder.h"
#include "support/SkinImages.h"
#include "support/TagFixtures.h"

namespace sorabell::bench {
namespace {

constexpr const char* kWinamp = "C:\\Winamp\\";
constexpr int kPlayListLines = 100000;

// The 2 KB ID3v2.3 tag most MP3 files begin with: its texts, then padding.
std::string SongTag() {
    std::string frames = testing::Id3v2Frame(3, "TIT2", testing::FrameText(0, "Title")) +
                         testing::Id3v2Frame(3, "TPE1", testing::FrameText(0, "Artist")) +
                         testing::Id3v2Frame(3, "TCON", testing::FrameText(0, "(17)"));
    frames.resize(2048 - 10, '\0');
    return testing::Id3v2Bytes(3, frames);
}

// A display program following a player window whose answers cost nothing: the play list file
// is written once, so that only the display's own work is measured.
class Stage {
public:
    explicit Stage(int lineMode, bool doubleSize) {
        auto& files = machine_.files();
        files.CreateFolder("C:\\Winamp");
        files.CreateFolder("C:\\Winamp\\Skins");
        files.CreateFolder("C:\\Winamp\\Skins\\Base");
        files.CreateFolder("C:\\Music");
        platform::WriteWholeFile(files, "C:\\Winamp\\Skins\\Base\\main.bmp", testing::MainImage());
        platform::WriteWholeFile(
            files, "C:\\Music\\song.mp3",
            SongTag() + testing::MpegPayload(1000) + testing::Id3Block("Title", "Artist", "Album"));
        std::string playList;
        for (int i = 0; i < kPlayListLines; ++i) {
            playList += "C:\\Music\\song.mp3\r\n";
        }
        platform::WriteWholeFile(files, std::string(kWinamp) + "WINAMP.M3U", playList);
        machine_.iniFiles().WriteString(std::string(kWinamp) + "WINAMP.INI", "Winamp", "skin", "Base");
        settings::TRegIniFile root(machine_.registry(), settings::kRootPath);
        root.WriteString("Option", "Winamp", kWinamp);
        settings::TRegIniFile skins(machine_.registry(), settings::kSkinsPath);
        skins.WriteInteger("(Default)", "DispSw", lineMode);
        skins.WriteBool("(Default)", "Skin", true);
        skins.WriteString("(Default)", "Disp2Text", "%3 - %4 ～ %5 ～ %6");
        skins.WriteString("(Default)", "Disp3Text", "%7.%9 in %8");

        sim::SimDesktop::Window player;
        player.className = "Winamp v1.x";
        player.title = "1. Artist - Title - Winamp";
        player.rect = {0, 0, doubleSize ? 550 : 275, doubleSize ? 232 : 116};
        player.handler = [](const platform::WindowMessage& m) -> intptr_t {
            if (m.message != 0x400) {
                return 0;
            }
            switch (m.lParam) {
                case 0:
                    return 0x2090;
                case 120:
                    return kPlayListLines - 1;
                case 105:
                    return m.wParam == 1 ? 245 : 12345;
                default:
                    return 1;
            }
        };
        player_ = machine_.desktop().AddWindow(std::move(player));
        display_ = std::make_unique<display::Tlumora>(program_->platform(), toolkit_, graphics_, hooks_);
        display_->ReadWinampTitle();
    }

    display::Tlumora& display() { return *display_; }
    sim::SimMachine& machine() { return machine_; }
    platform::WindowHandle player() const { return player_; }

private:
    testing::TempFolder temp_;
    sim::SimMachine machine_{temp_.path()};
    std::unique_ptr<sim::SimMachine::Program> program_ = machine_.StartProgram("C:\\Sorabell\\Sorabell.exe");
    sim::SimToolkit toolkit_{&machine_.desktop()};
    sim::SimGraphics graphics_{&machine_.desktop()};
    sim::SimHookLibrary hooks_{&machine_.desktop()};
    platform::WindowHandle player_ = 0;
    std::unique_ptr<display::Tlumora> display_;
};

// A tick when nothing changed: the title is read and compared, nothing is drawn.
void IdleTick(benchmark::State& state) {
    Stage stage(0, false);
    for (auto _ : state) {
        stage.display().Timer1Timer();
    }
}
BENCHMARK(IdleTick);

// The lines drawn off screen (and painted on the player's window, which here has no surface).
void RenderDisplay(benchmark::State& state) {
    Stage stage(static_cast<int>(state.range(0)), state.range(1) == 2);
    stage.display().RenderDisplay();  // the glyphs are cached from here on
    for (auto _ : state) {
        stage.display().RenderDisplay();
    }
    state.SetLabel(std::to_string(state.range(0) + 1) + " line(s), scale " + std::to_string(state.range(1)));
}
BENCHMARK(RenderDisplay)->Args({0, 1})->Args({0, 2})->Args({2, 1})->Args({2, 2});

// The lyrics line of a tick among 2,000 entries.
void LyricsLookup(benchmark::State& state) {
    std::vector<std::string> lines;
    for (int i = 0; i < 2000; ++i) {
        char tag[16];
        std::snprintf(tag, sizeof tag, "[%02d:%02d]", i / 60 % 100, i % 60);
        lines.push_back(tag + std::string("lyric line ") + std::to_string(i));
    }
    const auto entries = display::ParseLyrics(lines);
    int32_t position = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(display::LyricsLineAt(entries, position));
        position = (position + 997) % 6000000;
    }
}
BENCHMARK(LyricsLookup);

// A song change with a 100,000-line play list, and reading that file once as the yardstick.
void TitleChange(benchmark::State& state) {
    Stage stage(2, false);
    int n = 0;
    for (auto _ : state) {
        stage.machine().desktop().SetTitle(stage.player(), (++n % 2 ? "2. A - B - Winamp" : "3. C - D - Winamp"));
        stage.display().ReadWinampTitle();
    }
}
BENCHMARK(TitleChange)->Unit(benchmark::kMillisecond);

void ReadPlayListOnce(benchmark::State& state) {
    Stage stage(0, false);
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::ReadWholeFile(stage.machine().files(), std::string(kWinamp) + "WINAMP.M3U"));
    }
}
BENCHMARK(ReadPlayListOnce)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sorabell::bench

BENCHMARK_MAIN();
