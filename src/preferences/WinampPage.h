#pragma once
// The page "Winamp 拡張設定": whether the display program puts its own font on Winamp's play
// list and dialogs, and which, and whether Winamp starts with a random skin. The page only
// edits the choices; the display program acts on them.

#include <string>
#include <vector>

#include "platform/Toolkit.h"
#include "preferences/Page.h"

namespace sorabell::preferences {

class WinampPage {
public:
    WinampPage(platform::TabSheet& page, const PageSite& site);

    // The font list as the display page sorted it; filled before Load.
    void FillFontList(const std::vector<std::string>& faces);
    // A list without a selection (a face no longer installed) keeps the stored value.
    void Load(const PreferencesSettings& prefs);
    void Store(PreferencesSettings& prefs) const;

    // The font controls follow the switch; their values stay and are stored all the same.
    void CheckBox10Click();

    platform::CheckBox* CheckBox10;
    platform::ComboBox* ComboBox6;
    platform::ComboBox* ComboBox7;
    platform::CheckBox* CheckBox1;
    platform::CheckBox* CheckBox8;
    platform::CheckBox* CheckBox16;
};

}  // namespace sorabell::preferences
