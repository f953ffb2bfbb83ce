#pragma once
// The hook library's two exports as the display program uses them.

#include "platform/Toolkit.h"

namespace sorabell::platform {

class HookLibrary {
public:
    virtual ~HookLibrary() = default;
    // Installs the hooks; their messages are posted to `display`.
    virtual void sethook(WindowHandle display) = 0;
    virtual void freehook() = 0;
};

}  // namespace sorabell::platform
