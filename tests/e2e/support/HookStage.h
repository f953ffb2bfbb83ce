#pragma once
// A skinned player stage that also times what a send costs another program of the desktop,
// for the tests and the benchmark of where the hooks live.

#include <cstdlib>
#include <string>

#include "harness/OwnedProcess.h"
#include "harness/TestFiles.h"
#include "support/PlayerStage.h"

namespace sorabell::testing {

class HookStage : public PlayerStage {
protected:
    // Nanoseconds per SendMessage in the tests' small program, run now; 0 when it failed.
    double OtherProgramsSend() {
        const ProgramRun run =
            RunCapturing("\"" + ProgramFolder() + "sendcost.exe\" 20000", env_.playerFolder() + "sendcost.txt");
        return run.code == 0 ? std::atof(run.output.c_str()) : 0.0;
    }
    // The red pixels of the first display line on the player.
    int RedText() const { return ScreenCapture(player_).Count(kRed, 109, 24, 266, 36); }
};

}  // namespace sorabell::testing
