#pragma once
// The page "ディスプレイ設定" of the preferences window: the skins on the left, the Winamp
// preview on the right, and below them the settings of the skin being edited. Each skin has a
// record of its own, kept for the whole run; every control writes its value into the current
// record at once, and the form's Update writes all records to the store.

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Graphics.h"
#include "platform/Platform.h"
#include "platform/Toolkit.h"
#include "platform/Widgets.h"
#include "preferences/Page.h"
#include "preferences/Preview.h"
#include "settings/RegIniFile.h"
#include "settings/Schema.h"

namespace sorabell::preferences {

class DisplayPage {
public:
    // Builds the page's controls on `page`.
    DisplayPage(platform::TabSheet& page, const PageSite& site);
    DisplayPage(const DisplayPage&) = delete;
    DisplayPage& operator=(const DisplayPage&) = delete;

    // The page's start: the skins folder and the menu mark kept, the font lists filled with the
    // screen's faces, the skin list with "(Default)" and every folder of the skins folder, the
    // preview's images made, the "(Default)" record read, then the window's skin selected.
    void Load(const PreferencesSettings& prefs);
    // The current skin selected again, then every record whole into the settings, in the order
    // read; SaveSkinViews writes them to the store.
    void Store(PreferencesSettings& prefs);

    const std::string& skinFolder() const { return skinFolder_; }
    // The normal font list's items, for the form's own font list.
    const std::vector<std::string>& fontList() const;
    // The menu mark the preview shows, as the basic page's box has it; redraws.
    void SetMenuMark(const std::string& mark);

    // Makes the skin's record current (reading it the first time) and shows it; a name the
    // skin list does not hold selects "(Default)".
    void SelectSkinView(const std::string& name);
    // The enabling rules for the current record; redraws the preview.
    void CheckBox3Click();
    // Composes the preview off screen and shows it.
    void DrawPreview();

    // The skin list's selected entry; empty without one.
    std::string selectedSkinName() const;
    const std::vector<std::unique_ptr<TSkinView>>& skinViews() const { return SkinViews; }
    const TSkinView& currentView() const { return *CurrentView; }
    WinampPreview& preview() { return preview_; }

    // The handlers, as the controls run them.
    void ListBox1Click();
    void RadioButton1Click() { SetLineMode(0); }
    void RadioButton2Click() { SetLineMode(1); }
    void RadioButton3Click() { SetLineMode(2); }
    void Edit1Change() { TakeLineText(0); }
    void Edit2Change() { TakeLineText(1); }
    void Edit3Change() { TakeLineText(2); }
    void CheckBox11Click() { TakeScroll(0); }
    void CheckBox12Click() { TakeScroll(1); }
    void CheckBox13Click() { TakeScroll(2); }
    void Button11Click() { ChooseColor(CurrentView->Disp[0].Color); }
    void Button15Click() { ChooseColor(CurrentView->Disp[1].Color); }
    void Button17Click() { ChooseColor(CurrentView->Disp[2].Color); }
    void Button12Click() { ChooseColor(CurrentView->Disp[0].SColor); }
    void Button16Click() { ChooseColor(CurrentView->Disp[1].SColor); }
    void Button18Click() { ChooseColor(CurrentView->Disp[2].SColor); }
    void Button19Click() { ChooseColor(CurrentView->BGColor); }
    void Button20Click() { ChooseColor(CurrentView->LumoraColor); }
    void CheckBox9Click();
    void CheckBox15Click();
    void CheckBox17Click();
    void CheckBox18Click();
    void ComboBox1Change();
    void ComboBox4Change();
    void ComboBox2Change();
    void CheckBox4Click() { TakeStyleBit(CurrentView->NFontStyle, platform::fontstyle::Bold, *CheckBox4, true); }
    void CheckBox5Click() { TakeStyleBit(CurrentView->NFontStyle, platform::fontstyle::Italic, *CheckBox5, true); }
    void CheckBox6Click() { TakeStyleBit(CurrentView->DFontStyle, platform::fontstyle::Bold, *CheckBox6, false); }
    void CheckBox7Click() { TakeStyleBit(CurrentView->DFontStyle, platform::fontstyle::Italic, *CheckBox7, false); }
    // "色をWinamp標準に戻す": Winamp's own colours, shown at the next redraw.
    void Button7Click();
    // "From Skin": the colours of the skin's text.bmp, over the skin's image, picked up.
    void Button14Click();
    // "From Default": the "(Default)" record's values under the current skin's name.
    void Button8Click();
    // "From sexyfont.ini": the font and colours of the skin's font overlay settings.
    void Button9Click();

    // The controls, with the system's names.
    platform::ListBox* ListBox1 = nullptr;
    platform::CheckBox* CheckBox3 = nullptr;
    platform::PaintBox* PaintBox1 = nullptr;
    platform::Button* Button13 = nullptr;    // "To sexyfont.ini", hidden, without an action
    platform::Button* Button9 = nullptr;     // "From sexyfont.ini"
    platform::Button* ButtonDone = nullptr;  // "個別設定完了♪", hidden, without an action
    platform::PageControl* PageControl2 = nullptr;
    platform::RadioButton* RadioButton1 = nullptr;
    platform::RadioButton* RadioButton2 = nullptr;
    platform::RadioButton* RadioButton3 = nullptr;
    platform::Edit* Edit1 = nullptr;
    platform::Edit* Edit2 = nullptr;
    platform::Edit* Edit3 = nullptr;
    platform::CheckBox* CheckBox11 = nullptr;
    platform::CheckBox* CheckBox12 = nullptr;
    platform::CheckBox* CheckBox13 = nullptr;
    platform::Button* Button11 = nullptr;
    platform::Button* Button15 = nullptr;
    platform::Button* Button17 = nullptr;
    platform::Button* Button12 = nullptr;
    platform::Button* Button16 = nullptr;
    platform::Button* Button18 = nullptr;
    platform::Memo* Memo2 = nullptr;
    platform::ComboBox* ComboBox1 = nullptr;
    platform::ComboBox* ComboBox4 = nullptr;
    platform::CheckBox* CheckBox4 = nullptr;
    platform::CheckBox* CheckBox5 = nullptr;
    platform::ComboBox* ComboBox2 = nullptr;
    platform::CheckBox* CheckBox6 = nullptr;
    platform::CheckBox* CheckBox7 = nullptr;
    platform::CheckBox* CheckBox9 = nullptr;
    platform::CheckBox* CheckBox15 = nullptr;
    platform::CheckBox* CheckBox18 = nullptr;
    platform::CheckBox* CheckBox17 = nullptr;
    platform::Button* Button19 = nullptr;
    platform::Button* Button20 = nullptr;
    platform::Button* Button7 = nullptr;
    platform::Button* Button14 = nullptr;
    platform::Button* Button8 = nullptr;

private:
    // While it lives, controls take values without their handlers running: showing a record
    // writes nothing into it.
    class Showing {
    public:
        explicit Showing(DisplayPage& page) : page_(page), was_(page.showing_) { page.showing_ = true; }
        ~Showing() { page_.showing_ = was_; }
        Showing(const Showing&) = delete;
        Showing& operator=(const Showing&) = delete;

    private:
        DisplayPage& page_;
        bool was_;
    };

    // The screen's faces without the vertical ones ("@..."): the normal font list sorted, the
    // double font list in the same order.
    void FillFontLists(const std::vector<std::string>& faces);
    void FillSkinList();
    // Reads a skin's record from the store and keeps it; the defaults of the line texts are
    // the line boxes' current texts.
    TSkinView& LoadSkinView(const std::string& name);

    void BuildControls(platform::TabSheet& page);
    void BuildLines(platform::TabSheet& tab);
    void BuildFonts(platform::TabSheet& tab);
    void BuildSwitches(platform::TabSheet& tab);
    void WireHandlers();
    // A control's handler, left out while values are being shown.
    std::function<void()> Handler(std::function<void()> handler);
    // The current skin's images reloaded, the preview redrawn, the record shown, the enabling
    // rules run: what a selection does once the record is current.
    void Refresh();
    void ShowRecord();
    void SetLineMode(int32_t lineMode);
    void TakeLineText(int line);
    void TakeScroll(int line);
    void TakeStyleBit(int32_t& style, int bit, const platform::CheckBox& box, bool redraw);
    void SetEnablings(bool individual);
    // The colour dialog opened on `color`; OK stores the chosen one. Redraws either way.
    void ChooseColor(TColor& color);
    bool IsDefaultView() const;
    const TSkinView& EffectiveView() const;
    std::array<platform::Edit*, 3> lineEdits() const { return {Edit1, Edit2, Edit3}; }
    std::array<platform::CheckBox*, 3> scrollBoxes() const { return {CheckBox11, CheckBox12, CheckBox13}; }

    PageSite site_;
    WinampPreview preview_;
    std::string skinFolder_;
    std::string menuMark_;
    std::vector<std::unique_ptr<TSkinView>> SkinViews;
    // Blank until the first skin is selected, and in no list.
    TSkinView blankView_;
    TSkinView* CurrentView = &blankView_;
    bool showing_ = false;
};

// Each record whole to the section of its name, in the given order.
void SaveSkinViews(settings::TRegIniFile& skins, const std::vector<TSkinView>& views);

}  // namespace sorabell::preferences
