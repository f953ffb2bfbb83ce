#pragma once
// The display page on a simulated machine, started as the preferences form starts it: with a
// skins folder, the menu mark and the stored skin name.

#include <memory>
#include <string>

#include "components/FolderDialog.h"
#include "platform/sim/SimGraphics.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimToolkit.h"
#include "preferences/DisplayPage.h"
#include "settings/RegIniFile.h"
#include "sim/TempFolder.h"
#include "support/SkinImages.h"

namespace sorabell::testing {

class DisplayPageStage {
public:
    static constexpr const char* kSkins = "C:\\Winamp\\Skins\\";
    static constexpr const char* kProgramFolder = "C:\\Sorabell\\";

    DisplayPageStage() {
        for (const char* folder : {"C:\\Winamp", "C:\\Winamp\\Skins", "C:\\Sorabell"}) {
            machine.files().CreateFolder(folder);
        }
        toolkit.fontFaces = std::vector<std::string>{"ＭＳ ゴシック", "@ＭＳ ゴシック", "Arial", "ＭＳ Ｐゴシック"};
        menuMark.SetText("♪");
        // As the form passes the basic page's Edit4Change on.
        menuMark.OnChange = [this] {
            if (page) {
                page->SetMenuMark(menuMark.text());
            }
        };
    }

    // A skin folder, with a main.bmp whose blue marks the skin unless `blue` is negative.
    void AddSkin(const std::string& name, int blue = 0x40) {
        machine.files().CreateFolder(kSkins + name);
        if (blue >= 0) {
            Write(kSkins + name + "\\main.bmp", MainImage(blue));
        }
    }
    void Write(const std::string& path, const std::string& bytes) {
        platform::WriteWholeFile(machine.files(), path, bytes);
    }
    settings::TRegIniFile Skins() { return settings::TRegIniFile(machine.registry(), settings::kSkinsPath); }

    // The form's start for the page, with `selected` as the stored skin name.
    void Start(const std::string& selected = "(Default)") {
        page = std::make_unique<preferences::DisplayPage>(
            form->AddPageControl({4, 4, 486, 446}, {"基本設定", "ディスプレイ設定"}).page(1),
            preferences::PageSite{program->platform(), toolkit, graphics, *colorDialog, folderDialog, kProgramFolder});
        preferences::PreferencesSettings prefs;
        prefs.window.SkinName = selected;
        prefs.options.Lumora = menuMark.text();
        prefs.skinFolder = kSkins;
        page->Load(prefs);
    }

    const preferences::TSkinView& view() const { return page->currentView(); }
    sim::SimBitmap& previewImage() { return static_cast<sim::SimBitmap&>(page->preview().previewImage()); }
    TColor PreviewPixel(int x, int y) { return previewImage().At(x, y); }
    template <class Sim, class Control>
    static Sim& As(Control* control) {
        return static_cast<Sim&>(*control);
    }

    TempFolder temp;
    sim::SimMachine machine{temp.path()};
    std::unique_ptr<sim::SimMachine::Program> program =
        machine.StartProgram(std::string(kProgramFolder) + "Sorabell_Preferences.exe");
    sim::SimToolkit toolkit;
    sim::SimGraphics graphics;
    std::unique_ptr<platform::Form> form = toolkit.CreateForm({"Tlumora_pre", "Sorabell - 設定", 494, 485, true});
    platform::Edit& menuMark = form->AddEdit({0, 0, 40, 20});
    std::unique_ptr<platform::ColorDialog> colorDialog = toolkit.CreateColorDialog(*form);
    components::TFolderDialog folderDialog{*form, toolkit};
    std::unique_ptr<preferences::DisplayPage> page;
};

}  // namespace sorabell::testing
