#include "preferences/WinampPage.h"

#include <cstdlib>

#include "platform/Graphics.h"
#include "platform/Text.h"

namespace sorabell::preferences {

WinampPage::WinampPage(platform::TabSheet& page, const PageSite&) {
    CheckBox10 = &page.AddCheckBox({16, 16, 300, 20}, "Winamp のフォントを変更する");
    ComboBox6 = &page.AddComboBox({36, 44, 200, 20}, platform::ListOrder::AsGiven);
    ComboBox7 = &page.AddComboBox({246, 44, 50, 20}, platform::ListOrder::AsGiven);
    ComboBox7->SetItems({"8", "9", "10", "11", "12", "13", "14", "15", "16"});
    CheckBox1 = &page.AddCheckBox({306, 46, 60, 18}, "Bold");
    CheckBox8 = &page.AddCheckBox({370, 46, 60, 18}, "Italic");
    page.AddLabel({36, 76, 380, 14}, "Winampの各種ダイアログと");
    page.AddLabel({36, 92, 380, 14}, "Winamp1.xのプレイリストのフォントを書き換えます");
    CheckBox16 = &page.AddCheckBox({16, 130, 380, 20}, "Winamp起動時にランダムでSkinを変更する");
    CheckBox10->OnClick = [this] { CheckBox10Click(); };
}

void WinampPage::FillFontList(const std::vector<std::string>& faces) { ComboBox6->SetItems(faces); }

void WinampPage::Load(const PreferencesSettings& prefs) {
    const settings::OptionSettings& options = prefs.options;
    CheckBox10->SetChecked(options.FontCh);
    CheckBox16->SetChecked(options.RandomSkin);
    CheckBox10Click();
    ComboBox6->SetItemIndex(platform::IndexOfText(ComboBox6->items(), options.WinampFontName));
    ComboBox7->SetItemIndex(
        platform::IndexOfText(ComboBox7->items(), std::to_string(std::abs(options.WinampFontSize))));
    CheckBox1->SetChecked((options.WinampFontStyle & platform::fontstyle::Bold) != 0);
    CheckBox8->SetChecked((options.WinampFontStyle & platform::fontstyle::Italic) != 0);
}

void WinampPage::Store(PreferencesSettings& prefs) const {
    settings::OptionSettings& options = prefs.options;
    options.FontCh = CheckBox10->checked();
    options.RandomSkin = CheckBox16->checked();
    if (ComboBox6->itemIndex() >= 0) {
        options.WinampFontName = ComboBox6->text();
    }
    if (ComboBox7->itemIndex() >= 0) {
        options.WinampFontSize = -text::StrToIntDef(ComboBox7->text(), -options.WinampFontSize);
    }
    options.WinampFontStyle = (CheckBox1->checked() ? platform::fontstyle::Bold : 0) |
                              (CheckBox8->checked() ? platform::fontstyle::Italic : 0);
}

void WinampPage::CheckBox10Click() {
    const bool on = CheckBox10->checked();
    for (platform::Control* control :
         {static_cast<platform::Control*>(ComboBox6), static_cast<platform::Control*>(ComboBox7),
          static_cast<platform::Control*>(CheckBox1), static_cast<platform::Control*>(CheckBox8)}) {
        control->SetEnabled(on);
    }
}

}  // namespace sorabell::preferences
