#pragma once
// The hook library's two exports as the display program uses them.

#include <cstdint>

#include "platform/Toolkit.h"

namespace sorabell::platform {

class HookLibrary {
public:
    virtual ~HookLibrary() = default;
    // Installs the hooks for Winamp's thread `thread`, and for the play list editor's
    // `playListThread` when that is another one (0: none); their messages are posted to
    // `display`. The hooks in force before are removed first; thread 0 only removes them. False
    // when the system refused: then none is in force.
    virtual bool sethook(WindowHandle display, uint32_t thread, uint32_t playListThread) = 0;
    // Removes the hooks in force.
    virtual void freehook() = 0;
};

}  // namespace sorabell::platform
