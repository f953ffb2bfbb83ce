// Sorabell.exe: starts Winamp, refuses a second copy, then lives as the hidden form "Tlumora"
// that the hook library's messages drive.

#include <windows.h>

#include <string>
#include <vector>

#include "SorabellSub/SorabellSub.h"
#include "display/Startup.h"
#include "display/Tlumora.h"
#include "platform/win32/Win32Graphics.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32Toolkit.h"

namespace {

// The exports bound by the import table: the program does not start without the library.
class ImportedHookLibrary : public sorabell::platform::HookLibrary {
public:
    bool sethook(sorabell::platform::WindowHandle display, uint32_t thread, uint32_t playListThread) override {
        return ::sethook(reinterpret_cast<HWND>(display), thread, playListThread) != FALSE;
    }
    void freehook() override { ::freehook(); }
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    sorabell::win32::Win32Platform system;
    const std::vector<std::string> arguments(__argv + 1, __argv + __argc);
    const auto instanceMutex = sorabell::display::EnterDisplayProgram(system.platform(), arguments);
    if (!instanceMutex) {
        return 0;
    }

    sorabell::win32::Win32Toolkit toolkit(instance);
    toolkit.SetTitle("Sorabell");
    sorabell::win32::Win32Graphics graphics;
    ImportedHookLibrary hooks;
    sorabell::display::Tlumora form(system.platform(), toolkit, graphics, hooks);
    toolkit.Run();
    return 0;
}
