#pragma once
// The controls of a form, shaped like the forms' own (VCL) controls. Setting a value from code
// runs the same event as the user's change where the forms rely on it: an edit's OnChange, a
// check box's, a radio button's (when it becomes checked) and a radio group's OnClick. A combo
// box's or list box's selection and a page control's active page set from code run nothing.

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Color.h"
#include "platform/Geometry.h"

namespace sorabell::platform {

class Bitmap;
class Canvas;

// Left, top, width and height in pixels of the parent's client area (the form's or a page's).
struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

class Control {
public:
    Control() = default;
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // The control's removal notice: it expires when the control is freed, so that whatever
    // refers to a control it does not own can tell that it is gone.
    std::weak_ptr<const void> lifetime() const { return lifetime_; }

    // The control's own flag: a control of a hidden form or page is still visible.
    virtual bool visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
    // Visible together with every parent up to its form: what the user can see.
    virtual bool showing() const = 0;
    virtual bool enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual Bounds bounds() const = 0;

private:
    std::shared_ptr<const void> lifetime_ = std::make_shared<char>();
};

// A control with a caption of its own: labels, frames, buttons, check boxes, radio buttons.
class CaptionedControl : public Control {
public:
    virtual std::string caption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;
};

// The mouse over a label, as a hyperlink label needs it.
class Label : public CaptionedControl {
public:
    // The system's window text colour until set.
    virtual TColor fontColor() const = 0;
    virtual void SetFontColor(TColor color) = 0;
    // A cursor of the toolkit's table (Toolkit::RegisterCursor); 0 is the arrow.
    virtual int cursor() const = 0;
    virtual void SetCursor(int index) = 0;
    virtual void Repaint() = 0;
    // Where the mouse is, in the label's client coordinates.
    virtual Point CursorPos() const = 0;

    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;
    // Any button. A press keeps the mouse until the release, wherever it is let go.
    std::function<void()> OnMouseDown;
    std::function<void()> OnMouseUp;
};

// A sunken frame drawn around other controls.
class Bevel : public Control {};

// A frame with a caption in its top edge.
class GroupBox : public CaptionedControl {};

enum class EditColor { Window, ButtonFace };

class Edit : public Control {
public:
    virtual std::string text() const = 0;
    // A different text runs OnChange, as typing does.
    virtual void SetText(const std::string& text) = 0;
    // Bytes of CP932 text the user may type; 0 is no limit. Text set from code is not cut.
    virtual int maxLength() const = 0;
    virtual void SetMaxLength(int bytes) = 0;
    virtual bool readOnly() const = 0;
    virtual void SetReadOnly(bool readOnly) = 0;
    virtual EditColor color() const = 0;
    virtual void SetColor(EditColor color) = 0;

    std::function<void()> OnChange;
};

// Lines of text that the user reads but does not change. A line is never wrapped: one wider
// than the control is reached by scrolling sideways.
class Memo : public Control {
public:
    virtual std::vector<std::string> lines() const = 0;
    virtual void SetLines(const std::vector<std::string>& lines) = 0;
};

// The pictures the toolkit draws on buttons itself.
enum class Glyph { Folder };

class Button : public CaptionedControl {
public:
    // As the user's click: OnClick runs when the button is enabled.
    virtual void Click() = 0;

    std::function<void()> OnClick;
};

class CheckBox : public CaptionedControl {
public:
    virtual bool checked() const = 0;
    // A change runs OnClick, as the user's click does.
    virtual void SetChecked(bool checked) = 0;

    std::function<void()> OnClick;
};

// The radio buttons of one parent are one group: checking one unchecks the others, whose
// OnClick does not run.
class RadioButton : public CaptionedControl {
public:
    virtual bool checked() const = 0;
    // Checking runs OnClick, as the user's click does; unchecking runs nothing.
    virtual void SetChecked(bool checked) = 0;

    std::function<void()> OnClick;
};

// A captioned group of radio buttons in columns; one item is chosen (-1: none).
class RadioGroup : public Control {
public:
    virtual std::string caption() const = 0;
    virtual const std::vector<std::string>& items() const = 0;
    virtual int itemIndex() const = 0;
    // A change runs OnClick, as the user's choice does.
    virtual void SetItemIndex(int index) = 0;

    std::function<void()> OnClick;
};

enum class ListOrder {
    Sorted,   // without regard to case, as the platform's sorted lists keep them
    AsGiven,  // in the order the items were given
};

// A drop-down list to choose one item from.
class ComboBox : public Control {
public:
    virtual const std::vector<std::string>& items() const = 0;
    virtual void SetItems(std::vector<std::string> items) = 0;
    // The selected item's index in the list's order, or -1.
    virtual int itemIndex() const = 0;
    virtual void SetItemIndex(int index) = 0;
    // The selected item's text; empty without one.
    virtual std::string text() const = 0;

    // The user chose an item.
    std::function<void()> OnChange;
};

// A list of strings. The hidden kind holds data in the order given, as the forms' hidden list
// boxes do; the visible kind is sorted and the user picks from it.
class ListBox : public Control {
public:
    virtual const std::vector<std::string>& items() const = 0;
    virtual void SetItems(std::vector<std::string> items) = 0;
    virtual int itemIndex() const = 0;
    virtual void SetItemIndex(int index) = 0;

    // The user picked an item.
    std::function<void()> OnClick;
};

// A place the form paints itself: OnPaint draws the box's picture on its canvas.
class PaintBox : public Control {
public:
    // Paints again soon, when the system has nothing more urgent.
    virtual void Invalidate() = 0;
    // Paints again now.
    virtual void Repaint() = 0;

    std::function<void(Canvas&)> OnPaint;
};

// Shows a picture: drawn into `picture()`, shown after Invalidate.
class ImageBox : public Control {
public:
    virtual Bitmap& picture() = 0;
    virtual void Invalidate() = 0;
};

class TabSheet;

// Tabs in as many rows as they need, one page for each; the controls of a page show with it.
class PageControl : public Control {
public:
    virtual int pageCount() const = 0;
    virtual TabSheet& page(int index) = 0;
    virtual int activePageIndex() const = 0;
    // An index outside the pages changes nothing.
    virtual void SetActivePageIndex(int index) = 0;

    // The user chose another tab; the new page shows already.
    std::function<void()> OnChange;
};

// What holds controls: a form or a page. The controls are owned by it and go with it.
class Container {
public:
    virtual ~Container() = default;

    virtual Label& AddLabel(const Bounds& bounds, const std::string& caption) = 0;
    virtual Bevel& AddBevel(const Bounds& bounds) = 0;
    virtual GroupBox& AddGroupBox(const Bounds& bounds, const std::string& caption) = 0;
    virtual Edit& AddEdit(const Bounds& bounds) = 0;
    virtual Memo& AddMemo(const Bounds& bounds) = 0;
    virtual Button& AddButton(const Bounds& bounds, const std::string& caption) = 0;
    // A small button showing a glyph instead of a caption.
    virtual Button& AddGlyphButton(const Bounds& bounds, Glyph glyph) = 0;
    virtual CheckBox& AddCheckBox(const Bounds& bounds, const std::string& caption) = 0;
    virtual RadioButton& AddRadioButton(const Bounds& bounds, const std::string& caption) = 0;
    virtual RadioGroup& AddRadioGroup(const Bounds& bounds, const std::string& caption, std::vector<std::string> items,
                                      int columns) = 0;
    virtual ComboBox& AddComboBox(const Bounds& bounds, ListOrder order) = 0;
    // The hidden list box, in the order given.
    virtual ListBox& AddListBox() = 0;
    // A visible, sorted list box.
    virtual ListBox& AddSortedListBox(const Bounds& bounds) = 0;
    virtual PaintBox& AddPaintBox(const Bounds& bounds) = 0;
    virtual ImageBox& AddImage(const Bounds& bounds) = 0;
    virtual PageControl& AddPageControl(const Bounds& bounds, const std::vector<std::string>& captions) = 0;
};

class TabSheet : public Container {
public:
    virtual std::string caption() const = 0;
    virtual int pageIndex() const = 0;
    // The active page of a showing page control.
    virtual bool showing() const = 0;
    // The page's client size, in which its controls are placed.
    virtual Bounds bounds() const = 0;
};

// The index of the first item equal to `text` without regard to case, or -1.
int IndexOfText(const std::vector<std::string>& items, const std::string& text);

// Items in the order a sorted combo box keeps them.
void SortItems(std::vector<std::string>& items);

// The sixteen custom colour slots of a colour dialog are named "ColorA" to "ColorP".
constexpr int kCustomColorSlots = 16;
std::string CustomColorName(int slot);
// A slot's text: hexadecimal digits, at least six ("FFFFFFFF" for an unused slot).
std::string CustomColorText(uint32_t value);
// The value of a slot's text; an unreadable text is an unused slot.
uint32_t CustomColorValue(const std::string& text);
constexpr uint32_t kUnusedCustomColor = 0xFFFFFFFF;

// The system's colour chooser, opened with all its parts (full-open) on `color`.
class ColorDialog {
public:
    virtual ~ColorDialog() = default;

    TColor color() const { return color_; }
    void SetColor(TColor color) { color_ = color; }
    // The slot's text, as the dialog names it.
    const std::string& customColor(int slot) const { return customColors_.at(static_cast<size_t>(slot)); }
    void SetCustomColor(int slot, std::string text) { customColors_.at(static_cast<size_t>(slot)) = std::move(text); }

    // Modal; true when the user chose OK, and `color()` is then the chosen one. The custom
    // colours come back as the user left them, also after Cancel.
    virtual bool Execute() = 0;

protected:
    TColor color_ = 0;
    std::array<std::string, kCustomColorSlots> customColors_ = MakeUnusedSlots();

private:
    static std::array<std::string, kCustomColorSlots> MakeUnusedSlots() {
        std::array<std::string, kCustomColorSlots> slots;
        slots.fill("FFFFFFFF");
        return slots;
    }
};

}  // namespace sorabell::platform
