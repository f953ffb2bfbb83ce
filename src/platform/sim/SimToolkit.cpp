#include "platform/sim/SimToolkit.h"

#include <algorithm>
#include <utility>

namespace sorabell::sim {

SimForm::SimForm(SimToolkit& toolkit, platform::FormSpec spec, platform::WindowHandle handle)
    : toolkit_(toolkit), spec_(std::move(spec)), handle_(handle) {
    toolkit_.forms_.push_back(this);
    if (toolkit_.desktop_ != nullptr) {
        SimDesktop::Window window;
        window.className = spec_.className;
        window.title = spec_.caption;
        window.handler = [this](const platform::WindowMessage& message) {
            return static_cast<intptr_t>(Deliver(message));
        };
        handle_ = toolkit_.desktop_->AddWindow(std::move(window));
    }
}

SimForm::~SimForm() {
    std::erase(toolkit_.forms_, this);
    if (toolkit_.desktop_ != nullptr) {
        toolkit_.desktop_->RemoveWindow(handle_);
    }
}

void SimForm::SetCaption(const std::string& caption) {
    spec_.caption = caption;
    if (toolkit_.desktop_ != nullptr) {
        if (auto* window = toolkit_.desktop_->Find(handle_)) {
            window->title = caption;
        }
    }
}

void SimForm::Close() {
    if (closed_) {
        return;
    }
    if (OnClose) {
        platform::Dispatch(toolkit_, OnClose);
    }
    closed_ = true;
    if (toolkit_.desktop_ != nullptr) {
        toolkit_.desktop_->RemoveWindow(handle_);
    }
}

template <class Control, class... Args>
Control& SimForm::Own(Args&&... args) {
    auto control = std::make_unique<Control>(toolkit_, std::forward<Args>(args)...);
    Control& ref = *control;
    controls_.push_back(std::move(control));
    return ref;
}

platform::Label& SimForm::AddLabel(const platform::Bounds& bounds, const std::string& caption) {
    return Own<SimLabel>(bounds, caption);
}
platform::Bevel& SimForm::AddBevel(const platform::Bounds& bounds) { return Own<SimBevel>(bounds); }
platform::Edit& SimForm::AddEdit(const platform::Bounds& bounds) { return Own<SimEdit>(bounds); }
platform::Button& SimForm::AddButton(const platform::Bounds& bounds, const std::string& caption) {
    return Own<SimButton>(bounds, caption);
}
platform::CheckBox& SimForm::AddCheckBox(const platform::Bounds& bounds, const std::string& caption) {
    return Own<SimCheckBox>(bounds, caption);
}
platform::RadioGroup& SimForm::AddRadioGroup(const platform::Bounds& bounds, const std::string& caption,
                                             std::vector<std::string> items, int columns) {
    return Own<SimRadioGroup>(bounds, caption, std::move(items), columns);
}
platform::ComboBox& SimForm::AddComboBox(const platform::Bounds& bounds) { return Own<SimComboBox>(bounds); }
platform::ListBox& SimForm::AddListBox() { return Own<SimListBox>(); }

bool SimForm::Deliver(const platform::WindowMessage& message) {
    if (closed_ || !OnMessage) {
        return false;
    }
    bool handled = false;
    platform::Dispatch(toolkit_, [&] { handled = OnMessage(message); });
    return handled;
}

void SimTimer::Fire() {
    if (enabled_ && OnTimer) {
        platform::Dispatch(toolkit_, OnTimer);
    }
}

std::unique_ptr<platform::Form> SimToolkit::CreateForm(const platform::FormSpec& spec) {
    return std::make_unique<SimForm>(*this, spec, nextHandle_++);
}

std::unique_ptr<platform::Timer> SimToolkit::CreateTimer() { return std::make_unique<SimTimer>(*this); }

bool SimToolkit::AskYesNo(const std::string& text, const std::string& title) {
    questions.push_back(title + ": " + text);
    if (answers.empty()) {
        return false;
    }
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

std::unique_ptr<platform::PopupMenu> SimToolkit::CreatePopupMenu(platform::Form&) {
    return std::make_unique<SimPopupMenu>(*this);
}

void SimPopupMenu::Popup(int x, int y) {
    popups.push_back({x, y});
    const int choice = std::exchange(nextChoice, -1);
    if (choice >= 0) {
        Choose(toolkit_, choice);
    }
}

SimForm* SimToolkit::FindForm(const std::string& className, const std::string& caption) const {
    for (SimForm* form : forms_) {
        if (!form->closed() && form->className() == className && (caption.empty() || form->caption() == caption)) {
            return form;
        }
    }
    return nullptr;
}

}  // namespace sorabell::sim
