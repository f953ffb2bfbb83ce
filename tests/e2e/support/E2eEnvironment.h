#pragma once
// The stage of an end-to-end test: the shipped programs copied into a folder whose name holds
// a blank, a player folder (also with a blank) holding the stand-in as WINAMP.EXE, and the
// settings pointing at it. Everything the test started is ended afterwards.

#include <windows.h>

#include <string>
#include <vector>

namespace sorabell::testing {

class E2eEnvironment {
public:
    E2eEnvironment();
    ~E2eEnvironment();
    E2eEnvironment(const E2eEnvironment&) = delete;
    E2eEnvironment& operator=(const E2eEnvironment&) = delete;

    const std::string& programFolder() const { return programFolder_; }
    const std::string& playerFolder() const { return playerFolder_; }

    // Runs the display program from the program folder; the handle of its process.
    HANDLE StartDisplay(const std::string& arguments);
    // Runs the preferences program from the program folder; the handle of its process.
    HANDLE StartPreferences();
    // Runs the stand-in by itself.
    void StartPlayer();
    // The lines the stand-in recorded, one per start.
    std::vector<std::string> PlayerCommandLines() const;

    // Sends a command to the stand-in and waits until it has been carried out.
    static void Send(HWND player, const std::string& command);
    // A real left click at a client position of a window, through the system's input queue; the
    // window is brought to the front first.
    static void Click(HWND window, int x, int y);
    // A real left click at a screen position, whatever lies there (a menu, for one).
    static void ClickAt(POINT screen);
    // Real key strokes: each character as the keyboard's input method delivers it.
    static void Type(const std::wstring& text);
    static void PressKey(WORD virtualKey);
    // Every top-level window of a class (and title, when given).
    static std::vector<HWND> Windows(const char* className, const char* title = nullptr);
    static HWND WaitForWindow(const char* className, const char* title = nullptr, DWORD timeoutMs = 15000);
    // The display's window is there a moment before its hooks are; input sent in between is
    // lost, as it would be for a user.
    static bool WaitForHooks(DWORD timeoutMs = 5000);
    // Closes a window's process: WM_CLOSE first, the hard way after `graceMs`.
    static void EndProcessOf(HWND window, DWORD graceMs = 5000);

private:
    HANDLE StartProgram(const std::string& file, const std::string& arguments);

    std::string root_;
    std::string programFolder_;
    std::string playerFolder_;
    std::vector<HANDLE> processes_;
};

}  // namespace sorabell::testing
