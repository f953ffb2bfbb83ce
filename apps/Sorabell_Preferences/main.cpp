// Sorabell_Preferences.exe: the preferences program on the real Windows services.

#include <windows.h>

#include "platform/win32/Win32Graphics.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32Toolkit.h"
#include "preferences/Tlumora_pre.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    sorabell::win32::Win32Platform system;
    sorabell::win32::Win32Toolkit toolkit(instance);
    sorabell::win32::Win32Graphics graphics;
    return sorabell::preferences::RunPreferences(system.platform(), toolkit, graphics);
}
