#pragma once
// The display program's main form: never shown, it receives the hook library's messages and
// drives the display painted onto Winamp's window.

#include <array>
#include <memory>
#include <string>

#include "display/DisplayTypes.h"
#include "platform/HookLibrary.h"
#include "platform/Platform.h"
#include "platform/Toolkit.h"
#include "tags/LightStrings.h"

namespace sorabell::display {

class Tlumora {
public:
    static constexpr const char* kClassName = "Tlumora";
    static constexpr const char* kCaption = "Sorabell";

    // Creates the hidden form and runs FormCreate; FormClose runs when the form closes.
    Tlumora(platform::Platform& platform, platform::Toolkit& toolkit, platform::HookLibrary& hooks);
    Tlumora(const Tlumora&) = delete;
    Tlumora& operator=(const Tlumora&) = delete;

    platform::Form& form() { return *form_; }
    platform::Timer& timer() { return *Timer1; }
    // The check mark of the menu item that shows the remaining time.
    bool timeRemaining() const { return timeRemaining_; }
    void SetTimeRemaining(bool checked) { timeRemaining_ = checked; }
    const std::string& edit1Text() const { return Edit1; }

private:
    void FormCreate();
    void FormClose();
    bool WndProc(const platform::WindowMessage& message);

    platform::Platform& platform_;
    platform::Toolkit& toolkit_;
    platform::HookLibrary& hooks_;

    std::unique_ptr<platform::Form> form_;
    std::unique_ptr<platform::Timer> Timer1;
    std::unique_ptr<tags::TLightStrings> LyricsList;
    // Winamp's title without its " - Winamp"; " " until a title has been read.
    std::string Edit1;

    bool timeRemaining_ = false;
    int32_t MouseHeld = 0;
    int32_t TickCount = 0;
    int32_t ScrollDot = 6;
    std::string lastTitle_;
    std::string mark_;
    std::array<TDispOption, 3> lines_{};
    Tmp3info song_;
};

}  // namespace sorabell::display
