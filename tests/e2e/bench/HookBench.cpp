// The cost of the hooks, measured under Wine with the shipped programs and the player stand-in:
// a send in another program without the display and beside it, a send inside the player's own
// thread without hooks and with them, and how long a song change takes to show on the player's
// window. It prints its figures; only a stage that cannot be set up fails it.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "support/HookStage.h"

namespace sorabell::testing {
namespace {

constexpr int kSongChanges = 21;
// Sends timed in the player, within its command's five seconds also where every hooked send
// asks the Wine server for the hook chain.
constexpr int kPlayerSends = 500;
constexpr int kOtherRuns = 3;

double MillisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now{};
    LARGE_INTEGER frequency{};
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

class HookBench : public HookStage {
protected:
    // A few runs of the other program, added to `runs`.
    void TimeOtherProgram(std::vector<double>& runs) {
        for (int n = 0; n < kOtherRuns; ++n) {
            runs.push_back(OtherProgramsSend());
        }
    }
    static double Median(std::vector<double> values) {
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    }
    // The player's screen polled every millisecond until `shown` holds; its time from `start`,
    // or -1 after five (scaled) seconds.
    template <class Shown>
    double TimeUntil(const LARGE_INTEGER& start, Shown shown) {
        while (!shown(RedText())) {
            if (MillisecondsSince(start) > Scaled(5000)) {
                return -1;
            }
            ::Sleep(1);
        }
        return MillisecondsSince(start);
    }
    void Report(const char* name, double value, const char* unit) {
        char figure[32];
        std::snprintf(figure, sizeof figure, "%.1f %s", value, unit);
        std::printf("hook bench: %-44s %12s\n", name, figure);
        RecordProperty(name, figure);
    }
};

TEST_F(HookBench, SendCostsAndSongChanges) {
    // Without the display, beside it, beside it again and without it again: a machine busy with
    // something else meanwhile weighs on both sides alike.
    std::vector<double> otherAlone;
    std::vector<double> otherBeside;
    TimeOtherProgram(otherAlone);
    ASSERT_NE(env_.StartPlayer(), nullptr);
    HWND lonePlayer = WaitForWindow(kStandInClass);
    ASSERT_NE(lonePlayer, nullptr);
    const auto playerAlone =
        static_cast<double>(SendPlayerCommand(lonePlayer, "sendcost " + std::to_string(kPlayerSends)));
    SendPlayerCommand(lonePlayer, "quit");
    ASSERT_TRUE(WaitFor([] { return TopLevelWindows(kStandInClass).empty(); }));

    const std::string wide = "MMMMMMMMMMMM";
    const std::string narrow = "ii";
    StartWith(wide);
    ASSERT_TRUE(WaitFor([&] { return RedText() > 20; }));
    TimeOtherProgram(otherBeside);
    const auto playerHooked =
        static_cast<double>(SendPlayerCommand(player_, "sendcost " + std::to_string(kPlayerSends)));

    const std::string narrowSong = music_ + "narrow.mp3";
    Write(narrowSong, MpegPayload(400) + Id3Block(narrow, "Artist"));
    const int half = RedText() / 2;
    const StandInDriver player(player_);
    std::vector<double> changes;
    for (int n = 0; n < kSongChanges; ++n) {
        const bool toNarrow = n % 2 == 0;
        player.PlayList(0, {toNarrow ? narrowSong : Song()});
        LARGE_INTEGER start{};
        ::QueryPerformanceCounter(&start);
        player.Title(n + 2, "Artist", toNarrow ? narrow : wide);
        const double ms = TimeUntil(start, [&](int red) { return toNarrow ? red < half : red > half; });
        ASSERT_GE(ms, 0.0) << "song change " << n << " never showed";
        changes.push_back(ms);
    }
    std::sort(changes.begin(), changes.end());

    TimeOtherProgram(otherBeside);
    ::PostMessageA(::FindWindowA("Tlumora", "Sorabell"), WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([] { return TopLevelWindows("Tlumora").empty(); }));
    TimeOtherProgram(otherAlone);

    Report("other program, send without Sorabell", Median(otherAlone), "ns");
    Report("other program, send with Sorabell", Median(otherBeside), "ns");
    Report("other program, speed with / without", Median(otherAlone) / std::max(Median(otherBeside), 1.0), "x");
    Report("player thread, send without hooks", playerAlone, "ns");
    Report("player thread, send with hooks", playerHooked, "ns");
    Report("song change shown, median", changes[changes.size() / 2], "ms");
    Report("song change shown, fastest", changes.front(), "ms");
    Report("song change shown, slowest", changes.back(), "ms");
}

}  // namespace
}  // namespace sorabell::testing
