#pragma once
// The controls as plain objects: tests read their state and act as the user does.

#include <memory>
#include <string>
#include <vector>

#include "platform/Toolkit.h"
#include "platform/sim/SimGraphics.h"

namespace sorabell::sim {

class SimToolkit;
class SimRadioButton;

// What a control knows of the form or page that holds it.
class SimParent {
public:
    explicit SimParent(SimToolkit& toolkit) : toolkit_(toolkit) {}
    virtual ~SimParent() = default;
    SimToolkit& toolkit() const { return toolkit_; }
    virtual bool parentShowing() const = 0;
    // One of its radio buttons became checked: the others of the parent are unchecked.
    void RadioChecked(const SimRadioButton& checked);
    void AddRadio(SimRadioButton& radio) { radios_.push_back(&radio); }

private:
    SimToolkit& toolkit_;
    std::vector<SimRadioButton*> radios_;
};

// State every control has.
template <class Base>
class SimControl : public Base {
public:
    SimControl(SimParent& parent, platform::Bounds bounds) : parent_(parent), bounds_(bounds) {}
    bool visible() const override { return visible_; }
    void SetVisible(bool visible) override { visible_ = visible; }
    bool showing() const override { return visible_ && parent_.parentShowing(); }
    bool enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    platform::Bounds bounds() const override { return bounds_; }
    void SetBounds(const platform::Bounds& bounds) { bounds_ = bounds; }

protected:
    void Fire(const std::function<void()>& handler);
    SimParent& parent() const { return parent_; }

private:
    SimParent& parent_;
    platform::Bounds bounds_;
    bool visible_ = true;
    bool enabled_ = true;
};

template <class Base>
class SimCaptioned : public SimControl<Base> {
public:
    SimCaptioned(SimParent& parent, platform::Bounds bounds, std::string caption)
        : SimControl<Base>(parent, bounds), caption_(std::move(caption)) {}
    std::string caption() const override { return caption_; }
    void SetCaption(const std::string& caption) override { caption_ = caption; }

private:
    std::string caption_;
};

class SimLabel : public SimCaptioned<platform::Label> {
public:
    using SimCaptioned::SimCaptioned;
    TColor fontColor() const override { return fontColor_; }
    void SetFontColor(TColor color) override { fontColor_ = color; }
    int cursor() const override { return cursor_; }
    void SetCursor(int index) override { cursor_ = index; }
    void Repaint() override { ++repaints; }
    platform::Point CursorPos() const override { return mouse_; }

    // The user's mouse: it comes over the label, leaves it, presses and lets go of a button
    // at a place in the label's coordinates (which may lie outside it after a drag).
    void MouseEnter();
    void MouseLeave();
    void Press();
    void Release(platform::Point at);

    int repaints = 0;

private:
    TColor fontColor_ = 0;
    int cursor_ = 0;
    platform::Point mouse_{-1, -1};
};

class SimBevel : public SimControl<platform::Bevel> {
public:
    using SimControl::SimControl;
};

class SimGroupBox : public SimCaptioned<platform::GroupBox> {
public:
    using SimCaptioned::SimCaptioned;
};

class SimEdit : public SimControl<platform::Edit> {
public:
    using SimControl::SimControl;
    std::string text() const override { return text_; }
    void SetText(const std::string& text) override;
    int maxLength() const override { return maxLength_; }
    void SetMaxLength(int bytes) override { maxLength_ = bytes; }
    bool readOnly() const override { return readOnly_; }
    void SetReadOnly(bool readOnly) override { readOnly_ = readOnly; }
    platform::EditColor color() const override { return color_; }
    void SetColor(platform::EditColor color) override { color_ = color; }

    // The user replaces the text by typing (a paste over all of it): nothing while disabled or
    // read-only, and the limit taken as the Win32 edit takes it (TypingLimit.h).
    void Type(const std::string& text);

private:
    std::string text_;
    int maxLength_ = 0;
    bool readOnly_ = false;
    platform::EditColor color_ = platform::EditColor::Window;
};

class SimMemo : public SimControl<platform::Memo> {
public:
    using SimControl::SimControl;
    std::vector<std::string> lines() const override { return lines_; }
    void SetLines(const std::vector<std::string>& lines) override { lines_ = lines; }

private:
    std::vector<std::string> lines_;
};

class SimButton : public SimCaptioned<platform::Button> {
public:
    using SimCaptioned::SimCaptioned;
    SimButton(SimParent& parent, platform::Bounds bounds, platform::Glyph glyph)
        : SimCaptioned(parent, bounds, ""), glyph_(glyph) {}
    void Click() override;
    bool hasGlyph() const { return glyph_.has_value(); }

private:
    std::optional<platform::Glyph> glyph_;
};

class SimCheckBox : public SimCaptioned<platform::CheckBox> {
public:
    using SimCaptioned::SimCaptioned;
    bool checked() const override { return checked_; }
    void SetChecked(bool checked) override;
    // The user's click: nothing while disabled.
    void Click();

private:
    bool checked_ = false;
};

class SimRadioButton : public SimCaptioned<platform::RadioButton> {
public:
    SimRadioButton(SimParent& parent, platform::Bounds bounds, std::string caption);
    bool checked() const override { return checked_; }
    void SetChecked(bool checked) override;
    // The user's click: checks the button when enabled; a checked one stays as it is.
    void Click();

private:
    friend class SimParent;
    bool checked_ = false;
};

class SimRadioGroup : public SimControl<platform::RadioGroup> {
public:
    SimRadioGroup(SimParent& parent, platform::Bounds bounds, std::string caption, std::vector<std::string> items,
                  int columns)
        : SimControl(parent, bounds), caption_(std::move(caption)), items_(std::move(items)), columns_(columns) {}
    std::string caption() const override { return caption_; }
    const std::vector<std::string>& items() const override { return items_; }
    int itemIndex() const override { return itemIndex_; }
    void SetItemIndex(int index) override;
    int columns() const { return columns_; }

private:
    std::string caption_;
    std::vector<std::string> items_;
    int columns_;
    int itemIndex_ = -1;
};

class SimComboBox : public SimControl<platform::ComboBox> {
public:
    SimComboBox(SimParent& parent, platform::Bounds bounds, platform::ListOrder order = platform::ListOrder::Sorted)
        : SimControl(parent, bounds), order_(order) {}
    const std::vector<std::string>& items() const override { return items_; }
    void SetItems(std::vector<std::string> items) override;
    int itemIndex() const override { return itemIndex_; }
    void SetItemIndex(int index) override;
    std::string text() const override;

    // The user picks the item of that text.
    void Choose(const std::string& text);

private:
    platform::ListOrder order_;
    std::vector<std::string> items_;
    int itemIndex_ = -1;
};

class SimListBox : public SimControl<platform::ListBox> {
public:
    // The hidden list box keeps its items as given; a visible one sorts them.
    explicit SimListBox(SimParent& parent);
    SimListBox(SimParent& parent, platform::Bounds bounds);
    const std::vector<std::string>& items() const override { return items_; }
    void SetItems(std::vector<std::string> items) override;
    int itemIndex() const override { return itemIndex_; }
    void SetItemIndex(int index) override;

    // The user picks the item of that text.
    void Choose(const std::string& text);

private:
    bool sorted_;
    std::vector<std::string> items_;
    int itemIndex_ = -1;
};

// Painted at once when asked: `surface()` holds what the user would see.
class SimPaintBox : public SimControl<platform::PaintBox> {
public:
    SimPaintBox(SimParent& parent, platform::Bounds bounds);
    void Invalidate() override { Repaint(); }
    void Repaint() override;
    SimBitmap& surface() { return surface_; }
    int paints = 0;

private:
    SimBitmap surface_;
};

class SimImage : public SimControl<platform::ImageBox> {
public:
    SimImage(SimParent& parent, platform::Bounds bounds);
    platform::Bitmap& picture() override { return picture_; }
    void Invalidate() override {}
    SimBitmap& surface() { return picture_; }

private:
    SimBitmap picture_;
};

class SimTabSheet;

class SimPageControl : public SimControl<platform::PageControl> {
public:
    SimPageControl(SimParent& parent, platform::Bounds bounds, const std::vector<std::string>& captions);
    ~SimPageControl() override;
    int pageCount() const override { return static_cast<int>(pages_.size()); }
    platform::TabSheet& page(int index) override;
    int activePageIndex() const override { return active_; }
    void SetActivePageIndex(int index) override;
    // The user clicks a tab: nothing while disabled or when it is the active one already.
    void ClickTab(int index);

private:
    std::vector<std::unique_ptr<SimTabSheet>> pages_;
    int active_ = 0;
};

}  // namespace sorabell::sim
