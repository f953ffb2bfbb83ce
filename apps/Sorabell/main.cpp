// Sorabell.exe: starts Winamp, refuses a second copy, then lives as the hidden window "Tlumora"
// that receives the hook library's messages until it is closed.

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "SorabellSub/SorabellSub.h"
#include "display/Startup.h"
#include "platform/win32/Win32Platform.h"
#include "settings/RegIniFile.h"

namespace {

using sorabell::settings::TRegIniFile;

constexpr const char* kWindowClass = "Tlumora";
constexpr const char* kCaption = "Sorabell";

struct MainWindowState {
    sorabell::platform::Platform* platform = nullptr;
    bool remain = false;  // the time shows the remaining time
};

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<MainWindowState*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
        case WM_CLOSE: {
            TRegIniFile store(state->platform->registry, sorabell::settings::kRootPath);
            store.WriteBool("Option", "Remain", state->remain);
            freehook();
            ::DestroyWindow(window);
            return 0;
        }
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND CreateMainWindow(HINSTANCE instance, MainWindowState& state) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    if (!::RegisterClassA(&windowClass)) {
        return nullptr;
    }
    // Never shown: the display is painted onto Winamp's window instead.
    HWND window = ::CreateWindowExA(0, kWindowClass, kCaption, WS_POPUP | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                    CW_USEDEFAULT, 259, 148, nullptr, nullptr, instance, nullptr);
    if (window != nullptr) {
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    }
    return window;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    sorabell::win32::Win32Platform system;
    auto& platform = system.platform();
    const std::vector<std::string> arguments(__argv + 1, __argv + __argc);

    const auto instanceMutex = sorabell::display::EnterDisplayProgram(platform, arguments);
    if (!instanceMutex) {
        return 0;
    }

    MainWindowState state;
    state.platform = &platform;
    state.remain = TRegIniFile(platform.registry, sorabell::settings::kRootPath).ReadBool("Option", "Remain", false);
    HWND window = CreateMainWindow(instance, state);
    if (window == nullptr) {
        return 1;
    }
    sethook(window);

    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
