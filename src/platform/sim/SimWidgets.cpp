#include "platform/sim/SimWidgets.h"

#include <algorithm>

#include "platform/TypingLimit.h"
#include "platform/sim/SimContainer.h"
#include "platform/sim/SimToolkit.h"

namespace sorabell::sim {

void SimParent::RadioChecked(const SimRadioButton& checked) {
    for (SimRadioButton* radio : radios_) {
        if (radio != &checked) {
            radio->checked_ = false;
        }
    }
}

template <class Base>
void SimControl<Base>::Fire(const std::function<void()>& handler) {
    if (handler) {
        platform::Dispatch(parent_.toolkit(), handler);
    }
}

template class SimControl<platform::Label>;
template class SimControl<platform::Bevel>;
template class SimControl<platform::GroupBox>;
template class SimControl<platform::Edit>;
template class SimControl<platform::Memo>;
template class SimControl<platform::Button>;
template class SimControl<platform::CheckBox>;
template class SimControl<platform::RadioButton>;
template class SimControl<platform::RadioGroup>;
template class SimControl<platform::ComboBox>;
template class SimControl<platform::ListBox>;
template class SimControl<platform::PaintBox>;
template class SimControl<platform::ImageBox>;
template class SimControl<platform::PageControl>;

void SimLabel::MouseEnter() {
    mouse_ = {bounds().width / 2, bounds().height / 2};
    Fire(OnMouseEnter);
}

void SimLabel::MouseLeave() {
    mouse_ = {-1, -1};
    Fire(OnMouseLeave);
}

void SimLabel::Press() { Fire(OnMouseDown); }

void SimLabel::Release(platform::Point at) {
    mouse_ = at;
    Fire(OnMouseUp);
}

void SimEdit::SetText(const std::string& text) {
    if (text != text_) {
        text_ = text;
        Fire(OnChange);
    }
}

void SimEdit::Type(const std::string& text) {
    if (!enabled() || readOnly_) {
        return;
    }
    SetText(text::LimitTyping(text_, text, text.size(), static_cast<size_t>(std::max(maxLength_, 0))).text);
}

void SimButton::Click() {
    if (enabled()) {
        Fire(OnClick);
    }
}

void SimCheckBox::SetChecked(bool checked) {
    if (checked != checked_) {
        checked_ = checked;
        Fire(OnClick);
    }
}

void SimCheckBox::Click() {
    if (enabled()) {
        SetChecked(!checked_);
    }
}

SimRadioButton::SimRadioButton(SimParent& parent, platform::Bounds bounds, std::string caption)
    : SimCaptioned(parent, bounds, std::move(caption)) {}

void SimRadioButton::SetChecked(bool checked) {
    if (checked == checked_) {
        return;
    }
    checked_ = checked;
    if (checked) {
        parent().RadioChecked(*this);
        Fire(OnClick);
    }
}

void SimRadioButton::Click() {
    if (enabled()) {
        SetChecked(true);
    }
}

void SimRadioGroup::SetItemIndex(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size())) {
        index = -1;
    }
    if (index != itemIndex_) {
        itemIndex_ = index;
        Fire(OnClick);
    }
}

void SimComboBox::SetItems(std::vector<std::string> items) {
    if (order_ == platform::ListOrder::Sorted) {
        platform::SortItems(items);
    }
    items_ = std::move(items);
    itemIndex_ = -1;
}

void SimComboBox::SetItemIndex(int index) {
    itemIndex_ = (index >= 0 && index < static_cast<int>(items_.size())) ? index : -1;
}

std::string SimComboBox::text() const {
    return itemIndex_ >= 0 ? items_[static_cast<size_t>(itemIndex_)] : std::string();
}

void SimComboBox::Choose(const std::string& text) {
    const int index = platform::IndexOfText(items_, text);
    if (enabled() && index >= 0) {
        itemIndex_ = index;
        Fire(OnChange);
    }
}

SimListBox::SimListBox(SimParent& parent) : SimControl(parent, {}), sorted_(false) { SetVisible(false); }

SimListBox::SimListBox(SimParent& parent, platform::Bounds bounds) : SimControl(parent, bounds), sorted_(true) {}

void SimListBox::SetItems(std::vector<std::string> items) {
    if (sorted_) {
        platform::SortItems(items);
    }
    items_ = std::move(items);
    itemIndex_ = -1;
}

void SimListBox::SetItemIndex(int index) {
    itemIndex_ = (index >= 0 && index < static_cast<int>(items_.size())) ? index : -1;
}

void SimListBox::Choose(const std::string& text) {
    const int index = platform::IndexOfText(items_, text);
    if (enabled() && index >= 0) {
        itemIndex_ = index;
        Fire(OnClick);
    }
}

SimPaintBox::SimPaintBox(SimParent& parent, platform::Bounds bounds) : SimControl(parent, bounds) {
    surface_.SetSize(bounds.width, bounds.height);
}

void SimPaintBox::Repaint() {
    ++paints;
    if (OnPaint) {
        platform::Dispatch(parent().toolkit(), [this] { OnPaint(surface_.canvas()); });
    }
}

SimImage::SimImage(SimParent& parent, platform::Bounds bounds) : SimControl(parent, bounds) {
    picture_.SetSize(bounds.width, bounds.height);
}

// The pages fill the control but for a row of tabs.
SimPageControl::SimPageControl(SimParent& parent, platform::Bounds bounds, const std::vector<std::string>& captions)
    : SimControl(parent, bounds) {
    constexpr int kTabRow = 20;
    const platform::Bounds inside{0, 0, std::max(bounds.width - 8, 0), std::max(bounds.height - kTabRow - 8, 0)};
    for (size_t i = 0; i < captions.size(); ++i) {
        pages_.push_back(
            std::make_unique<SimTabSheet>(parent.toolkit(), *this, captions[i], static_cast<int>(i), inside));
    }
}

SimPageControl::~SimPageControl() = default;

platform::TabSheet& SimPageControl::page(int index) { return *pages_.at(static_cast<size_t>(index)); }

void SimPageControl::SetActivePageIndex(int index) {
    if (index >= 0 && index < pageCount()) {
        active_ = index;
    }
}

void SimPageControl::ClickTab(int index) {
    if (!enabled() || index == active_ || index < 0 || index >= pageCount()) {
        return;
    }
    active_ = index;
    Fire(OnChange);
}

}  // namespace sorabell::sim
