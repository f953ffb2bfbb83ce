#pragma once
// A label that behaves as a hyperlink: a hand cursor, its text coloured while the mouse is over
// it and while it is pressed, and, when asked to, its caption opened by the shell on a press
// (an address, a "mailto:" address or a file).

#include "platform/Processes.h"
#include "platform/Toolkit.h"

namespace sorabell::components {

// The cursor table's index of the program's hand cursor.
inline constexpr int kHandPointCursor = 32761;
inline constexpr const char* kHandPointResource = "HANDPOINT";

class TURLLabel {
public:
    // Takes over the label's mouse events and cursor; registers the program's hand cursor.
    TURLLabel(platform::Label& label, platform::Toolkit& toolkit, platform::Processes& processes);

    int cursor() const { return label_.cursor(); }
    void SetCursor(int index) { label_.SetCursor(index); }
    bool executable() const { return executable_; }
    void SetExecutable(bool value) { executable_ = value; }
    // A change repaints the label.
    bool hotTrack() const { return hotTrack_; }
    void SetHotTrack(bool value);
    TColor hotColor() const { return hotColor_; }
    void SetHotColor(TColor value);
    TColor pushedColor() const { return pushedColor_; }
    void SetPushedColor(TColor value);

    platform::Label& label() { return label_; }

private:
    void MouseEnter();
    void MouseLeave();
    void MouseDown();
    void MouseUp();
    void Show(TColor color);

    platform::Label& label_;
    platform::Processes& processes_;
    bool executable_ = false;
    bool hotTrack_ = true;
    TColor hotColor_ = 0xFFFF00;
    TColor pushedColor_ = 0x0000FF;
    TColor normalColor_;  // the label's own colour, saved when the mouse comes in
};

}  // namespace sorabell::components
