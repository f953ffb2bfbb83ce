#pragma once
// A player stand-in on the backend under test, driven with the stand-in's commands ("title
// <text>", "playlist <index>\t<line>...", "state <n>", "position <ms>", "length <s>",
// "version <n>", "size double|normal", "paint", "timer <ms>", "hang <ms>", ...).

#include <string>

#include "platform/Toolkit.h"

namespace sorabell::testing {

class PlayerControl {
public:
    virtual ~PlayerControl() = default;
    virtual platform::WindowHandle main() const = 0;
    virtual platform::WindowHandle playList() const = 0;
    // The player's folder, ending in "\": its play list files are written there.
    virtual const std::string& folder() const = 0;
    virtual void Command(const std::string& command) = 0;
};

}  // namespace sorabell::testing
