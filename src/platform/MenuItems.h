#pragma once
// The item list behind a popup menu, shared by the backends: they only differ in showing it.

#include <functional>
#include <string>
#include <vector>

#include "platform/Toolkit.h"

namespace sorabell::platform {

struct MenuItem {
    std::string caption;
    std::function<void()> onClick;
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    bool separator() const { return caption == "-"; }
};

class ItemPopupMenu : public PopupMenu {
public:
    int AddItem(const std::string& caption, std::function<void()> onClick) override {
        items_.push_back({caption, std::move(onClick)});
        return static_cast<int>(items_.size()) - 1;
    }
    std::string caption(int item) const override { return at(item).caption; }
    bool enabled(int item) const override { return at(item).enabled; }
    void SetEnabled(int item, bool enabled) override { at(item).enabled = enabled; }
    bool visible(int item) const override { return at(item).visible; }
    void SetVisible(int item, bool visible) override { at(item).visible = visible; }
    bool checked(int item) const override { return at(item).checked; }
    void SetChecked(int item, bool checked) override { at(item).checked = checked; }

protected:
    MenuItem& at(int item) { return items_.at(static_cast<size_t>(item)); }
    const MenuItem& at(int item) const { return items_.at(static_cast<size_t>(item)); }
    int size() const { return static_cast<int>(items_.size()); }
    // Runs the handler of an item that may be chosen, as the toolkit dispatches any handler.
    void Choose(Toolkit& toolkit, int item) {
        const MenuItem& chosen = at(item);
        if (chosen.enabled && chosen.visible && !chosen.separator() && chosen.onClick) {
            Dispatch(toolkit, chosen.onClick);
        }
    }

private:
    std::vector<MenuItem> items_;
};

}  // namespace sorabell::platform
