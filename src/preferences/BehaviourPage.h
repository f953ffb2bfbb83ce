#pragma once
// The page "動作関係": starting and closing the display program.

#include <string>

#include "platform/Platform.h"
#include "platform/Toolkit.h"

namespace sorabell::preferences {

class BehaviourPage {
public:
    // `programFolder`, ending in "\", is where the display program lies beside this one.
    BehaviourPage(platform::TabSheet& page, platform::Platform& os, std::string programFolder);

    // By its full path: a bare name would be looked up along the search path, where another
    // folder's "Sorabell.Exe" could answer. The display program starts Winamp itself.
    void Button4Click();
    // Only the display program ends; Winamp stays.
    void Button5Click();

    platform::Button* Button4;
    platform::Button* Button5;

private:
    platform::Platform& os_;
    std::string programFolder_;
};

}  // namespace sorabell::preferences
