#pragma once
// The controls as plain objects: tests read their state and act as the user does.

#include <string>
#include <vector>

#include "platform/Toolkit.h"

namespace sorabell::sim {

class SimToolkit;

// State every control has.
template <class Base>
class SimControl : public Base {
public:
    SimControl(SimToolkit& toolkit, platform::Bounds bounds) : toolkit_(toolkit), bounds_(bounds) {}
    bool visible() const override { return visible_; }
    void SetVisible(bool visible) override { visible_ = visible; }
    bool enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    const platform::Bounds& bounds() const { return bounds_; }
    void SetBounds(const platform::Bounds& bounds) { bounds_ = bounds; }

protected:
    void Fire(const std::function<void()>& handler);

private:
    SimToolkit& toolkit_;
    platform::Bounds bounds_;
    bool visible_ = true;
    bool enabled_ = true;
};

class SimLabel : public SimControl<platform::Label> {
public:
    SimLabel(SimToolkit& toolkit, platform::Bounds bounds, std::string caption)
        : SimControl(toolkit, bounds), caption_(std::move(caption)) {}
    std::string caption() const override { return caption_; }
    void SetCaption(const std::string& caption) override { caption_ = caption; }

private:
    std::string caption_;
};

class SimBevel : public SimControl<platform::Bevel> {
public:
    using SimControl::SimControl;
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

    // The user replaces the text by typing: nothing while disabled or read-only, and no more
    // than the limit's bytes (whole characters).
    void Type(const std::string& text);

private:
    std::string text_;
    int maxLength_ = 0;
    bool readOnly_ = false;
    platform::EditColor color_ = platform::EditColor::Window;
};

class SimButton : public SimControl<platform::Button> {
public:
    SimButton(SimToolkit& toolkit, platform::Bounds bounds, std::string caption)
        : SimControl(toolkit, bounds), caption_(std::move(caption)) {}
    std::string caption() const override { return caption_; }
    void Click() override;

private:
    std::string caption_;
};

class SimCheckBox : public SimControl<platform::CheckBox> {
public:
    SimCheckBox(SimToolkit& toolkit, platform::Bounds bounds, std::string caption)
        : SimControl(toolkit, bounds), caption_(std::move(caption)) {}
    std::string caption() const override { return caption_; }
    bool checked() const override { return checked_; }
    void SetChecked(bool checked) override;

private:
    std::string caption_;
    bool checked_ = false;
};

class SimRadioGroup : public SimControl<platform::RadioGroup> {
public:
    SimRadioGroup(SimToolkit& toolkit, platform::Bounds bounds, std::string caption, std::vector<std::string> items,
                  int columns)
        : SimControl(toolkit, bounds), caption_(std::move(caption)), items_(std::move(items)), columns_(columns) {}
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
    using SimControl::SimControl;
    const std::vector<std::string>& items() const override { return items_; }
    void SetItems(std::vector<std::string> items) override;
    int itemIndex() const override { return itemIndex_; }
    void SetItemIndex(int index) override;
    std::string text() const override;

    // The user picks the item of that text.
    void Choose(const std::string& text);

private:
    std::vector<std::string> items_;
    int itemIndex_ = -1;
};

class SimListBox : public SimControl<platform::ListBox> {
public:
    SimListBox(SimToolkit& toolkit) : SimControl(toolkit, {}) { SetVisible(false); }
    const std::vector<std::string>& items() const override { return items_; }
    void SetItems(std::vector<std::string> items) override { items_ = std::move(items); }

private:
    std::vector<std::string> items_;
};

}  // namespace sorabell::sim
