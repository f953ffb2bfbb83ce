// The three programs as they are shipped: they load, link and start one another.

#include <gtest/gtest.h>

#include <vector>

#include "harness/OwnedProcess.h"
#include "harness/TestFiles.h"
#include "harness/Waits.h"
#include "hook/HookRules.h"
#include "platform/win32/Win32Registry.h"
#include "settings/RegIniFile.h"
#include "win32/HookReceiver.h"

namespace sorabell::testing {
namespace {

using SetHook = BOOL (*)(HWND, DWORD, DWORD);
using FreeHook = void (*)();

HWND MakeWindow(const char* className, const char* title) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    ::RegisterClassA(&windowClass);
    return ::CreateWindowExA(0, className, title, WS_POPUP, 0, 0, 275, 116, nullptr, nullptr, windowClass.hInstance,
                             nullptr);
}

TEST(Programs, TheHookLibraryExportsItsTwoOperationsByName) {
    HMODULE library = ::LoadLibraryA((ProgramFolder() + "SorabellSub.dll").c_str());
    ASSERT_NE(library, nullptr);
    EXPECT_NE(::GetProcAddress(library, "sethook"), nullptr);
    EXPECT_NE(::GetProcAddress(library, "freehook"), nullptr);
    ::FreeLibrary(library);
}

TEST(Programs, TheHooksPostWinampsWindowEventsUntilRemoved) {
    HMODULE library = ::LoadLibraryA((ProgramFolder() + "SorabellSub.dll").c_str());
    ASSERT_NE(library, nullptr);
    const auto sethook = reinterpret_cast<SetHook>(reinterpret_cast<void*>(::GetProcAddress(library, "sethook")));
    const auto freehook = reinterpret_cast<FreeHook>(reinterpret_cast<void*>(::GetProcAddress(library, "freehook")));
    HookReceiver receiver;
    HWND winamp = MakeWindow("Winamp v1.x", "1. Artist - Title - Winamp");
    HWND other = MakeWindow("SorabellTestOther", "other");
    ASSERT_NE(winamp, nullptr);

    EXPECT_TRUE(sethook(receiver.window(), ::GetCurrentThreadId(), 0));
    ::SendMessageA(other, WM_SIZE, 0, 0);
    ::SendMessageA(winamp, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("2. New - Song - Winamp"));
    ::PostMessageA(winamp, WM_LBUTTONUP, 0, MAKELPARAM(245, 100));
    EXPECT_TRUE(WaitFor([&] { return receiver.Has(hook::UM_HOOK_SETTEXT) && receiver.Has(hook::UM_HOOK_LBUTTONUP); }));
    EXPECT_FALSE(receiver.Has(hook::UM_HOOK_SIZE)) << "a message of another window was reported";
    for (const auto& got : receiver.got) {
        if (got.message == hook::UM_HOOK_LBUTTONUP) {
            EXPECT_EQ(LOWORD(got.lParam), 245);
            EXPECT_EQ(HIWORD(got.lParam), 100);
        }
    }

    freehook();
    receiver.got.clear();
    ::SendMessageA(winamp, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("3. After - Free - Winamp"));
    Pause(300);
    EXPECT_FALSE(receiver.Has(hook::UM_HOOK_SETTEXT)) << "the hooks are still installed";

    ::DestroyWindow(winamp);
    ::DestroyWindow(other);
    ::FreeLibrary(library);
}

class ProgramStart : public ::testing::Test {
protected:
    void SetUp() override { WipeSettings(); }
    void TearDown() override {
        if (HWND form = ::FindWindowA("Tlumora_pre", nullptr)) {
            ::PostMessageA(form, WM_CLOSE, 0, 0);
            WaitFor([] { return ::FindWindowA("Tlumora_pre", nullptr) == nullptr; });
        }
        WipeSettings();
    }
    win32::Win32Registry registry_;
};

TEST_F(ProgramStart, WithoutWinampsFolderTheDisplayProgramOpensThePreferences) {
    ASSERT_EQ(RunAndWait("\"" + ProgramFolder() + "Sorabell.exe\" x.mp3"), 0);
    ASSERT_TRUE(WaitFor([] { return ::FindWindowA("Tlumora_pre", "Sorabell - 設定") != nullptr; }))
        << "Sorabell_Preferences.exe did not open its window";
    EXPECT_EQ(::FindWindowA("Tlumora", "Sorabell"), nullptr);

    // A second preferences program ends at once and leaves the first alone.
    EXPECT_EQ(RunAndWait("\"" + ProgramFolder() + "Sorabell_Preferences.exe\"", 10000), 0);
    HWND form = ::FindWindowA("Tlumora_pre", "Sorabell - 設定");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(::FindWindowExA(nullptr, form, "Tlumora_pre", nullptr), nullptr);

    RECT frame{};
    ::GetWindowRect(form, &frame);
    ::PostMessageA(form, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([] { return ::FindWindowA("Tlumora_pre", nullptr) == nullptr; }));
    const settings::TRegIniFile store(registry_, settings::kRootPath);
    EXPECT_EQ(store.ReadInteger("Window", "Top", -999), frame.top);
    EXPECT_EQ(store.ReadInteger("Window", "Left", -999), frame.left);
}

}  // namespace
}  // namespace sorabell::testing
