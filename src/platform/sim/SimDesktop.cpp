#include "platform/sim/SimDesktop.h"

#include "hook/HookRules.h"
#include "platform/Text.h"

namespace sorabell::sim {

using platform::WindowHandle;
using platform::WindowMessage;

WindowHandle SimDesktop::AddWindow(Window window) {
    const WindowHandle handle = next_;
    next_ += 4;
    windows_[handle] = std::move(window);
    threads_[handle] = newWindowThread;
    return handle;
}

void SimDesktop::RemoveWindow(WindowHandle window) {
    windows_.erase(window);
    threads_.erase(window);
    std::erase_if(queue_, [window](const auto& entry) { return entry.first == window; });
}

SimDesktop::Window* SimDesktop::Find(WindowHandle window) {
    const auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : &it->second;
}

void SimDesktop::SetTitle(WindowHandle window, const std::string& title) {
    if (Window* w = Find(window)) {
        w->title = title;
        // The real title's address means nothing here; any non-zero number stands for it.
        HookSent(window, {hook::kWmSetText, 0, static_cast<intptr_t>(0x7F000000 + title.size())});
    }
}

void SimDesktop::SetRect(WindowHandle window, platform::Rect rect) {
    if (Window* w = Find(window)) {
        w->rect = rect;
        Deliver(window, {hook::kWmSize, 0, (rect.height() << 16) | rect.width()});
    }
}

intptr_t SimDesktop::Deliver(WindowHandle window, const WindowMessage& message) {
    HookSent(window, message);
    Window* w = Find(window);
    return (w != nullptr && w->handler) ? w->handler(message) : 0;
}

void SimDesktop::Queue(WindowHandle window, const WindowMessage& message) {
    HookQueued(window, message);
    if (Window* w = Find(window); w != nullptr && w->handler) {
        w->handler(message);
    }
}

size_t SimDesktop::Pump() {
    size_t delivered = 0;
    while (!queue_.empty()) {
        const auto [window, message] = queue_.front();
        queue_.pop_front();
        if (Window* w = Find(window); w != nullptr && w->handler) {
            w->handler(message);
        }
        ++delivered;
    }
    return delivered;
}

uint32_t SimDesktop::WindowThread(WindowHandle window) {
    const auto it = threads_.find(window);
    return it == threads_.end() ? 0 : it->second;
}

bool SimDesktop::CallHookOn(WindowHandle window) const {
    const auto it = threads_.find(window);
    return it != threads_.end() && (it->second == hookedThread_ || it->second == playListHookThread_);
}

void SimDesktop::HookSent(WindowHandle window, const WindowMessage& message) {
    if (hookTarget_ == 0 || !CallHookOn(window)) {
        return;
    }
    const hook::Watch watch = hook::CallHookWatch(message.message);
    if (watch == hook::Watch::Nothing) {
        return;
    }
    hook::Seen seen = hook::Seen::Neither;
    if (hook::IsWindow(window, FindTopLevel(hook::kMainWindowClass, nullptr))) {
        seen = hook::Seen::Main;
    } else if (watch == hook::Watch::MainThenPlayList &&
               hook::IsWindow(window, FindTopLevel(hook::kPlayListWindowClass, nullptr))) {
        seen = hook::Seen::PlayList;
    }
    const hook::Post post = hook::CallHookPost(message.message, seen, message.lParam);
    if (post.message != 0) {
        Post(hookTarget_, post.message, post.wParam, post.lParam);
    }
}

void SimDesktop::HookQueued(WindowHandle window, const WindowMessage& message) {
    if (hookTarget_ == 0 || WindowThread(window) != hookedThread_ ||
        hook::MessageHookWatch(message.message) == hook::Watch::Nothing) {
        return;
    }
    const bool main = hook::IsWindow(window, FindTopLevel(hook::kMainWindowClass, nullptr));
    const hook::Post post =
        hook::MessageHookPost(message.message, main ? hook::Seen::Main : hook::Seen::Neither, message.lParam);
    if (hook::LendsForeground(post)) {
        foregroundLent.emplace_back(hookTarget_, queue_.size());
    }
    if (post.message != 0) {
        Post(hookTarget_, post.message, post.wParam, post.lParam);
    }
}

WindowHandle SimDesktop::FindTopLevel(const char* className, const char* title) {
    for (const auto& [handle, window] : windows_) {
        if (window.parent == 0 && (className == nullptr || text::SameText(window.className, className)) &&
            (title == nullptr || window.title == title)) {
            return handle;
        }
    }
    return 0;
}

std::string SimDesktop::WindowText(WindowHandle window, size_t bufferSize) {
    const Window* w = Find(window);
    if (w == nullptr || bufferSize == 0) {
        return {};
    }
    return w->title.substr(0, bufferSize - 1);
}

std::optional<platform::Rect> SimDesktop::WindowRect(WindowHandle window) {
    const Window* w = Find(window);
    return w ? std::optional<platform::Rect>(w->rect) : std::nullopt;
}

std::string SimDesktop::ClassName(WindowHandle window) {
    const Window* w = Find(window);
    return w ? w->className.substr(0, 255) : std::string();
}

std::vector<WindowHandle> SimDesktop::ChildWindows(WindowHandle window) {
    std::vector<WindowHandle> children;
    for (const auto& [handle, w] : windows_) {
        if (w.parent == window) {
            children.push_back(handle);
        }
    }
    return children;
}

std::optional<intptr_t> SimDesktop::Send(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    const Window* w = Find(window);
    if (w == nullptr) {
        return std::nullopt;
    }
    if (w->hung) {
        unanswered.emplace_back(window, message);
        return std::nullopt;
    }
    return Deliver(window, {message, wParam, lParam});
}

bool SimDesktop::Post(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (Find(window) == nullptr) {
        return false;
    }
    queue_.emplace_back(window, WindowMessage{message, wParam, lParam});
    return true;
}

void SimDesktop::InvalidateRect(WindowHandle window) {
    if (Find(window) != nullptr) {
        invalidated.push_back(window);
    }
}

std::optional<std::string> SimDesktop::SelectedListBoxText(WindowHandle listBox, size_t bufferSize) {
    const Window* w = Find(listBox);
    if (w == nullptr || w->hung || w->selected < 0 || static_cast<size_t>(w->selected) >= w->items.size() ||
        bufferSize == 0) {
        return std::nullopt;
    }
    return w->items[static_cast<size_t>(w->selected)].substr(0, bufferSize - 1);
}

bool SimHookLibrary::sethook(WindowHandle display, uint32_t thread, uint32_t playListThread) {
    calls.push_back("sethook " + std::to_string(display) + " " + std::to_string(thread) + " " +
                    std::to_string(playListThread));
    const bool installs = thread != 0 && !refuse;
    if (desktop_ != nullptr) {
        desktop_->RemoveHooks();
        if (installs) {
            desktop_->InstallHooks(display, thread, playListThread != thread ? playListThread : 0);
        }
    }
    return installs;
}

void SimHookLibrary::freehook() {
    calls.push_back("freehook");
    if (desktop_ != nullptr) {
        desktop_->RemoveHooks();
    }
}

}  // namespace sorabell::sim
