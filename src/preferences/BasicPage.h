#pragma once
// The page "基本設定": the display program's timer interval, scroll step and menu mark, and the
// four folders the system needs besides its own (Winamp's, the lyrics files', Versewright's and
// Kettle's), each chosen with the form's one folder dialog.

#include <functional>
#include <memory>
#include <string>

#include "components/PathLabel.h"
#include "platform/Toolkit.h"
#include "preferences/Page.h"

namespace sorabell::preferences {

class BasicPage {
public:
    BasicPage(platform::TabSheet& page, const PageSite& site);

    // The options into the controls, and the controls into the options; a choice list without
    // a selection keeps the stored number.
    void Load(const PreferencesSettings& prefs);
    void Store(PreferencesSettings& prefs) const;

    // The program folder choices: the chosen folder is taken only when it holds the program.
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();

    // The menu mark box's text changed; the form passes it on to the display page's preview.
    void Edit4Change();
    std::function<void()> OnMenuMarkChange;

    // The Winamp folder holds "Winamp.Exe".
    bool WinampFound() const;
    std::string winampFolder() const { return PathLabel1->path(); }
    std::string menuMark() const { return Edit4->text(); }

    platform::ComboBox* ComboBox8;
    platform::ComboBox* ComboBox5;
    platform::Edit* Edit4;
    platform::Edit* Edit5;
    std::unique_ptr<components::TPathLabel> PathLabel1;
    std::unique_ptr<components::TPathLabel> PathLabel2;
    std::unique_ptr<components::TPathLabel> PathLabel3;
    platform::Button* BitBtn1;
    platform::Button* BitBtn2;
    platform::Button* BitBtn3;
    platform::Button* BitBtn4;

    // A program folder row: the file looked for, the dialog's instruction, the refusal.
    struct ProgramRow {
        const char* fileName;
        const char* instruction;
        const char* missing;
    };

private:
    void ChooseProgramFolder(components::TPathLabel& label, const ProgramRow& row);
    std::unique_ptr<components::TPathLabel> AddPathLabel(platform::TabSheet& page, int top);

    PageSite site_;
};

}  // namespace sorabell::preferences
