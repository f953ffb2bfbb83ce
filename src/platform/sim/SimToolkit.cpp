#include "platform/sim/SimToolkit.h"

#include <algorithm>
#include <utility>

#include "platform/sim/SimFont.h"

namespace sorabell::sim {

SimForm::SimForm(SimToolkit& toolkit, platform::FormSpec spec, platform::WindowHandle handle)
    : SimContainer(toolkit), toolkit_(toolkit), spec_(std::move(spec)), handle_(handle) {
    // Centred on the screen, as the real forms open.
    const platform::Rect frame = windowRect();
    position_ = {(toolkit.screen.width() - frame.width()) / 2, (toolkit.screen.height() - frame.height()) / 2};
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
    ClearControls();
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
    if (closed_ || (OnCloseQuery && !OnCloseQuery())) {
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

platform::Rect SimForm::windowRect() const {
    return {position_.x, position_.y, position_.x + spec_.clientWidth + 2 * kFrame,
            position_.y + spec_.clientHeight + kCaptionHeight + 2 * kFrame};
}

void SimForm::MoveTo(int left, int top) { position_ = {left, top}; }

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
    systemModal.push_back(false);
    if (const auto during = std::exchange(whileAsking, nullptr)) {
        during();
    }
    if (answers.empty()) {
        return false;
    }
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

bool SimToolkit::AskSystemYesNo(const std::string& text, const std::string& title) {
    const bool answer = AskYesNo(text, title);
    systemModal.back() = true;
    return answer;
}

std::unique_ptr<platform::ColorDialog> SimToolkit::CreateColorDialog(platform::Form&) {
    return std::make_unique<SimColorDialog>(*this);
}

bool SimColorDialog::Execute() {
    toolkit_.colorDialogOpenedOn.push_back(color_);
    std::optional<TColor> answer;
    if (!toolkit_.colorAnswers.empty()) {
        answer = toolkit_.colorAnswers.front();
        toolkit_.colorAnswers.pop_front();
    }
    if (answer) {
        color_ = *answer;
    }
    return answer.has_value();
}

std::vector<std::string> SimToolkit::ScreenFontFaces() { return fontFaces ? *fontFaces : InstalledFontFamilies(); }

bool SimToolkit::RegisterCursor(int index, const std::string& resourceName) {
    if (cursorResources.count(resourceName) == 0) {
        return false;
    }
    cursors[index] = resourceName;
    return true;
}

std::vector<platform::Rect> SimToolkit::WorkAreas() {
    std::vector<platform::Rect> areas = {screen};
    areas.insert(areas.end(), otherScreens.begin(), otherScreens.end());
    return areas;
}

std::unique_ptr<platform::PopupMenu> SimToolkit::CreatePopupMenu(platform::Form&) {
    return std::make_unique<SimPopupMenu>(*this);
}

void SimPopupMenu::Popup(int x, int y) {
    popups.push_back({x, y});
    if (const auto during = std::exchange(whileOpen, nullptr)) {
        during();
    }
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
