// The display program's use of GDI objects and memory over many song changes, with the real
// Win32 backend in this process against the player stand-in.

#include <gtest/gtest.h>
#include <windows.h>
// psapi.h needs windows.h first.
#include <psapi.h>

#include <vector>

#include "contract/ContractEnvironment.h"
#include "display/Tlumora.h"
#include "harness/TestFiles.h"
#include "platform/win32/Win32Graphics.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Toolkit.h"
#include "settings/RegIniFile.h"
#include "support/SkinImages.h"
#include "support/TagFixtures.h"

namespace sorabell::testing {
namespace {

class NoHooks : public platform::HookLibrary {
public:
    bool sethook(platform::WindowHandle, uint32_t, uint32_t) override { return false; }
    void freehook() override {}
};

// The process's GDI objects. Wine does not count them (its GetGuiResources is a stub), but it
// hands out object slots from a free list and then from the top of its table: the highest slot
// that many new objects reach rises by every object leaked meanwhile.
uint32_t GdiObjects() {
    if (const DWORD count = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS)) {
        return count;
    }
    std::vector<HBRUSH> brushes;
    uint32_t top = 0;
    for (int i = 0; i < 3000; ++i) {
        HBRUSH brush = ::CreateSolidBrush(RGB(i & 0xFF, 0, 0));
        top = std::max<uint32_t>(top, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(brush) & 0xFFFF));
        brushes.push_back(brush);
    }
    for (HBRUSH brush : brushes) {
        ::DeleteObject(brush);
    }
    return top;
}

size_t PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof counters);
    return counters.PrivateUsage;
}

class DisplayResources : public ContractTest {
protected:
    void SetUp() override {
        WipeSettings();
        auto& files = os().files;
        files.CreateFolder(PathOf("Skins"));
        files.CreateFolder(PathOf("Skins\\Base"));
        platform::WriteWholeFile(files, PathOf("Skins\\Base\\main.bmp"), MainImage());
        platform::WriteWholeFile(files, PathOf("Skins\\Base\\nums_ex.bmp"), NumbersImage(108));
        platform::WriteWholeFile(files, PathOf("Skins\\Base\\text.bmp"), TextImage());
        os().iniFiles.WriteString(PathOf("WINAMP.INI"), "Winamp", "SkinDir", PathOf("Skins\\"));
        os().iniFiles.WriteString(PathOf("WINAMP.INI"), "Winamp", "skin", "Base");
        platform::WriteWholeFile(files, PathOf("a.mp3"), MpegPayload(300) + Id3Block("First song", "Artist"));
        platform::WriteWholeFile(files, PathOf("b.rmp"),
                                 RmpFile(MpegPayload(300), {InfoList({TextChunk("INAM", "二曲目")})}));
        settings::TRegIniFile root(registry_, settings::kRootPath);
        root.WriteString("Option", "Winamp", folder());
        settings::TRegIniFile skins(registry_, settings::kSkinsPath);
        skins.WriteInteger("(Default)", "DispSw", 2);
        skins.WriteBool("(Default)", "Skin", true);
        skins.WriteBool("(Default)", "ExtTime", true);
        skins.WriteBool("(Default)", "ColorPick", true);
        skins.WriteString("(Default)", "Disp3Text", "%B %A");
    }
    void TearDown() override { WipeSettings(); }

    win32::Win32Registry registry_;
};

TEST_F(DisplayResources, AThousandSongChangesLeaveGdiObjectsAndMemoryFlat) {
    auto player = StartPlayer();
    ASSERT_NE(player->main(), 0u);
    player->Command("playlist 0\t" + PathOf("a.mp3") + "\t" + PathOf("b.rmp"));
    player->Command("timer 0");
    win32::Win32Toolkit toolkit(::GetModuleHandleA(nullptr));
    win32::Win32Graphics graphics;
    NoHooks hooks;
    display::Tlumora display(os(), toolkit, graphics, hooks);

    const auto changeSongs = [&](int times) {
        for (int i = 0; i < times; ++i) {
            player->Command(i % 2 ? "playlist 1"
                                    "\t" +
                                        PathOf("a.mp3") + "\t" + PathOf("b.rmp")
                                  : "playlist 0"
                                    "\t" +
                                        PathOf("a.mp3") + "\t" + PathOf("b.rmp"));
            player->Command("title " + std::to_string(i) + ". Artist - Song - Winamp");
            display.ReadWinampTitle();
            display.DrawTime();
        }
    };
    changeSongs(100);
    ASSERT_EQ(display.song().hasInfo || display.song().hasId3, true);
    const uint32_t gdiBefore = GdiObjects();
    const size_t memoryBefore = PrivateBytes();
    changeSongs(900);
    const uint32_t gdiAfter = GdiObjects();
    const size_t memoryAfter = PrivateBytes();
    EXPECT_LE(gdiAfter, gdiBefore + 20) << "GDI objects leak";
    EXPECT_LE(memoryAfter, memoryBefore + 2 * 1024 * 1024) << "memory grows";
    display.form().Close();
}

TEST(WindowCanvas, AWindowThatIsGoneGivesNoCanvas) {
    win32::Win32Graphics graphics;
    HWND window = ::CreateWindowExA(0, "STATIC", "gone", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_NE(graphics.WindowCanvas(reinterpret_cast<platform::WindowHandle>(window)), nullptr);
    ::DestroyWindow(window);
    EXPECT_EQ(graphics.WindowCanvas(reinterpret_cast<platform::WindowHandle>(window)), nullptr);
}

}  // namespace
}  // namespace sorabell::testing
