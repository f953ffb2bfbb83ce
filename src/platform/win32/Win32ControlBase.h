#pragma once
// What every Win32 control shares: its window, its flags and the dispatch of its events.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/Win32Toolkit.h"
#include "platform/win32/Win32Widgets.h"

namespace sorabell::win32 {

// A child window of the site's parent in the form's font.
HWND CreateChild(const Site& site, const char* className, const std::string& text, DWORD style,
                 const platform::Bounds& bounds, DWORD exStyle = 0);

// A control of one window, created by its class.
template <class Base>
class Win32Control : public Base, public Win32Widget {
public:
    Win32Control(const Site& site, HWND window) : toolkit_(site.toolkit), window_(window) {}

    bool visible() const override { return (::GetWindowLongPtrA(window_, GWL_STYLE) & WS_VISIBLE) != 0; }
    void SetVisible(bool visible) override { ::ShowWindow(window_, visible ? SW_SHOW : SW_HIDE); }
    bool showing() const override { return ::IsWindowVisible(window_) != FALSE; }
    bool enabled() const override { return ::IsWindowEnabled(window_) != FALSE; }
    void SetEnabled(bool enabled) override { ::EnableWindow(window_, enabled ? TRUE : FALSE); }
    platform::Bounds bounds() const override {
        RECT r{};
        ::GetWindowRect(window_, &r);
        ::MapWindowPoints(nullptr, ::GetParent(window_), reinterpret_cast<POINT*>(&r), 2);
        return {r.left, r.top, r.right - r.left, r.bottom - r.top};
    }
    std::vector<HWND> windows() const override { return {window_}; }

protected:
    HWND window() const { return window_; }
    Win32Toolkit& toolkit() const { return toolkit_; }
    // A copy runs: the handler may delete the form and this control with it.
    void Fire(std::function<void()> handler) {
        if (handler) {
            platform::Dispatch(toolkit_, handler);
        }
    }

private:
    Win32Toolkit& toolkit_;
    HWND window_;
};

// A control whose caption is its window text.
template <class Base>
class Win32Captioned : public Win32Control<Base> {
public:
    using Win32Control<Base>::Win32Control;
    std::string caption() const override { return WindowText(this->window()); }
    void SetCaption(const std::string& caption) override { ::SetWindowTextA(this->window(), caption.c_str()); }
};

}  // namespace sorabell::win32
