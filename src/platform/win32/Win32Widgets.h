#pragma once
// The form controls as real Windows controls, children of their form's or page's window. The
// parent hands the controls' notifications (WM_COMMAND, WM_NOTIFY) and colour questions to
// Route; every event handler runs through the toolkit's dispatch.

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Toolkit.h"
#include "platform/win32/ScopedWin.h"
#include "platform/win32/Win32Subclass.h"

namespace sorabell::win32 {

class FontCache;
class Win32Controls;
class Win32Toolkit;

// "ＭＳ Ｐゴシック", 12 pixels, Shift-JIS: one per form, for all its controls.
ScopedFont CreateFormFont();

// What one control does with the messages its windows send to their parent.
class Win32Widget {
public:
    virtual ~Win32Widget() = default;
    // The control's windows: the first is its own, others are its parts.
    virtual std::vector<HWND> windows() const = 0;
    // A WM_COMMAND notification from one of them.
    virtual void Command(HWND, UINT) {}
    // A WM_NOTIFY notification from one of them.
    virtual void Notify(const NMHDR&) {}
    // The brush of a WM_CTLCOLOR* question; none leaves the default colours.
    virtual HBRUSH Colors(HDC) { return nullptr; }
};

// What a control needs of its parent when it makes its windows.
struct Site {
    Win32Toolkit& toolkit;
    HINSTANCE instance;
    HWND parent;
    HFONT font;
    std::shared_ptr<FontCache> fonts;  // for the canvases of paint boxes
    Win32Controls* controls;           // the parent's controls: a radio button's group
};

// The controls of one form or page. Their windows are children of the parent's window and go
// with it; the font has to outlive that window.
class Win32Controls {
public:
    Win32Controls(Win32Toolkit& toolkit, HINSTANCE instance, HWND parent, HFONT font, std::shared_ptr<FontCache> fonts);
    ~Win32Controls();
    Win32Controls(const Win32Controls&) = delete;
    Win32Controls& operator=(const Win32Controls&) = delete;

    platform::Label& AddLabel(const platform::Bounds& bounds, const std::string& caption);
    platform::Bevel& AddBevel(const platform::Bounds& bounds);
    platform::GroupBox& AddGroupBox(const platform::Bounds& bounds, const std::string& caption);
    platform::Edit& AddEdit(const platform::Bounds& bounds);
    platform::Memo& AddMemo(const platform::Bounds& bounds);
    platform::Button& AddButton(const platform::Bounds& bounds, const std::string& caption);
    platform::Button& AddGlyphButton(const platform::Bounds& bounds, platform::Glyph glyph);
    platform::CheckBox& AddCheckBox(const platform::Bounds& bounds, const std::string& caption);
    platform::RadioButton& AddRadioButton(const platform::Bounds& bounds, const std::string& caption);
    platform::RadioGroup& AddRadioGroup(const platform::Bounds& bounds, const std::string& caption,
                                        std::vector<std::string> items, int columns);
    platform::ComboBox& AddComboBox(const platform::Bounds& bounds, platform::ListOrder order);
    platform::ListBox& AddListBox();
    platform::ListBox& AddSortedListBox(const platform::Bounds& bounds);
    platform::PaintBox& AddPaintBox(const platform::Bounds& bounds);
    platform::ImageBox& AddImage(const platform::Bounds& bounds);
    platform::PageControl& AddPageControl(const platform::Bounds& bounds, const std::vector<std::string>& captions);

    // The result of a parent's message that one of the controls answers. A handler run from
    // here may delete the form, and these controls with it.
    std::optional<LRESULT> Route(UINT message, WPARAM wParam, LPARAM lParam);

    // Checking one radio button of the parent unchecks the others.
    void RadioChecked(HWND checked);

    // The control that owns a window of this parent, or null.
    Win32Widget* OwnerOf(HWND window) const;

private:
    template <class Control, class... Args>
    Control& Own(Args&&... args) {
        auto control = std::make_unique<Control>(site_, std::forward<Args>(args)...);
        Control& ref = *control;
        for (HWND window : ref.windows()) {
            if (window != nullptr) {
                owners_[window] = &ref;
            }
        }
        controls_.push_back(std::move(control));
        return ref;
    }

    Site site_;
    std::vector<std::unique_ptr<Win32Widget>> controls_;
    std::map<HWND, Win32Widget*> owners_;  // each control window's control
    std::vector<HWND> radios_;
};

// A form or page that holds controls: every Add goes to its Win32Controls.
template <class Base>
class Win32ContainerOf : public Base {
public:
    platform::Label& AddLabel(const platform::Bounds& b, const std::string& c) override {
        return controls().AddLabel(b, c);
    }
    platform::Bevel& AddBevel(const platform::Bounds& b) override { return controls().AddBevel(b); }
    platform::GroupBox& AddGroupBox(const platform::Bounds& b, const std::string& c) override {
        return controls().AddGroupBox(b, c);
    }
    platform::Edit& AddEdit(const platform::Bounds& b) override { return controls().AddEdit(b); }
    platform::Memo& AddMemo(const platform::Bounds& b) override { return controls().AddMemo(b); }
    platform::Button& AddButton(const platform::Bounds& b, const std::string& c) override {
        return controls().AddButton(b, c);
    }
    platform::Button& AddGlyphButton(const platform::Bounds& b, platform::Glyph g) override {
        return controls().AddGlyphButton(b, g);
    }
    platform::CheckBox& AddCheckBox(const platform::Bounds& b, const std::string& c) override {
        return controls().AddCheckBox(b, c);
    }
    platform::RadioButton& AddRadioButton(const platform::Bounds& b, const std::string& c) override {
        return controls().AddRadioButton(b, c);
    }
    platform::RadioGroup& AddRadioGroup(const platform::Bounds& b, const std::string& c, std::vector<std::string> items,
                                        int columns) override {
        return controls().AddRadioGroup(b, c, std::move(items), columns);
    }
    platform::ComboBox& AddComboBox(const platform::Bounds& b, platform::ListOrder order) override {
        return controls().AddComboBox(b, order);
    }
    platform::ListBox& AddListBox() override { return controls().AddListBox(); }
    platform::ListBox& AddSortedListBox(const platform::Bounds& b) override { return controls().AddSortedListBox(b); }
    platform::PaintBox& AddPaintBox(const platform::Bounds& b) override { return controls().AddPaintBox(b); }
    platform::ImageBox& AddImage(const platform::Bounds& b) override { return controls().AddImage(b); }
    platform::PageControl& AddPageControl(const platform::Bounds& b, const std::vector<std::string>& c) override {
        return controls().AddPageControl(b, c);
    }

protected:
    virtual Win32Controls& controls() = 0;
};

// A window's text as CP932.
std::string WindowText(HWND window);

}  // namespace sorabell::win32
