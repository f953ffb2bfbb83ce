#pragma once
// The page "動作関係": the file associations, the repair of Winamp's options, and starting and
// closing the display program.

#include <functional>
#include <string>

#include "platform/Toolkit.h"
#include "preferences/Page.h"

namespace sorabell::preferences {

class BehaviourPage {
public:
    // The display program lies in the site's program folder, beside this one.
    BehaviourPage(platform::TabSheet& page, const PageSite& site);

    // Answers the Winamp folder as the basic page has it now; the form connects it.
    std::function<std::string()> winampFolder;

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
    PageSite site_;
};

}  // namespace sorabell::preferences
