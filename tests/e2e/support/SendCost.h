#pragma once
// What a SendMessage costs a thread: the time of a loop of sends to a window of its own. Every
// call hook installed for the thread, or for every thread of the desktop, lengthens it.

#include <windows.h>

namespace sorabell::testing {

// A hidden window of the calling thread that answers every message at once.
class OwnWindow {
public:
    OwnWindow();
    ~OwnWindow();
    OwnWindow(const OwnWindow&) = delete;
    OwnWindow& operator=(const OwnWindow&) = delete;
    HWND window() const { return window_; }

private:
    HWND window_ = nullptr;
};

// Nanoseconds per SendMessage to `window`, a window of the calling thread: the median of
// `rounds` loops of `count` sends.
double SendNanoseconds(HWND window, int count = 2000, int rounds = 7);

}  // namespace sorabell::testing
