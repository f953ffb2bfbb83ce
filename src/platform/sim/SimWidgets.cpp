#include "platform/sim/SimWidgets.h"

#include "platform/Text.h"
#include "platform/sim/SimToolkit.h"

namespace sorabell::sim {

template <class Base>
void SimControl<Base>::Fire(const std::function<void()>& handler) {
    if (handler) {
        platform::Dispatch(toolkit_, handler);
    }
}

template class SimControl<platform::Label>;
template class SimControl<platform::Bevel>;
template class SimControl<platform::Edit>;
template class SimControl<platform::Button>;
template class SimControl<platform::CheckBox>;
template class SimControl<platform::RadioGroup>;
template class SimControl<platform::ComboBox>;
template class SimControl<platform::ListBox>;

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
    SetText(maxLength_ > 0 ? std::string(text::CutToBytes(text, static_cast<size_t>(maxLength_))) : text);
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
    platform::SortItems(items);
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

}  // namespace sorabell::sim
