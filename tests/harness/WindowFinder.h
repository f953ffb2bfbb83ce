#pragma once
// Finding the windows of the programs under test, also inside another process.

#include <windows.h>

#include <string>
#include <vector>

namespace sorabell::testing {

// Every top-level window of a class (and title, when given).
std::vector<HWND> TopLevelWindows(const char* className, const char* title = nullptr);
// The first top-level window of a class (and title) once there is one; null after the limit.
HWND WaitForWindow(const char* className, const char* title = nullptr, DWORD limitMs = 15000);

// Every window of a class below `parent`, at any depth, in the order they were made (a form's
// pages, say, are children of its tab control and their controls children of the pages).
std::vector<HWND> ChildWindows(HWND parent, const char* className);
// The first of those whose text is `text`; null when none is.
HWND ChildWithText(HWND parent, const char* className, const std::string& text);

// A window's text, also of a control in another process (GetWindowTextA does not ask those);
// empty when the window does not answer.
std::string TextOf(HWND window);

// What lies at a screen position (class and process), for a failure's message.
std::string DescribeWindowAt(POINT screen);

// Closes a window's process: WM_CLOSE first, the hard way after `graceMs` (scaled).
void EndProcessOf(HWND window, DWORD graceMs = 5000);

}  // namespace sorabell::testing
