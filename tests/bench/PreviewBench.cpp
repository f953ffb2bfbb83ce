// The preferences program's preview redraw, as one keystroke in a line's format box runs it, on
// the simulated platform.

#include <benchmark/benchmark.h>

#include <string>

#include "sim/DisplayPageStage.h"

namespace sorabell::bench {
namespace {

// The text typed into line 1's box, one character more or less each time, redraws the preview.
void Keystroke(benchmark::State& state) {
    testing::DisplayPageStage stage;
    stage.AddSkin("Base");
    platform::WriteWholeFile(stage.machine.files(), std::string(stage.kSkins) + "Base\\text.bmp", testing::TextImage());
    auto skins = stage.Skins();
    skins.WriteString("Base", "Disp1Text", "%0. %1 - %2 %a");
    skins.WriteBool("Base", "SkinFlag", true);
    skins.WriteBool("Base", "Skin", state.range(0) != 0);
    skins.WriteBool("Base", "ColorPick", state.range(0) != 0);
    skins.WriteInteger("Base", "DispSw", 2);
    stage.Start("Base");
    auto& edit = static_cast<sim::SimEdit&>(*stage.page->Edit1);
    const std::string texts[2] = {"%0. %1 - %2 %a", "%0. %1 - %2 %a!"};
    edit.Type(texts[1]);  // the glyphs are cached from here on
    int n = 0;
    for (auto _ : state) {
        edit.Type(texts[++n % 2]);
    }
    state.SetLabel(state.range(0) != 0 ? "skin, shadows, colour bands" : "plain background");
}
BENCHMARK(Keystroke)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace sorabell::bench

BENCHMARK_MAIN();
