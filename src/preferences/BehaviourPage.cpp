#include "preferences/BehaviourPage.h"

#include "hook/HookRules.h"
#include "platform/Text.h"

namespace sorabell::preferences {

BehaviourPage::BehaviourPage(platform::TabSheet& page, platform::Platform& os, std::string programFolder)
    : os_(os), programFolder_(std::move(programFolder)) {
    page.AddGroupBox({12, 228, 454, 130}, "Sorabell の実行・終了");
    page.AddLabel({28, 252, 300, 14}, "Sorabell の実行終了が出来ます");
    page.AddLabel({28, 272, 300, 14}, "実行は Winamp も実行します");
    page.AddLabel({28, 292, 300, 14}, "終了は Sorabell のみ終了します");
    Button4 = &page.AddButton({28, 318, 120, 26}, "Sorabell実行");
    Button5 = &page.AddButton({160, 318, 120, 26}, "Sorabell終了");
    Button4->OnClick = [this] { Button4Click(); };
    Button5->OnClick = [this] { Button5Click(); };
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
