#pragma once
// The page "動作関係": the file associations, the repair of Winamp's options, and starting and
// closing the display program.

#include <functional>
#include <string>

#include "platform/Platform.h"
#include "platform/Toolkit.h"

namespace sorabell::preferences {

class BehaviourPage {
public:
    // `programFolder`, ending in "\", is where the display program lies beside this one;
    // `winampFolder` answers the Winamp folder as the basic page has it now.
    BehaviourPage(platform::TabSheet& page, platform::Platform& os, platform::Toolkit& toolkit,
                  std::string programFolder, std::function<std::string()> winampFolder);

    void Button6Click();
    void Button10Click();

    // By its full path: a bare name would be looked up along the search path, where another
    // folder's "Sorabell.Exe" could answer. The display program starts Winamp itself.
    void Button4Click();
    // Only the display program ends; Winamp stays.
    void Button5Click();

    platform::Label* Label3;
    platform::Button* Button6;
    platform::GroupBox* GroupBox2;
    platform::Button* Button10;
    platform::Button* Button4;
    platform::Button* Button5;

private:
    platform::Platform& os_;
    platform::Toolkit& toolkit_;
    std::string programFolder_;
    std::function<std::string()> winampFolder_;
};

}  // namespace sorabell::preferences
