// The display page's handlers: each control writes its value into the current record at once.

#include <cstdlib>
#include <string>

#include "platform/IniDocument.h"
#include "platform/IniFiles.h"
#include "platform/Text.h"
#include "preferences/DisplayPage.h"
#include "preferences/SexyFont.h"
#include "skin/SkinImages.h"

namespace sorabell::preferences {

void DisplayPage::ListBox1Click() { SelectSkinView(selectedSkinName()); }

void DisplayPage::SetLineMode(int32_t lineMode) {
    CurrentView->DispSw = lineMode;
    Edit2->SetEnabled(lineMode >= 1);
    Edit3->SetEnabled(lineMode >= 2);
    DrawPreview();
}

void DisplayPage::TakeLineText(int line) {
    CurrentView->Disp[static_cast<size_t>(line)].Text = lineEdits()[static_cast<size_t>(line)]->text();
    DrawPreview();
}

void DisplayPage::TakeScroll(int line) {
    CurrentView->Disp[static_cast<size_t>(line)].Scroll = scrollBoxes()[static_cast<size_t>(line)]->checked();
}

void DisplayPage::ChooseColor(TColor& color) {
    site_.colorDialog.SetColor(color);
    if (site_.colorDialog.Execute()) {
        color = site_.colorDialog.color();
    }
    DrawPreview();
}

void DisplayPage::CheckBox9Click() {
    CurrentView->Color = CheckBox9->checked();
    CheckBox3Click();
}

void DisplayPage::CheckBox15Click() {
    CurrentView->Skin = CheckBox15->checked();
    CheckBox3Click();
}

void DisplayPage::CheckBox17Click() {
    CurrentView->ColorPick = CheckBox17->checked();
    CheckBox3Click();
}

void DisplayPage::CheckBox18Click() {
    CurrentView->ExtTime = CheckBox18->checked();
    DrawPreview();
}

void DisplayPage::ComboBox1Change() {
    CurrentView->NFontName = ComboBox1->text();
    DrawPreview();
}

void DisplayPage::ComboBox4Change() {
    // The double-size display always has twice the normal height.
    const int32_t size = text::StrToInt(ComboBox4->text());
    CurrentView->NFontSize = -size;
    CurrentView->DFontSize = -2 * size;
    DrawPreview();
}

void DisplayPage::ComboBox2Change() { CurrentView->DFontName = ComboBox2->text(); }

void DisplayPage::TakeStyleBit(int32_t& style, int bit, const platform::CheckBox& box, bool redraw) {
    style = box.checked() ? (style | bit) : (style & ~bit);
    // Only the normal font is previewed.
    if (redraw) {
        DrawPreview();
    }
}

void DisplayPage::Button7Click() {
    CurrentView->LumoraColor = settings::kMarkColor;
    for (TDisp& line : CurrentView->Disp) {
        line.Color = settings::kTextColor;
        line.SColor = settings::kShadowColor;
    }
    CurrentView->BGColor = settings::kShadowColor;
}

void DisplayPage::Button14Click() {
    for (TDisp& line : CurrentView->Disp) {
        line.Color = preview_.pickColors()[0];
        line.SColor = preview_.pickBackColor();
    }
    CurrentView->BGColor = preview_.pickBackColor();
    // Each box that changes runs its own handler, and through it the enabling rules.
    CheckBox9->SetChecked(false);
    CheckBox15->SetChecked(true);
    CheckBox17->SetChecked(true);
}

void DisplayPage::Button8Click() {
    if (SkinViews.empty()) {
        return;
    }
    // The copy keeps the current record's own name.
    static_cast<settings::SkinSettings&>(*CurrentView) = *SkinViews.front();
    Refresh();
}

void DisplayPage::Button9Click() {
    // An archived skin's file is read from the archive, a folder's as the profile functions read it.
    skin::SkinImages skinFiles(site_.os.files, skinFolder_, selectedSkinName());
    platform::IniText archived(skinFiles.IsArchive() ? skinFiles.Read(kSexyFontFile).value_or("") : "");
    platform::TIniFile ini(skinFiles.IsArchive() ? archived : site_.os.iniFiles,
                           skinFolder_ + selectedSkinName() + "\\" + kSexyFontFile);
    // The plug-in knows one colour for all lines and a plain background only.
    CurrentView->Color = false;
    CurrentView->Skin = false;
    CheckBox9->SetChecked(false);
    CheckBox15->SetChecked(false);

    const SexyFontFonts fonts = ReadSexyFontFonts(ini, site_.graphics.ScreenPixelsPerInch());
    CurrentView->NFontName = fonts.face;
    CurrentView->DFontName = fonts.faceDouble;
    ComboBox1->SetItemIndex(platform::IndexOfText(ComboBox1->items(), fonts.face));
    ComboBox2->SetItemIndex(platform::IndexOfText(ComboBox2->items(), fonts.faceDouble));
    CurrentView->NFontSize = fonts.height;
    CurrentView->DFontSize = 2 * fonts.height;
    ComboBox4->SetItemIndex(platform::IndexOfText(ComboBox4->items(), std::to_string(std::abs(fonts.height))));
    {
        const Showing showing(*this);
        CheckBox4->SetChecked(fonts.bold);
        CheckBox5->SetChecked(fonts.italic);
        CheckBox6->SetChecked(fonts.boldDouble);
        CheckBox7->SetChecked(fonts.italicDouble);
    }
    CheckBox4Click();
    CheckBox5Click();
    CheckBox6Click();
    CheckBox7Click();

    // A colour that is no number ends the import here: the fonts stay taken.
    const TColor text = ReadSexyFontColor(ini, "FontColor", {"00", "$C4", "00"});
    for (TDisp& line : CurrentView->Disp) {
        line.Color = text;
    }
    CurrentView->BGColor = ReadSexyFontColor(ini, "BgColor", {"04", "04", "02"});
    CheckBox3Click();
}

}  // namespace sorabell::preferences
