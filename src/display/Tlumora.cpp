#include "display/Tlumora.h"

#include "settings/RegIniFile.h"

namespace sorabell::display {

namespace {

// Client size of the form as designed; the form is never shown.
constexpr int kClientWidth = 259;
constexpr int kClientHeight = 148;

}  // namespace

Tlumora::Tlumora(platform::Platform& platform, platform::Toolkit& toolkit, platform::HookLibrary& hooks)
    : platform_(platform), toolkit_(toolkit), hooks_(hooks) {
    form_ = toolkit_.CreateForm({kClassName, "", kClientWidth, kClientHeight, false});
    form_->OnMessage = [this](const platform::WindowMessage& message) { return WndProc(message); };
    form_->OnClose = [this] { FormClose(); };
    Timer1 = toolkit_.CreateTimer();
    Timer1->SetEnabled(false);
    FormCreate();
}

void Tlumora::FormCreate() {
    form_->SetVisible(false);
    form_->SetCaption(kCaption);

    TickCount = 0;
    for (TDispOption& line : lines_) {
        line.scrollMode = 0;
        line.scrollOffset = 0;
        line.waitCount = 0;
    }
    ScrollDot = 6;
    lastTitle_.clear();
    mark_.clear();
    MouseHeld = 0;

    LyricsList = std::make_unique<tags::TLightStrings>();
    timeRemaining_ = settings::TRegIniFile(platform_.registry, settings::kRootPath).ReadBool("Option", "Remain", false);

    // No title has been read yet.
    Edit1 = " ";
    // From here on the hook library posts its messages to this window.
    hooks_.sethook(form_->handle());
    Timer1->SetEnabled(true);
}

void Tlumora::FormClose() {
    settings::TRegIniFile(platform_.registry, settings::kRootPath).WriteBool("Option", "Remain", timeRemaining_);
    hooks_.freehook();
    Timer1->SetEnabled(false);
    LyricsList.reset();
}

bool Tlumora::WndProc(const platform::WindowMessage&) { return false; }

}  // namespace sorabell::display
