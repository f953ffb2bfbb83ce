#pragma once
// The one way the Windows tests and the demo let time pass: a wait for a condition, or a pause
// where the time itself is the point. Both stretch by SORABELL_TEST_TIME_SCALE (1 to 20), for
// machines where the programs run much slower than on one of their own, as under full emulation.
// Only limits grow, so a passing wait ends as soon as before.

#include <windows.h>

namespace sorabell::testing {

// The factor every limit and pause is multiplied by.
DWORD TimeScale();
// A limit in milliseconds as it stands on this machine.
DWORD Scaled(DWORD milliseconds);

// Handles this thread's messages, then waits for the next one or a short poll interval at most.
void Rest();

// Lets `milliseconds` (scaled) pass, handling this thread's messages meanwhile.
void Pause(DWORD milliseconds);

// Waits until `done` holds, handling this thread's messages meanwhile; false when the scaled
// limit passed first.
template <class Condition>
bool WaitFor(Condition done, DWORD limitMs = 10000) {
    const DWORD start = ::GetTickCount();
    const DWORD limit = Scaled(limitMs);
    while (!done()) {
        if (::GetTickCount() - start > limit) {
            return false;
        }
        Rest();
    }
    return true;
}

}  // namespace sorabell::testing
