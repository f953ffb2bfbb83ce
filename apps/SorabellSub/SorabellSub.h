#pragma once
// The hook library's two exports, bound by the display program's import table.

#include <windows.h>

extern "C" {
// Installs the two system-wide hooks; their messages are posted to `display`.
__declspec(dllimport) void sethook(HWND display);
// Removes both hooks.
__declspec(dllimport) void freehook();
}
