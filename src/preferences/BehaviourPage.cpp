#include "preferences/BehaviourPage.h"

#include "components/PathText.h"
#include "hook/HookRules.h"
#include "platform/Errors.h"
#include "platform/Text.h"
#include "preferences/Associations.h"
#include "winamp/WinampFolders.h"

namespace sorabell::preferences {

BehaviourPage::BehaviourPage(platform::TabSheet& page, const PageSite& site) : site_(site) {
    Label3 = &page.AddLabel({28, 20, 420, 14}, "rmp,mp3,mp2,m3u,pls の関連づけを Sorabell に変更する");
    Button6 = &page.AddButton({28, 40, 220, 26}, "拡張子の関連づけを変更する");
    GroupBox2 = &page.AddGroupBox({12, 90, 454, 118}, "Winamp の設定修正");
    page.AddLabel({28, 114, 420, 14}, "\"Auto-Scroll SongName\" と \"Select Random Skin on Play\" を");
    page.AddLabel({28, 132, 420, 14}, "解除します (Winamp を終了させてから実行してください)");
    Button10 = &page.AddButton({28, 162, 120, 26}, "修正実行");
    Button6->OnClick = [this] { Button6Click(); };
    Button10->OnClick = [this] { Button10Click(); };
    page.AddGroupBox({12, 228, 454, 130}, "Sorabell の実行・終了");
    page.AddLabel({28, 252, 300, 14}, "Sorabell の実行終了が出来ます");
    page.AddLabel({28, 272, 300, 14}, "実行は Winamp も実行します");
    page.AddLabel({28, 292, 300, 14}, "終了は Sorabell のみ終了します");
    Button4 = &page.AddButton({28, 318, 120, 26}, "Sorabell実行");
    Button5 = &page.AddButton({160, 318, 120, 26}, "Sorabell終了");
    Button4->OnClick = [this] { Button4Click(); };
    Button5->OnClick = [this] { Button5Click(); };
}

// A refused write is said with the lines done before it, never as a full report.
void BehaviourPage::Button6Click() {
    const AssociationReport report = AssociateExtensions(site_.os.registry, site_.programFolder);
    if (report.failure.empty()) {
        site_.toolkit.ShowInformation(report.Text(), "関連づけの報告");
    } else {
        site_.toolkit.ShowMessage(report.Text());
    }
}

void BehaviourPage::Button10Click() {
    if (site_.os.desktop.FindTopLevel(hook::kMainWindowClass, nullptr)) {
        site_.toolkit.ShowMessage("Winamp を終了させてください");
        return;
    }
    const std::string ini =
        winamp::FindWinampFolders(site_.os.iniFiles, site_.os.processes, winampFolder()).settings + "WINAMP.INI";
    try {
        RepairWinampIni(site_.os.files, ini);
    } catch (const EInOutError& e) {
        site_.toolkit.ShowMessage(components::ShortenForMessage(ini) + " を書き換えられませんでした" + text::kCrLf +
                                  e.what());
        return;
    }
    site_.toolkit.ShowMessage("\"Auto-Scroll SongName\"と\"Select Random Skin on Play\"を解除しました");
}

void BehaviourPage::Button4Click() {
    site_.os.processes.WinExec(text::Quoted(site_.programFolder + "Sorabell.Exe"), platform::SW_SHOW_NORMAL);
}

void BehaviourPage::Button5Click() {
    if (const platform::WindowHandle display =
            site_.os.desktop.FindTopLevel(hook::kDisplayWindowClass, hook::kDisplayWindowTitle)) {
        site_.os.desktop.Post(display, hook::kWmClose, 0, 0);
    }
}

}  // namespace sorabell::preferences
