#pragma once
// The hook library's two exports, bound by the display program's import table.

#include <windows.h>

extern "C" {
// Installs the two hooks for Winamp's thread `thread`, and the call hook also for
// `playListThread` when that is another thread (0: none); their messages are posted to
// `display`. The hooks in force before are removed first, so calling it again moves them; thread 0
// only removes them. FALSE, with no hook in force and nothing shown, when the system refused.
__declspec(dllimport) BOOL sethook(HWND display, DWORD thread, DWORD playListThread);
// Removes the hooks in force.
__declspec(dllimport) void freehook();
}
