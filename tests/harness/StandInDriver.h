#pragma once
// The player stand-in of the tests (standin.exe beside the test programs): laid out in a player
// folder as WINAMP.EXE, started, and driven with its WM_COPYDATA commands (see its Execute).

#include <windows.h>

#include <string>
#include <vector>

#include "harness/OwnedProcess.h"

namespace sorabell::testing {

inline constexpr const char* kStandInClass = "Winamp v1.x";

// Copies the stand-in into a player folder (ending in a backslash) as WINAMP.EXE.
void InstallStandIn(const std::string& playerFolder);
// Has the player's WINAMP.INI name its skins folder and the skin it shows.
void ChooseSkin(const std::string& playerFolder, const std::string& skinsFolder, const std::string& skin);
// Runs the stand-in installed in a player folder, in that folder.
OwnedProcess StartStandIn(const std::string& playerFolder);
// The main window of that stand-in once it shows; null after the limit.
HWND WaitForStandInWindow(const OwnedProcess& standIn, DWORD limitMs = 10000);

// Sends one command to a running stand-in and returns its answer once it has been carried out
// (TRUE, or what the command measured).
LRESULT SendPlayerCommand(HWND player, const std::string& command);

// The commands a song change is made of, on a running stand-in's main window.
class StandInDriver {
public:
    explicit StandInDriver(HWND player) : player_(player) {}

    void Send(const std::string& command) const { SendPlayerCommand(player_, command); }
    // Whether it answers a query: it has finished starting and is not stuck.
    bool Answers() const;
    // The play list, `index` its current entry from 0; the stand-in writes it when asked.
    void PlayList(int index, const std::vector<std::string>& files) const;
    // The window title the player shows for a song: "3. Artist - Title - Winamp".
    void Title(int track, const std::string& artist, const std::string& title) const;
    void Position(int milliseconds) const { Send("position " + std::to_string(milliseconds)); }
    void Length(int seconds) const { Send("length " + std::to_string(seconds)); }

private:
    HWND player_;
};

}  // namespace sorabell::testing
