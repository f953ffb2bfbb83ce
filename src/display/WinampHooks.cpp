#include "display/WinampHooks.h"

#include "hook/HookRules.h"

namespace sorabell::display {

WinampHooks::Threads WinampHooks::Wanted(platform::WindowHandle winamp) {
    Threads wanted;
    wanted.main = winamp != 0 ? desktop_.WindowThread(winamp) : 0;
    if (wanted.main == 0) {
        return {};
    }
    // Winamp creates its play list editor on its main thread; a player that does not still has
    // that window's sent messages watched.
    const platform::WindowHandle playList = desktop_.FindTopLevel(hook::kPlayListWindowClass, nullptr);
    const uint32_t playListThread = playList != 0 ? desktop_.WindowThread(playList) : 0;
    wanted.playList = playListThread != wanted.main ? playListThread : 0;
    return wanted;
}

bool WinampHooks::Follow(platform::WindowHandle display, platform::WindowHandle winamp) {
    const Threads wanted = Wanted(winamp);
    if (wanted == inForce_) {
        return false;
    }
    if (wanted.main == 0) {
        // Winamp's thread has ended: its number may soon name a thread of another program.
        library_.sethook(display, 0, 0);
        inForce_ = {};
        refused_ = false;
        return false;
    }
    const uint32_t now = clock_.TickCount();
    if (refused_ && now - triedAt_ < kRetryMs) {
        return false;
    }
    triedAt_ = now;
    refused_ = !library_.sethook(display, wanted.main, wanted.playList);
    inForce_ = refused_ ? Threads{} : wanted;
    return !refused_;
}

void WinampHooks::Free() {
    library_.freehook();
    inForce_ = {};
}

}  // namespace sorabell::display
