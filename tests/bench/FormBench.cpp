// The preferences window's start with many fonts and skins, and its Update after the user has
// visited many skins, each beside the bare work it cannot avoid, in the same run, on the
// simulated platform.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/sim/SimGraphics.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimToolkit.h"
#include "platform/sim/SimWidgets.h"
#include "preferences/Tlumora_pre.h"
#include "settings/RegIniFile.h"
#include "sim/TempFolder.h"

namespace sorabell::bench {
namespace {

constexpr const char* kWinamp = "C:\\Winamp\\";
constexpr const char* kSkins = "C:\\Winamp\\Skins\\";

struct Machine {
    explicit Machine(int skinCount, int fontCount) {
        for (const char* folder : {"C:\\Sorabell", "C:\\Winamp", "C:\\Winamp\\Skins"}) {
            machine.files().CreateFolder(folder);
        }
        platform::WriteWholeFile(machine.files(), std::string(kWinamp) + "Winamp.Exe", "x");
        machine.iniFiles().WriteString(std::string(kWinamp) + "WINAMP.INI", "Winamp", "SkinDir", kSkins);
        settings::TRegIniFile(machine.registry(), settings::kRootPath).WriteString("Option", "Winamp", kWinamp);
        for (int n = 0; n < skinCount; ++n) {
            machine.files().CreateFolder(kSkins + Name(n));
        }
        std::vector<std::string> faces;
        for (int n = 0; n < fontCount; ++n) {
            faces.push_back((n % 7 == 0 ? "@フォント " : "フォント ") + std::to_string(n));
        }
        toolkit.fontFaces = std::move(faces);
    }
    static std::string Name(int n) { return "スキン " + std::to_string(1000 + n); }
    std::unique_ptr<preferences::Tlumora_pre> Open() {
        return std::make_unique<preferences::Tlumora_pre>(program->platform(), toolkit, graphics);
    }

    testing::TempFolder temp;
    sim::SimMachine machine{temp.path()};
    std::unique_ptr<sim::SimMachine::Program> program =
        machine.StartProgram("C:\\Sorabell\\Sorabell_Preferences.exe");
    sim::SimToolkit toolkit{&machine.desktop()};
    sim::SimGraphics graphics{&machine.desktop()};
};

void FormCreate(benchmark::State& state) {
    Machine m(1000, 500);
    for (auto _ : state) {
        benchmark::DoNotOptimize(m.Open());
    }
}
BENCHMARK(FormCreate)->Unit(benchmark::kMillisecond);

// What any start must do: list the skins folder and enumerate the fonts; with range 1 the
// listing also asks the system whether each entry is a folder, as the skin list does.
void FormCreateFloor(benchmark::State& state) {
    Machine m(1000, 500);
    auto& files = m.machine.files();
    for (auto _ : state) {
        const auto entries = files.Find(std::string(kSkins) + "*.*");
        if (state.range(0) != 0) {
            for (const auto& entry : entries) {
                benchmark::DoNotOptimize(platform::DirectoryExists(files, kSkins + entry.name));
            }
        }
        benchmark::DoNotOptimize(m.toolkit.ScreenFontFaces());
    }
    state.SetLabel(state.range(0) != 0 ? "listing with folder checks" : "bare listing");
}
BENCHMARK(FormCreateFloor)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void UpdateAfterVisits(benchmark::State& state) {
    Machine m(100, 20);
    auto form = m.Open();
    auto& skins = static_cast<sim::SimListBox&>(*form->displayPage().ListBox1);
    for (int n = 0; n < 100; ++n) {
        skins.Choose(Machine::Name(n));
    }
    for (auto _ : state) {
        form->Button3Click();
    }
}
BENCHMARK(UpdateAfterVisits)->Unit(benchmark::kMillisecond);

// The writes Update makes, each opening, writing and freeing its key as the store does.
void UpdateFloor(benchmark::State& state) {
    Machine m(100, 20);
    auto form = m.Open();
    auto& skins = static_cast<sim::SimListBox&>(*form->displayPage().ListBox1);
    for (int n = 0; n < 100; ++n) {
        skins.Choose(Machine::Name(n));
    }
    const auto& views = form->displayPage().skinViews();
    settings::OptionSettings options;
    for (auto _ : state) {
        settings::TRegIniFile root(m.machine.registry(), settings::kRootPath);
        settings::SaveRecord(root, "Option", settings::OptionSchema(), settings::Side::Preferences, options);
        settings::TRegIniFile store(m.machine.registry(), settings::kSkinsPath);
        for (const auto& view : views) {
            settings::SaveRecord<settings::SkinSettings>(store, view->name, settings::SkinSchema(),
                                                         settings::Side::Preferences, *view);
        }
    }
}
BENCHMARK(UpdateFloor)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sorabell::bench

BENCHMARK_MAIN();
