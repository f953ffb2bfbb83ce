// The display page's records: its start and its store into the settings, filling the lists,
// reading a skin's record, making it current and showing it, the enabling rules and the preview.

#include <algorithm>
#include <cstdlib>

#include "platform/Text.h"
#include "preferences/DisplayPage.h"
#include "preferences/SexyFont.h"
#include "skin/SkinImages.h"

namespace sorabell::preferences {

using settings::kDefaultSkinSection;

void DisplayPage::Load(const PreferencesSettings& prefs) {
    skinFolder_ = prefs.skinFolder;
    menuMark_ = prefs.options.Lumora;
    FillFontLists(site_.toolkit.ScreenFontFaces());
    FillSkinList();
    preview_.CreateImages();
    LoadSkinView(kDefaultSkinSection);
    SelectSkinView(prefs.window.SkinName);
}

void DisplayPage::Store(PreferencesSettings& prefs) {
    SelectSkinView(CurrentView->name);
    prefs.skins.clear();
    for (const auto& view : SkinViews) {
        prefs.skins.push_back(*view);
    }
}

void SaveSkinViews(settings::TRegIniFile& skins, const std::vector<TSkinView>& views) {
    for (const TSkinView& view : views) {
        settings::SaveRecord<settings::SkinSettings>(skins, view.name, settings::SkinSchema(),
                                                     settings::Side::Preferences, view);
    }
}

void DisplayPage::FillFontLists(const std::vector<std::string>& faces) {
    std::vector<std::string> horizontal;
    for (const std::string& face : faces) {
        // Faces for vertical writing are offered by their horizontal name only.
        if (!text::StartsWith(face, "@")) {
            horizontal.push_back(face);
        }
    }
    ComboBox1->SetItems(std::move(horizontal));
    ComboBox2->SetItems(ComboBox1->items());
}

const std::vector<std::string>& DisplayPage::fontList() const { return ComboBox1->items(); }

void DisplayPage::FillSkinList() {
    std::vector<std::string> names = {kDefaultSkinSection};
    // Without Winamp there is no skins folder to list.
    if (!skinFolder_.empty()) {
        auto& files = site_.os.files;
        for (const platform::FindEntry& entry : files.Find(skinFolder_ + "*.*")) {
            // "(Default)" is the list's own entry, whose record no skin folder can have.
            if (text::SameText(entry.name, kDefaultSkinSection)) {
                continue;
            }
            if ((entry.attributes & platform::attr::Directory) != 0 && !text::StartsWith(entry.name, ".") &&
                platform::DirectoryExists(files, skinFolder_ + entry.name)) {
                names.push_back(entry.name);
            } else if ((entry.attributes & platform::attr::Directory) == 0 && skin::IsArchiveSkinName(entry.name)) {
                // Skins kept as archives, which the display reads without unpacking them.
                names.push_back(entry.name);
            }
        }
    }
    ListBox1->SetItems(std::move(names));
}

TSkinView& DisplayPage::LoadSkinView(const std::string& name) {
    const settings::TRegIniFile skins(site_.os.registry, settings::kSkinsPath);
    settings::DefaultContext context;
    context.lineEditTexts = {Edit1->text(), Edit2->text(), Edit3->text()};
    auto view = std::make_unique<TSkinView>();
    static_cast<settings::SkinSettings&>(*view) =
        settings::LoadRecord(skins, settings::PreferencesSkinSection(skins, name), settings::SkinSchema(),
                             settings::Side::Preferences, context);
    view->name = name;
    SkinViews.push_back(std::move(view));
    return *SkinViews.back();
}

void DisplayPage::SelectSkinView(const std::string& name) {
    const auto& items = ListBox1->items();
    int index = platform::IndexOfText(items, name);
    if (index < 0) {
        index = platform::IndexOfText(items, kDefaultSkinSection);
    }
    ListBox1->SetItemIndex(index);
    // The list's own spelling names the record, whatever the case of the name asked for.
    const std::string chosen = index >= 0 ? items[static_cast<size_t>(index)] : std::string(kDefaultSkinSection);

    const auto found = std::find_if(SkinViews.rbegin(), SkinViews.rend(),
                                    [&](const std::unique_ptr<TSkinView>& view) { return view->name == chosen; });
    CurrentView = found != SkinViews.rend() ? found->get() : &LoadSkinView(chosen);
    Refresh();
}

void DisplayPage::Refresh() {
    if (preview_.created()) {
        preview_.LoadSkinImages(skinFolder_, CurrentView->name, site_.programFolder);
    }
    DrawPreview();
    ShowRecord();
    CheckBox3Click();
}

void DisplayPage::ShowRecord() {
    const Showing showing(*this);
    const TSkinView& view = *CurrentView;
    CheckBox3->SetChecked(view.SkinFlag);
    const std::array<platform::RadioButton*, 3> radios = {RadioButton1, RadioButton2, RadioButton3};
    for (size_t n = 0; n < radios.size(); ++n) {
        // A line count outside the three checks none.
        radios[n]->SetChecked(view.DispSw == static_cast<int32_t>(n));
    }
    for (size_t n = 0; n < 3; ++n) {
        lineEdits()[n]->SetText(view.Disp[n].Text);
        scrollBoxes()[n]->SetChecked(view.Disp[n].Scroll);
    }
    CheckBox15->SetChecked(view.Skin);
    CheckBox9->SetChecked(view.Color);
    CheckBox17->SetChecked(view.ColorPick);
    CheckBox18->SetChecked(view.ExtTime);
    ComboBox1->SetItemIndex(platform::IndexOfText(ComboBox1->items(), view.NFontName));
    ComboBox4->SetItemIndex(platform::IndexOfText(ComboBox4->items(), std::to_string(std::abs(view.NFontSize))));
    CheckBox4->SetChecked((view.NFontStyle & platform::fontstyle::Bold) != 0);
    CheckBox5->SetChecked((view.NFontStyle & platform::fontstyle::Italic) != 0);
    ComboBox2->SetItemIndex(platform::IndexOfText(ComboBox2->items(), view.DFontName));
    CheckBox6->SetChecked((view.DFontStyle & platform::fontstyle::Bold) != 0);
    CheckBox7->SetChecked((view.DFontStyle & platform::fontstyle::Italic) != 0);
}

bool DisplayPage::IsDefaultView() const { return CurrentView->name == kDefaultSkinSection; }

void DisplayPage::CheckBox3Click() {
    CurrentView->SkinFlag = CheckBox3->checked();
    // "(Default)" is always editable and never set individually.
    const bool isDefault = IsDefaultView();
    CheckBox3->SetEnabled(!isDefault);
    SetEnablings(isDefault || CurrentView->SkinFlag);
    if (isDefault) {
        CurrentView->SkinFlag = false;
    }
    DrawPreview();
}

void DisplayPage::SetEnablings(bool individual) {
    const bool f = individual;
    for (platform::Control* control : std::initializer_list<platform::Control*>{
             CheckBox15, CheckBox4,  CheckBox5,  CheckBox6,  CheckBox7,  RadioButton1, RadioButton2, RadioButton3,
             Edit1,      CheckBox11, CheckBox12, CheckBox13, CheckBox17, CheckBox18,   Button7,      Button8,
             Button14,   Button20,   ComboBox1,  ComboBox2,  ComboBox4,  Memo2,        Button13}) {
        control->SetEnabled(f);
    }
    const bool picked = CheckBox17->checked();
    const bool perLine = CheckBox9->checked();
    const bool skin = CheckBox15->checked();
    Edit2->SetEnabled(f && CurrentView->DispSw >= 1);
    Edit3->SetEnabled(f && CurrentView->DispSw >= 2);
    CheckBox9->SetEnabled(f && !picked);
    Button11->SetEnabled(f && !picked);
    Button15->SetEnabled(f && perLine && !picked);
    Button17->SetEnabled(f && perLine && !picked);
    Button19->SetEnabled(f && !skin && !picked);
    Button12->SetEnabled(f && skin && !picked);
    Button16->SetEnabled(f && perLine && skin && !picked);
    Button18->SetEnabled(f && perLine && skin && !picked);
    Button9->SetEnabled(f && !IsDefaultView() &&
                        skin::SkinImages(site_.os.files, skinFolder_, CurrentView->name).Has(kSexyFontFile));
}

const TSkinView& DisplayPage::EffectiveView() const {
    // A skin not set individually looks as "(Default)" does, over its own image.
    return CurrentView->SkinFlag || SkinViews.empty() ? *CurrentView : *SkinViews.front();
}

void DisplayPage::DrawPreview() {
    if (!preview_.created()) {
        return;
    }
    preview_.Draw(EffectiveView(), menuMark_);
    PaintBox1->Repaint();
}

void DisplayPage::SetMenuMark(const std::string& mark) {
    menuMark_ = mark;
    DrawPreview();
}

std::string DisplayPage::selectedSkinName() const {
    const int index = ListBox1->itemIndex();
    return index >= 0 ? ListBox1->items()[static_cast<size_t>(index)] : std::string();
}

}  // namespace sorabell::preferences
