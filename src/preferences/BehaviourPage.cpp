#include "preferences/BehaviourPage.h"

#include "hook/HookRules.h"
#include "platform/Errors.h"
#include "platform/Text.h"
#include "preferences/Associations.h"

namespace sorabell::preferences {

BehaviourPage::BehaviourPage(platform::TabSheet& page, platform::Platform& os, platform::Toolkit& toolkit,
                             std::string programFolder, std::function<std::string()> winampFolder)
    : os_(os), toolkit_(toolkit), programFolder_(std::move(programFolder)), winampFolder_(std::move(winampFolder)) {
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
    const AssociationReport report = AssociateExtensions(os_.registry, programFolder_);
    if (report.failure.empty()) {
        toolkit_.ShowInformation(report.Text(), "関連づけの報告");
    } else {
        toolkit_.ShowMessage(report.Text());
    }
}

void BehaviourPage::Button10Click() {
    if (os_.desktop.FindTopLevel(hook::kMainWindowClass, nullptr)) {
        toolkit_.ShowMessage("Winamp を終了させてください");
        return;
    }
    const std::string ini = winampFolder_() + "WINAMP.INI";
    try {
        RepairWinampIni(os_.files, ini);
    } catch (const EInOutError& e) {
        toolkit_.ShowMessage(ini + " を書き換えられませんでした\r\n" + e.what());
        return;
    }
    toolkit_.ShowMessage("\"Auto-Scroll SongName\"と\"Select Random Skin on Play\"を解除しました");
}

void BehaviourPage::Button4Click() {
    os_.processes.WinExec(text::Quoted(programFolder_ + "Sorabell.Exe"), platform::SW_SHOW_NORMAL);
}

void BehaviourPage::Button5Click() {
    if (const platform::WindowHandle display =
            os_.desktop.FindTopLevel(hook::kDisplayWindowClass, hook::kDisplayWindowTitle)) {
        os_.desktop.Post(display, hook::kWmClose, 0, 0);
    }
}

}  // namespace sorabell::preferences
