// sendcost.exe: a plain GUI program of the desktop, unrelated to Winamp. It makes a window,
// takes its messages once as every such program does, then prints the nanoseconds one
// SendMessage to its own window costs it: whatever hooks the desktop puts into its thread show.

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "support/SendCost.h"

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 20000;
    const sorabell::testing::OwnWindow own;
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::DispatchMessageA(&msg);
    }
    std::printf("%.0f\n", sorabell::testing::SendNanoseconds(own.window(), count > 0 ? count : 20000));
    return 0;
}
