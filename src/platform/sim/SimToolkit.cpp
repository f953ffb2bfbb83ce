#include "platform/sim/SimToolkit.h"

#include <algorithm>

namespace sorabell::sim {

SimForm::SimForm(SimToolkit& toolkit, platform::FormSpec spec, platform::WindowHandle handle)
    : toolkit_(toolkit), spec_(std::move(spec)), handle_(handle) {
    toolkit_.forms_.push_back(this);
}

SimForm::~SimForm() { std::erase(toolkit_.forms_, this); }

void SimForm::Close() {
    if (closed_) {
        return;
    }
    if (OnClose) {
        platform::Dispatch(toolkit_, OnClose);
    }
    closed_ = true;
}

bool SimForm::Deliver(const platform::WindowMessage& message) {
    if (closed_ || !OnMessage) {
        return false;
    }
    bool handled = false;
    platform::Dispatch(toolkit_, [&] { handled = OnMessage(message); });
    return handled;
}

SimTimer::SimTimer(SimToolkit& toolkit) : toolkit_(toolkit) { toolkit_.timers_.push_back(this); }

SimTimer::~SimTimer() { std::erase(toolkit_.timers_, this); }

void SimTimer::Fire() {
    if (enabled_ && OnTimer) {
        platform::Dispatch(toolkit_, OnTimer);
    }
}

std::unique_ptr<platform::Form> SimToolkit::CreateForm(const platform::FormSpec& spec) {
    return std::make_unique<SimForm>(*this, spec, nextHandle_++);
}

std::unique_ptr<platform::Timer> SimToolkit::CreateTimer() { return std::make_unique<SimTimer>(*this); }

SimForm* SimToolkit::FindForm(const std::string& className, const std::string& caption) const {
    for (SimForm* form : forms_) {
        if (!form->closed() && form->className() == className && (caption.empty() || form->caption() == caption)) {
            return form;
        }
    }
    return nullptr;
}

}  // namespace sorabell::sim
