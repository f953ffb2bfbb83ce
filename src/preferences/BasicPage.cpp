#include "preferences/BasicPage.h"

#include <string>

#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace sorabell::preferences {

namespace {

constexpr BasicPage::ProgramRow kWinampRow{"Winamp.Exe", "Winamp.Exe のあるフォルダを指定してください",
                                           "Winamp がみつかりません"};
constexpr BasicPage::ProgramRow kVersewrightRow{"Versewright.Exe", "Versewright.Exe のあるフォルダを指定してください",
                                                "Lumora Versewright がみつかりません"};
constexpr BasicPage::ProgramRow kKettleRow{"Kettle.Exe", "Kettle.Exe のあるフォルダを指定してください",
                                           "Kettle がみつかりません"};
constexpr const char* kLyricsInstruction = "Lyrics File のフォルダを設定してください";

// The folder rows, from this top, one every kRowStep pixels.
constexpr int kFoldersTop = 150;
constexpr int kRowStep = 56;

// The number of a choice list's selection; the stored number when nothing is selected.
int32_t Chosen(const platform::ComboBox& box, int32_t stored) {
    return box.itemIndex() >= 0 ? text::StrToIntDef(box.text(), stored) : stored;
}

void Select(platform::ComboBox& box, int32_t value) {
    box.SetItemIndex(platform::IndexOfText(box.items(), std::to_string(value)));
}

}  // namespace

BasicPage::BasicPage(platform::TabSheet& page, const PageSite& site) : site_(site) {
    page.AddLabel({12, 14, 320, 14}, "タイマー間隔の設定 : Sorabell全体の処理に影響します");
    ComboBox8 = &page.AddComboBox({24, 32, 70, 20}, platform::ListOrder::AsGiven);
    ComboBox8->SetItems({"200", "400", "600", "800"});
    page.AddLabel({100, 35, 30, 14}, "ms");
    page.AddLabel({12, 64, 320, 14}, "スクロール単位 : １回で動くドット数です");
    ComboBox5 = &page.AddComboBox({24, 82, 70, 20}, platform::ListOrder::AsGiven);
    ComboBox5->SetItems({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"});
    page.AddLabel({100, 85, 30, 14}, "dot");
    page.AddLabel({12, 117, 140, 14}, "Sorabellメニューマーク :");
    Edit4 = &page.AddEdit({150, 114, 40, 20});
    Edit4->SetMaxLength(2);
    Edit4->SetText("♪");

    const char* captions[] = {"Winamp のフォルダ", "LyricsFile のフォルダ", "Lumora Versewright のフォルダ",
                              "Kettle のフォルダ"};
    platform::Button** buttons[] = {&BitBtn1, &BitBtn2, &BitBtn3, &BitBtn4};
    for (int row = 0; row < 4; ++row) {
        const int top = kFoldersTop + row * kRowStep;
        page.AddLabel({12, top, 300, 14}, captions[row]);
        *buttons[row] = &page.AddGlyphButton({440, top + 16, 24, 22}, platform::Glyph::Folder);
    }
    PathLabel1 = AddPathLabel(page, kFoldersTop);
    Edit5 = &page.AddEdit({28, kFoldersTop + kRowStep + 17, 401, 20});
    Edit5->SetText("C:\\Program Files\\Winamp\\Lyrics");
    PathLabel2 = AddPathLabel(page, kFoldersTop + 2 * kRowStep);
    PathLabel3 = AddPathLabel(page, kFoldersTop + 3 * kRowStep);
    BitBtn1->OnClick = [this] { BitBtn1Click(); };
    BitBtn2->OnClick = [this] { BitBtn2Click(); };
    BitBtn3->OnClick = [this] { BitBtn3Click(); };
    BitBtn4->OnClick = [this] { BitBtn4Click(); };
    Edit4->OnChange = [this] { Edit4Change(); };
}

// The three path labels share one setting: a path of up to 45 bytes shows whole.
std::unique_ptr<components::TPathLabel> BasicPage::AddPathLabel(platform::TabSheet& page, int top) {
    auto label = std::make_unique<components::TPathLabel>(page.AddLabel({28, top + 20, 401, 16}, settings::kNotSet),
                                                          site_.os.files);
    label->SetMaxLength(45);
    label->SetStyle(components::TStretchStyle::ssDrive);
    label->SetTextCase(components::TTextCase::tcNone);
    label->SetPathSeparator(components::TPathSeparator::psNone);
    label->SetPathType(components::TPathType::ptNone);
    label->SetAutoUpdateHint(false);
    label->SetPath(settings::kNotSet);
    return label;
}

void BasicPage::Load(const PreferencesSettings& prefs) {
    const settings::OptionSettings& options = prefs.options;
    PathLabel1->SetPath(options.Winamp);
    Select(*ComboBox8, options.TimerSpeed);
    Select(*ComboBox5, options.ScrollDot);
    Edit5->SetText(options.LyricsFolder);
    PathLabel2->SetPath(options.Versewright);
    PathLabel3->SetPath(options.Kettle);
    Edit4->SetText(options.Lumora);
}

void BasicPage::Store(PreferencesSettings& prefs) const {
    settings::OptionSettings& options = prefs.options;
    options.TimerSpeed = Chosen(*ComboBox8, options.TimerSpeed);
    options.ScrollDot = Chosen(*ComboBox5, options.ScrollDot);
    options.Lumora = Edit4->text();
    options.LyricsFolder = Edit5->text();
    options.Winamp = PathLabel1->path();
    options.Versewright = PathLabel2->path();
    options.Kettle = PathLabel3->path();
}

void BasicPage::Edit4Change() {
    if (OnMenuMarkChange) {
        OnMenuMarkChange();
    }
}

bool BasicPage::WinampFound() const {
    return platform::FileExists(site_.os.files, PathLabel1->path() + kWinampRow.fileName);
}

void BasicPage::BitBtn1Click() { ChooseProgramFolder(*PathLabel1, kWinampRow); }
void BasicPage::BitBtn3Click() { ChooseProgramFolder(*PathLabel2, kVersewrightRow); }
void BasicPage::BitBtn4Click() { ChooseProgramFolder(*PathLabel3, kKettleRow); }

// An item without a file-system path (the dialog allows one) is taken as a cancel: a folder of
// "\" would stand for the current drive's root.
void BasicPage::ChooseProgramFolder(components::TPathLabel& label, const ProgramRow& row) {
    const std::string old = label.path();
    const std::string start = label.label().caption() == settings::kNotSet ? site_.programFolder : label.path();
    site_.folderDialog.SetDirectory(text::ExcludeTrailingBackslash(start));
    site_.folderDialog.SetText(row.instruction);
    if (!site_.folderDialog.Execute() || site_.folderDialog.Directory().empty()) {
        return;
    }
    const std::string chosen = site_.folderDialog.Directory();
    if (platform::FileExists(site_.os.files, chosen + "\\" + row.fileName)) {
        label.SetPath(chosen + "\\");
    } else {
        site_.toolkit.ShowMessage(row.missing);
        label.SetPath(old);
    }
}

void BasicPage::BitBtn2Click() {
    site_.folderDialog.SetDirectory(text::ExcludeTrailingBackslash(Edit5->text()));
    site_.folderDialog.SetText(kLyricsInstruction);
    if (site_.folderDialog.Execute() && !site_.folderDialog.Directory().empty()) {
        Edit5->SetText(site_.folderDialog.Directory() + "\\");
    }
}

}  // namespace sorabell::preferences
