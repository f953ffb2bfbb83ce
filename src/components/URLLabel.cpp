#include "components/URLLabel.h"

namespace sorabell::components {

TURLLabel::TURLLabel(platform::Label& label, platform::Toolkit& toolkit, platform::Processes& processes)
    : label_(label), processes_(processes), normalColor_(label.fontColor()) {
    toolkit.RegisterCursor(kHandPointCursor, kHandPointResource);
    label_.SetCursor(kHandPointCursor);
    label_.OnMouseEnter = [this] { MouseEnter(); };
    label_.OnMouseLeave = [this] { MouseLeave(); };
    label_.OnMouseDown = [this] { MouseDown(); };
    label_.OnMouseUp = [this] { MouseUp(); };
}

void TURLLabel::SetHotTrack(bool value) {
    if (value != hotTrack_) {
        hotTrack_ = value;
        label_.Repaint();
    }
}

void TURLLabel::SetHotColor(TColor value) {
    if (value != hotColor_) {
        hotColor_ = value;
        label_.Repaint();
    }
}

void TURLLabel::SetPushedColor(TColor value) {
    if (value != pushedColor_) {
        pushedColor_ = value;
        label_.Repaint();
    }
}

void TURLLabel::MouseEnter() {
    if (hotTrack_) {
        normalColor_ = label_.fontColor();
        Show(hotColor_);
    }
}

void TURLLabel::MouseLeave() {
    if (hotTrack_) {
        Show(normalColor_);
    }
}

// The caption opens on the press, not on the release.
void TURLLabel::MouseDown() {
    if (hotTrack_) {
        Show(pushedColor_);
    }
    if (executable_) {
        processes_.ShellExecuteFile("OPEN", label_.caption(), "", "", platform::SW_SHOW_NORMAL);
    }
}

void TURLLabel::MouseUp() {
    if (!hotTrack_) {
        return;
    }
    const platform::Point at = label_.CursorPos();
    const platform::Bounds size = label_.bounds();
    const bool inside = at.x >= 0 && at.y >= 0 && at.x < size.width && at.y < size.height;
    Show(inside ? hotColor_ : normalColor_);
}

void TURLLabel::Show(TColor color) {
    label_.SetFontColor(color);
    label_.Repaint();
}

}  // namespace sorabell::components
