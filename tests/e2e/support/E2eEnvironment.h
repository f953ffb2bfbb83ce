#pragma once
// The stage of an end-to-end test: the shipped programs copied into a folder whose name holds
// a blank, a player folder (also with a blank) holding the stand-in as WINAMP.EXE, and the
// settings pointing at it. Everything the test started is ended afterwards.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "harness/OwnedProcess.h"
#include "hook/HookRules.h"

namespace sorabell::testing {

class E2eEnvironment {
public:
    E2eEnvironment();
    ~E2eEnvironment();
    E2eEnvironment(const E2eEnvironment&) = delete;
    E2eEnvironment& operator=(const E2eEnvironment&) = delete;

    const std::string& programFolder() const { return programFolder_; }
    const std::string& playerFolder() const { return playerFolder_; }

    // Runs the display program from the program folder; its process, null when it did not start.
    const OwnedProcess* StartDisplay(const std::string& arguments);
    // Runs the preferences program from the program folder; its process, null when it did not start.
    const OwnedProcess* StartPreferences();
    // Runs the stand-in by itself; its process, null when it did not start.
    const OwnedProcess* StartPlayer();
    // Runs a command line as the shell runs one, from this program's folder.
    const OwnedProcess* StartCommand(const std::string& commandLine);
    // The lines the stand-in recorded, one per start.
    std::vector<std::string> PlayerCommandLines() const;

    // The hooks' shared record as it is now; empty while no hook is in force.
    static hook::HookShare HooksInForce();
    // The display's window is there a moment before its hooks are (a tick after the player's
    // window shows); input sent in between is lost, as it would be for a user.
    static bool WaitForHooks(DWORD timeoutMs = 5000);

private:
    const OwnedProcess* Keep(OwnedProcess process);

    std::string root_;
    std::string programFolder_;
    std::string playerFolder_;
    std::vector<std::unique_ptr<OwnedProcess>> processes_;
};

}  // namespace sorabell::testing
