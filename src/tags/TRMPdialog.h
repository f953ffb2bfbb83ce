#pragma once
// The tag editor: one file's INFO list and ID3v1 tag, shown one at a time in the same boxes,
// converted into each other, written back by one of four modes, and the file renamed. It keeps
// its options under its own registry key, which is also where it learns the file to edit.

#include <memory>
#include <string>

#include "platform/Platform.h"
#include "platform/Toolkit.h"
#include "tags/TagRecords.h"

namespace sorabell::tags {

class TRMPdialog {
public:
    static constexpr const char* kClassName = "TRMPdialog";
    static constexpr const char* kRegistryKey = "software\\Quillmere\\RMP Dialog";
    static constexpr const char* kVersion = "0.92";

    // Runs FormCreate; the dialog then shows itself without waiting (it is modeless).
    TRMPdialog(platform::Platform& platform, platform::Toolkit& toolkit);
    TRMPdialog(const TRMPdialog&) = delete;
    TRMPdialog& operator=(const TRMPdialog&) = delete;

    platform::Form& form() { return *form_; }
    bool closed() const { return form_->closed(); }
    const std::string& path() const { return path_; }
    const TRMPInfo& info() const { return info_; }
    const TID3Tag& tag() const { return tag_; }

    // The controls, by their names in the form.
    platform::Label* Label12 = nullptr;
    platform::Edit* Edit1 = nullptr;
    platform::Edit* Edit2 = nullptr;
    platform::Edit* Edit3 = nullptr;
    platform::Edit* Edit4 = nullptr;
    platform::Edit* Edit5 = nullptr;
    platform::Edit* Edit6 = nullptr;
    platform::Edit* Edit7 = nullptr;
    platform::Edit* Edit8 = nullptr;
    platform::Edit* Edit9 = nullptr;
    platform::Edit* Edit10 = nullptr;
    platform::Edit* Edit11 = nullptr;
    platform::Edit* Edit12 = nullptr;
    platform::ComboBox* ComboBox1 = nullptr;
    platform::RadioGroup* rg1 = nullptr;
    platform::RadioGroup* rg2 = nullptr;
    platform::RadioGroup* rg3 = nullptr;
    platform::CheckBox* CheckBox1 = nullptr;
    platform::CheckBox* CheckBox2 = nullptr;
    platform::Button* Button1 = nullptr;
    platform::Button* Button2 = nullptr;
    platform::Button* Button3 = nullptr;
    platform::Button* Button4 = nullptr;
    platform::Button* Button5 = nullptr;
    platform::ListBox* glist = nullptr;

private:
    void CreateControls();
    void FormCreate();
    void FormClose();
    void Button1Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void rg3Click();

    bool RmpViewShown() const { return rg3->itemIndex() == 0; }
    void CollectRmp();
    void CollectId3();
    void ShowRmpView();
    void ShowId3View();
    void ShowCurrentView();
    // The name the file is to get, its extension added by rg1's rule; empty when it stays.
    std::string NewFileName() const;
    // A clear refusal for a name that would move the file or that Windows forbids; empty when
    // the name is fine.
    std::string CheckNewName(const std::string& name) const;
    bool WriteTags();

    platform::Platform& platform_;
    platform::Toolkit& toolkit_;
    std::unique_ptr<platform::Form> form_;
    std::string path_;
    TRMPInfo info_;
    TID3Tag tag_;
};

}  // namespace sorabell::tags
