#pragma once
// The controls of a form or a page, owned by it.

#include <memory>
#include <vector>

#include "platform/sim/SimWidgets.h"

namespace sorabell::sim {

template <class Base>
class SimContainer : public Base, public SimParent {
public:
    explicit SimContainer(SimToolkit& toolkit) : SimParent(toolkit) {}

    platform::Label& AddLabel(const platform::Bounds& bounds, const std::string& caption) override {
        return Own<SimLabel>(bounds, caption);
    }
    platform::Bevel& AddBevel(const platform::Bounds& bounds) override { return Own<SimBevel>(bounds); }
    platform::GroupBox& AddGroupBox(const platform::Bounds& bounds, const std::string& caption) override {
        return Own<SimGroupBox>(bounds, caption);
    }
    platform::Edit& AddEdit(const platform::Bounds& bounds) override { return Own<SimEdit>(bounds); }
    platform::Memo& AddMemo(const platform::Bounds& bounds) override { return Own<SimMemo>(bounds); }
    platform::Button& AddButton(const platform::Bounds& bounds, const std::string& caption) override {
        return Own<SimButton>(bounds, caption);
    }
    platform::Button& AddGlyphButton(const platform::Bounds& bounds, platform::Glyph glyph) override {
        return Own<SimButton>(bounds, glyph);
    }
    platform::CheckBox& AddCheckBox(const platform::Bounds& bounds, const std::string& caption) override {
        return Own<SimCheckBox>(bounds, caption);
    }
    platform::RadioButton& AddRadioButton(const platform::Bounds& bounds, const std::string& caption) override {
        auto& radio = Own<SimRadioButton>(bounds, caption);
        AddRadio(radio);
        return radio;
    }
    platform::RadioGroup& AddRadioGroup(const platform::Bounds& bounds, const std::string& caption,
                                        std::vector<std::string> items, int columns) override {
        return Own<SimRadioGroup>(bounds, caption, std::move(items), columns);
    }
    platform::ComboBox& AddComboBox(const platform::Bounds& bounds, platform::ListOrder order) override {
        return Own<SimComboBox>(bounds, order);
    }
    platform::ListBox& AddListBox() override { return Own<SimListBox>(); }
    platform::ListBox& AddSortedListBox(const platform::Bounds& bounds) override { return Own<SimListBox>(bounds); }
    platform::PaintBox& AddPaintBox(const platform::Bounds& bounds) override { return Own<SimPaintBox>(bounds); }
    platform::ImageBox& AddImage(const platform::Bounds& bounds) override { return Own<SimImage>(bounds); }
    platform::PageControl& AddPageControl(const platform::Bounds& bounds,
                                          const std::vector<std::string>& captions) override {
        return Own<SimPageControl>(bounds, captions);
    }

protected:
    // Gone before the rest of the form or page.
    void ClearControls() { controls_.clear(); }

private:
    template <class Control, class... Args>
    Control& Own(Args&&... args) {
        auto control = std::make_unique<Control>(static_cast<SimParent&>(*this), std::forward<Args>(args)...);
        Control& ref = *control;
        controls_.push_back(std::move(control));
        return ref;
    }

    std::vector<std::unique_ptr<platform::Control>> controls_;
};

class SimTabSheet : public SimContainer<platform::TabSheet> {
public:
    SimTabSheet(SimToolkit& toolkit, const SimPageControl& owner, std::string caption, int index,
                platform::Bounds bounds)
        : SimContainer(toolkit), owner_(owner), caption_(std::move(caption)), index_(index), bounds_(bounds) {}
    ~SimTabSheet() override { ClearControls(); }

    std::string caption() const override { return caption_; }
    int pageIndex() const override { return index_; }
    bool showing() const override { return owner_.showing() && owner_.activePageIndex() == index_; }
    platform::Bounds bounds() const override { return bounds_; }
    bool parentShowing() const override { return showing(); }

private:
    const SimPageControl& owner_;
    std::string caption_;
    int index_;
    platform::Bounds bounds_;
};

}  // namespace sorabell::sim
