#pragma once
// The page "基本設定": the display program's timer interval, scroll step and menu mark, and the
// four folders the system needs besides its own (Winamp's, the lyrics files', Versewright's and
// Kettle's), each chosen with the form's one folder dialog.

#include <memory>
#include <string>

#include "components/FolderDialog.h"
#include "components/PathLabel.h"
#include "platform/Platform.h"
#include "platform/Toolkit.h"
#include "settings/Schema.h"

namespace sorabell::preferences {

class BasicPage {
public:
    // `programFolder` is the preferences program's own, ending in "\".
    BasicPage(platform::TabSheet& page, platform::Platform& os, platform::Toolkit& toolkit,
              components::TFolderDialog& folderDialog, std::string programFolder);

    // The stored options into the controls, and the controls into the options; a choice list
    // without a selection keeps the stored number.
    void ShowTimerAndMark(const settings::OptionSettings& options);
    void ShowFolders(const settings::OptionSettings& options);
    void TakeOptions(settings::OptionSettings& options) const;

    // The program folder choices: the chosen folder is taken only when it holds the program.
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();

    // The Winamp folder holds "Winamp.Exe".
    bool WinampFound() const;
    std::string winampFolder() const { return PathLabel1->path(); }

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

    platform::Platform& os_;
    platform::Toolkit& toolkit_;
    components::TFolderDialog& folderDialog_;
    std::string programFolder_;
};

}  // namespace sorabell::preferences
