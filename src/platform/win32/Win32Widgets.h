#pragma once
// The form controls as real Windows controls, children of their form's window. The form hands
// the controls' WM_COMMAND notifications and colour questions to Route; every event handler runs
// through the toolkit's dispatch.

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Toolkit.h"
#include "platform/win32/ScopedWin.h"

namespace sorabell::win32 {

// "ＭＳ Ｐゴシック", 12 pixels, Shift-JIS: one per form, for all its controls.
ScopedFont CreateFormFont();

// What one control does with the messages its windows send to the form.
class Win32Widget {
public:
    virtual ~Win32Widget() = default;
    // The control's windows: the first is its own, others are its parts.
    virtual std::vector<HWND> windows() const = 0;
    // A WM_COMMAND notification from one of them.
    virtual void Command(HWND, UINT) {}
    // The brush of a WM_CTLCOLOR* question; none leaves the default colours.
    virtual HBRUSH Colors(HDC) { return nullptr; }
};

// The controls of one form. Their windows are children of the form's window and go with it; the
// font has to outlive that window.
class Win32Controls {
public:
    Win32Controls(platform::Toolkit& toolkit, HINSTANCE instance, HWND form, HFONT font);
    ~Win32Controls();
    Win32Controls(const Win32Controls&) = delete;
    Win32Controls& operator=(const Win32Controls&) = delete;

    platform::Label& AddLabel(const platform::Bounds& bounds, const std::string& caption);
    platform::Bevel& AddBevel(const platform::Bounds& bounds);
    platform::Edit& AddEdit(const platform::Bounds& bounds);
    platform::Button& AddButton(const platform::Bounds& bounds, const std::string& caption);
    platform::CheckBox& AddCheckBox(const platform::Bounds& bounds, const std::string& caption);
    platform::RadioGroup& AddRadioGroup(const platform::Bounds& bounds, const std::string& caption,
                                        std::vector<std::string> items, int columns);
    platform::ComboBox& AddComboBox(const platform::Bounds& bounds);
    platform::ListBox& AddListBox();

    // The result of a form's message that one of the controls answers. A handler run from here
    // may delete the form, and these controls with it.
    std::optional<LRESULT> Route(UINT message, WPARAM wParam, LPARAM lParam);

    // What a control needs of its form when it makes its windows.
    struct Site {
        platform::Toolkit& toolkit;
        HINSTANCE instance;
        HWND form;
        HFONT font;
    };

private:
    template <class Control, class... Args>
    Control& Own(Args&&... args);

    Site site_;
    std::vector<std::unique_ptr<Win32Widget>> controls_;
    std::map<HWND, Win32Widget*> owners_;  // each control window's control
};

}  // namespace sorabell::win32
