#pragma once
// Keeps the hook library's hooks on the threads of Winamp's windows, and on no other: installed
// once Winamp's main window is found, moved when it shows up on another thread (Winamp ended and
// started again), removed while it is gone. A refused install (Winamp running with higher
// rights) is tried again at most once a second and shown to nobody.

#include <cstdint>

#include "platform/Desktop.h"
#include "platform/HookLibrary.h"
#include "platform/Processes.h"

namespace sorabell::display {

class WinampHooks {
public:
    static constexpr uint32_t kRetryMs = 1000;

    WinampHooks(platform::HookLibrary& library, platform::Desktop& desktop, platform::Processes& clock)
        : library_(library), desktop_(desktop), clock_(clock) {}

    // Follows Winamp's main window as found now (0: missing). True when this call installed
    // hooks: what Winamp did before they were in force reached nobody, and is for the caller to
    // read.
    bool Follow(platform::WindowHandle display, platform::WindowHandle winamp);
    // Removes whatever is in force.
    void Free();

    // Winamp's main thread while hooks are in force, else 0.
    uint32_t hookedThread() const { return inForce_.main; }

private:
    struct Threads {
        uint32_t main = 0;
        uint32_t playList = 0;  // 0: none, or the main thread's own
        bool operator==(const Threads&) const = default;
    };

    Threads Wanted(platform::WindowHandle winamp);

    platform::HookLibrary& library_;
    platform::Desktop& desktop_;
    platform::Processes& clock_;
    Threads inForce_;
    bool refused_ = false;
    uint32_t triedAt_ = 0;
};

}  // namespace sorabell::display
