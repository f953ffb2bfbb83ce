#pragma once
// The controls of a form, shaped like the forms' own (VCL) controls. Setting a value from code
// runs the same event as the user's change where the forms rely on it: an edit's OnChange, a
// check box's and a radio group's OnClick. A combo box's selection from code runs nothing.

#include <functional>
#include <string>
#include <vector>

namespace sorabell::platform {

// Left, top, width and height in pixels of the form's client area.
struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

class Control {
public:
    virtual ~Control() = default;
    virtual bool visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
};

class Label : public Control {
public:
    virtual std::string caption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;
};

// A sunken frame drawn around other controls.
class Bevel : public Control {};

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

class Button : public Control {
public:
    virtual std::string caption() const = 0;
    // As the user's click: OnClick runs when the button is enabled.
    virtual void Click() = 0;

    std::function<void()> OnClick;
};

class CheckBox : public Control {
public:
    virtual std::string caption() const = 0;
    virtual bool checked() const = 0;
    // A change runs OnClick, as the user's click does.
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

// A drop-down list whose items are kept sorted without regard to case.
class ComboBox : public Control {
public:
    virtual const std::vector<std::string>& items() const = 0;
    virtual void SetItems(std::vector<std::string> items) = 0;
    // The selected item's index in the sorted list, or -1.
    virtual int itemIndex() const = 0;
    virtual void SetItemIndex(int index) = 0;
    // The selected item's text; empty without one.
    virtual std::string text() const = 0;

    // The user chose an item.
    std::function<void()> OnChange;
};

// A list of strings that is never shown; it holds data, as the forms' hidden list boxes do.
class ListBox : public Control {
public:
    virtual const std::vector<std::string>& items() const = 0;
    virtual void SetItems(std::vector<std::string> items) = 0;
};

// The index of the first item equal to `text` without regard to case, or -1.
int IndexOfText(const std::vector<std::string>& items, const std::string& text);

// Items in the order a sorted combo box keeps them.
void SortItems(std::vector<std::string>& items);

}  // namespace sorabell::platform
