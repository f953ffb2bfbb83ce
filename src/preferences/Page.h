#pragma once
// What every page of the preferences window is made with, and the settings record the pages
// share. A page is built as `XPage(platform::TabSheet& page, const PageSite& site)`; a page with
// settings of its own moves them into its controls with `Load(const PreferencesSettings&)` and
// back with `Store(PreferencesSettings&)`. Only the form reads and writes the store, except that
// the display page reads each skin's record when it first needs it.

#include <string>
#include <vector>

#include "components/FolderDialog.h"
#include "platform/Graphics.h"
#include "platform/Platform.h"
#include "platform/Toolkit.h"
#include "settings/Schema.h"

namespace sorabell::preferences {

struct PageSite {
    platform::Platform& os;
    platform::Toolkit& toolkit;
    platform::Graphics& graphics;
    // The form's colour dialog, full-open, its sixteen custom colours kept by the form.
    platform::ColorDialog& colorDialog;
    components::TFolderDialog& folderDialog;
    // The preferences program's own folder, ending in "\".
    std::string programFolder;
};

// One skin's display settings, named by its skin folder or "(Default)".
struct TSkinView : settings::SkinSettings {
    std::string name;
};
using TDisp = settings::LineSettings;

struct PreferencesSettings {
    settings::WindowSettings window;
    settings::OptionSettings options;
    // Winamp's skins folder, ending in "\"; empty when Winamp was not found.
    std::string skinFolder;
    // The display page's records, in the order it read them.
    std::vector<TSkinView> skins;
};

}  // namespace sorabell::preferences
