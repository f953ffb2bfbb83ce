#include "platform/sim/SimFolderBrowser.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "platform/Errors.h"
#include "platform/Text.h"
#include "platform/sim/SimWidgets.h"

namespace sorabell::sim {

namespace {

constexpr int kOk = 1;
constexpr int kCancel = 2;
constexpr int kClicked = 0;  // BN_CLICKED
constexpr std::string_view kEllipsis = "...";

int WidthOf(std::string_view text) { return static_cast<int>(text.size()) * kSimCharWidth; }

std::string EndEllipsis(std::string_view text, int width) {
    if (WidthOf(text) <= width) {
        return std::string(text);
    }
    const int room = std::max(width / kSimCharWidth - static_cast<int>(kEllipsis.size()), 0);
    return std::string(text::CutToBytes(text, static_cast<size_t>(room))) + std::string(kEllipsis);
}

std::string PathEllipsis(std::string_view text, int width) {
    if (WidthOf(text) <= width) {
        return std::string(text);
    }
    const size_t last = text::FindLastDelimiter(text, "\\");
    if (last == std::string_view::npos) {
        return EndEllipsis(text, width);
    }
    const std::string_view tail = text.substr(last);
    const int room = width / kSimCharWidth - static_cast<int>(kEllipsis.size() + tail.size());
    if (room < 0) {
        return EndEllipsis(text, width);
    }
    return std::string(text::CutToBytes(text.substr(0, last), static_cast<size_t>(room))) + std::string(kEllipsis) +
           std::string(tail);
}

// The copy's view of its template, by kind.
template <class SimKind>
SimKind& As(platform::Control& control) {
    auto* sim = dynamic_cast<SimKind*>(&control);
    if (sim == nullptr) {
        throw Exception("the custom button is not a simulated control of that kind");
    }
    return *sim;
}

}  // namespace

SimButtonCopy::SimButtonCopy(SimBrowseDialog& dialog, platform::Control& templ, platform::ButtonKind kind,
                             platform::WindowHandle handle)
    : dialog_(&dialog), template_(templ), kind_(kind), handle_(handle) {
    switch (kind_) {
        case platform::ButtonKind::Button: {
            auto& button = As<SimButton>(templ);
            caption_ = button.caption();
            bounds_ = button.bounds();
            break;
        }
        case platform::ButtonKind::CheckBox: {
            auto& check = As<SimCheckBox>(templ);
            caption_ = check.caption();
            checked_ = check.checked();
            bounds_ = check.bounds();
            break;
        }
        case platform::ButtonKind::RadioButton: {
            auto& radio = As<SimRadioButton>(templ);
            caption_ = radio.caption();
            checked_ = radio.checked();
            bounds_ = radio.bounds();
            break;
        }
    }
    enabled_ = templ.enabled();
    dialog_->copy_ = this;
}

SimButtonCopy::~SimButtonCopy() {
    if (dialog_ != nullptr && dialog_->copy_ == this) {
        dialog_->copy_ = nullptr;
    }
}

void SimButtonCopy::CarryBack() {
    auto resize = [&](auto& control) {
        platform::Bounds place = control.bounds();
        place.width = bounds_.width;
        place.height = bounds_.height;
        control.SetBounds(place);
    };
    switch (kind_) {
        case platform::ButtonKind::Button:
            resize(As<SimButton>(template_));
            break;
        case platform::ButtonKind::CheckBox:
            resize(As<SimCheckBox>(template_));
            break;
        case platform::ButtonKind::RadioButton:
            resize(As<SimRadioButton>(template_));
            break;
    }
}

void SimButtonCopy::Click() {
    if (dialog_ == nullptr || dialog_->ended_ || !visible_ || !enabled_) {
        return;
    }
    if (kind_ == platform::ButtonKind::CheckBox) {
        checked_ = !checked_;
    } else if (kind_ == platform::ButtonKind::RadioButton) {
        checked_ = true;
    }
    dialog_->Command(0, handle_);
}

SimBrowseDialog::SimBrowseDialog(SimFolderBrowser& browser, platform::BrowseEvents& events,
                                 platform::WindowHandle handle)
    : browser_(browser), events_(&events), handle_(handle), rect_(browser.dialogRect), client_(browser.dialogClient) {}

SimBrowseDialog::~SimBrowseDialog() {
    if (copy_ != nullptr) {
        copy_->dialog_ = nullptr;
    }
}

template <class Event>
void SimBrowseDialog::Tell(Event&& event) {
    if (events_ != nullptr) {
        platform::Dispatch(browser_.toolkit_, [&] { event(*events_); });
    }
}

void SimBrowseDialog::MoveTo(int x, int y) {
    const int width = rect_.width();
    const int height = rect_.height();
    rect_ = {x, y, x + width, y + height};
}

void SimBrowseDialog::SelectPath(const std::string& path) {
    if (!path.empty()) {
        Select(path);
    }
}

std::string SimBrowseDialog::FitText(const std::string& text, const platform::Rect& box, platform::Ellipsis ellipsis) {
    return ellipsis == platform::Ellipsis::Path ? PathEllipsis(text, box.width()) : EndEllipsis(text, box.width());
}

std::unique_ptr<platform::ButtonCopy> SimBrowseDialog::CopyButton(platform::Control& templ, platform::ButtonKind kind) {
    return std::make_unique<SimButtonCopy>(*this, templ, kind, browser_.nextHandle_++);
}

void SimBrowseDialog::Close() {
    events_ = nullptr;
    End(false);
}

void SimBrowseDialog::Select(const std::string& path) {
    const std::string name = text::ExtractFileName(text::ExcludeTrailingBackslash(path));
    Select(SimShellItem(path, name.empty() ? path : name));
}

void SimBrowseDialog::Select(const SimShellItem& item) {
    if (ended_) {
        return;
    }
    selection_ = item;
    const SimShellItem shown = item;  // the dialog's own, for the event only
    Tell([&](platform::BrowseEvents& events) { events.SelectionChanged(*this, shown); });
}

bool SimBrowseDialog::Ok() {
    if (ended_ || !okEnabled_) {
        return false;
    }
    Command(kOk, 0);
    return true;
}

void SimBrowseDialog::Cancel() {
    if (!ended_) {
        Command(kCancel, 0);
    }
}

void SimBrowseDialog::Command(int id, platform::WindowHandle from) {
    bool handled = false;
    Tell([&](platform::BrowseEvents& events) { handled = events.Command(*this, id, kClicked, from); });
    if (!handled && (id == kOk || id == kCancel)) {
        End(id == kOk);
    }
}

void SimBrowseDialog::End(bool confirmed) {
    if (!ended_) {
        ended_ = true;
        confirmed_ = confirmed;
    }
}

platform::BrowseResult SimFolderBrowser::Browse(const platform::BrowseRequest& request,
                                                platform::BrowseEvents& events) {
    const auto* root = dynamic_cast<const SimShellItem*>(request.root);
    requests.push_back({request.owner, root != nullptr ? root->csidl : -1, request.instruction, request.flags});

    SimBrowseDialog dialog(*this, events, nextHandle_++);
    SimBrowseDialog* const outer = std::exchange(shown_, &dialog);
    dialog.Tell([&](platform::BrowseEvents& e) { e.Initialized(dialog); });
    dialog.Tell([&](platform::BrowseEvents& e) { e.Shown(dialog); });
    if (const auto play = user) {
        play(dialog);
    }
    dialog.Cancel();
    dialog.Tell([&](platform::BrowseEvents& e) { e.Destroying(dialog); });
    dialog.Tell([](platform::BrowseEvents& e) { e.Destroyed(); });
    shown_ = outer;

    platform::BrowseResult result;
    if (dialog.confirmed_) {
        const SimShellItem chosen = dialog.selection_.value_or(SimShellItem("", "デスクトップ"));
        result.item = std::make_unique<SimShellItem>(chosen);
        result.displayName = chosen.displayName;
        result.imageIndex = chosen.imageIndex;
    }
    return result;
}

std::string SimFolderBrowser::PathOf(const platform::ShellItem& item) {
    const auto* sim = dynamic_cast<const SimShellItem*>(&item);
    return sim != nullptr ? sim->path : std::string();
}

std::unique_ptr<platform::ShellItem> SimFolderBrowser::SpecialFolder(platform::WindowHandle, int csidl) {
    if (unresolvable.contains(csidl)) {
        return nullptr;
    }
    return std::make_unique<SimShellItem>("", "CSIDL " + std::to_string(csidl), 0, csidl);
}

platform::Rect SimFolderBrowser::WindowRect(platform::WindowHandle window) {
    const auto it = windows.find(window);
    return it != windows.end() ? it->second.rect : platform::Rect{};
}

platform::Point SimFolderBrowser::ClientToScreen(platform::WindowHandle window, platform::Point point) {
    const auto it = windows.find(window);
    const platform::Point origin = it != windows.end() ? it->second.clientOrigin : platform::Point{};
    return {origin.x + point.x, origin.y + point.y};
}

}  // namespace sorabell::sim
