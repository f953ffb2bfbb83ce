#include "platform/win32/Win32Toolkit.h"

#include "platform/MenuItems.h"

namespace sorabell::win32 {

namespace {

constexpr const char* kTimerWindowClass = "SorabellTimerWindow";

}  // namespace

class Win32Form : public platform::Form {
public:
    Win32Form(Win32Toolkit& toolkit, const platform::FormSpec& spec, bool main) : toolkit_(toolkit), main_(main) {
        WNDCLASSA existing{};
        if (!::GetClassInfoA(toolkit.instance(), spec.className.c_str(), &existing)) {
            WNDCLASSA windowClass{};
            windowClass.lpfnWndProc = WindowProc;
            windowClass.hInstance = toolkit.instance();
            windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
            windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
            windowClass.lpszClassName = spec.className.c_str();
            ::RegisterClassA(&windowClass);
        }
        constexpr DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
        RECT frame{0, 0, spec.clientWidth, spec.clientHeight};
        ::AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
        const int width = frame.right - frame.left;
        const int height = frame.bottom - frame.top;
        // Centred on the screen.
        const int x = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        const int y = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
        window_ = ::CreateWindowExA(WS_EX_DLGMODALFRAME, spec.className.c_str(), spec.caption.c_str(), style, x, y,
                                    width, height, nullptr, nullptr, toolkit.instance(), this);
        if (spec.visible) {
            ::ShowWindow(window_, SW_SHOW);
        }
    }
    ~Win32Form() override {
        if (window_ != nullptr) {
            ::SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
            ::DestroyWindow(window_);
        }
    }
    Win32Form(const Win32Form&) = delete;
    Win32Form& operator=(const Win32Form&) = delete;

    platform::WindowHandle handle() const override { return reinterpret_cast<platform::WindowHandle>(window_); }
    std::string caption() const override {
        char text[256] = {};
        ::GetWindowTextA(window_, text, sizeof text);
        return text;
    }
    void SetCaption(const std::string& caption) override { ::SetWindowTextA(window_, caption.c_str()); }
    bool visible() const override { return window_ != nullptr && ::IsWindowVisible(window_); }
    void SetVisible(bool visible) override { ::ShowWindow(window_, visible ? SW_SHOW : SW_HIDE); }
    bool closed() const override { return window_ == nullptr; }

    void Close() override {
        if (window_ == nullptr) {
            return;
        }
        if (OnClose) {
            platform::Dispatch(toolkit_, OnClose);
        }
        HWND window = window_;
        window_ = nullptr;
        ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        ::DestroyWindow(window);
        if (main_) {
            ::PostQuitMessage(0);
        }
    }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<Win32Form*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self != nullptr) {
            if (message == WM_CLOSE) {
                self->Close();
                return 0;
            }
            if (self->OnMessage) {
                bool handled = false;
                const platform::WindowMessage m{message, static_cast<uintptr_t>(wParam), static_cast<intptr_t>(lParam)};
                platform::Dispatch(self->toolkit_, [&] { handled = self->OnMessage(m); });
                if (handled) {
                    return 0;
                }
            }
        }
        return ::DefWindowProcA(window, message, wParam, lParam);
    }

    Win32Toolkit& toolkit_;
    bool main_;
    HWND window_ = nullptr;
};

class Win32Timer : public platform::Timer {
public:
    explicit Win32Timer(Win32Toolkit& toolkit) : toolkit_(toolkit), id_(toolkit.nextTimerId_++) {
        toolkit_.timers_[id_] = this;
        Apply();
    }
    ~Win32Timer() override {
        ::KillTimer(toolkit_.timerWindow_, id_);
        toolkit_.timers_.erase(id_);
    }
    Win32Timer(const Win32Timer&) = delete;
    Win32Timer& operator=(const Win32Timer&) = delete;

    uint32_t interval() const override { return interval_; }
    void SetInterval(uint32_t milliseconds) override {
        interval_ = milliseconds;
        Apply();
    }
    bool enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override {
        enabled_ = enabled;
        Apply();
    }

    void Tick() {
        if (enabled_ && OnTimer) {
            platform::Dispatch(toolkit_, OnTimer);
        }
    }

private:
    void Apply() {
        ::KillTimer(toolkit_.timerWindow_, id_);
        if (enabled_ && interval_ > 0) {
            ::SetTimer(toolkit_.timerWindow_, id_, interval_, nullptr);
        }
    }

    Win32Toolkit& toolkit_;
    UINT_PTR id_;
    uint32_t interval_ = 1000;
    bool enabled_ = true;
};

class Win32PopupMenu : public platform::ItemPopupMenu {
public:
    Win32PopupMenu(Win32Toolkit& toolkit, platform::Form& owner) : toolkit_(toolkit), owner_(owner) {}

    void Popup(int x, int y) override {
        HMENU menu = ::CreatePopupMenu();
        for (int i = 0; i < size(); ++i) {
            const platform::MenuItem& item = at(i);
            if (!item.visible) {
                continue;
            }
            if (item.separator()) {
                ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
                continue;
            }
            const UINT flags = MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED) | (item.checked ? MF_CHECKED : 0);
            ::AppendMenuA(menu, flags, static_cast<UINT_PTR>(i + 1), item.caption.c_str());
        }
        HWND owner = reinterpret_cast<HWND>(owner_.handle());
        // Without the owner in the foreground the menu would not close when clicked away from.
        ::SetForegroundWindow(owner);
        const int chosen = static_cast<int>(
            ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0, owner, nullptr));
        ::PostMessageA(owner, WM_NULL, 0, 0);
        ::DestroyMenu(menu);
        if (chosen > 0) {
            Choose(toolkit_, chosen - 1);
        }
    }

private:
    Win32Toolkit& toolkit_;
    platform::Form& owner_;
};

Win32Toolkit::Win32Toolkit(HINSTANCE instance) : instance_(instance) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = TimerWindowProc;
    windowClass.hInstance = instance_;
    windowClass.lpszClassName = kTimerWindowClass;
    ::RegisterClassA(&windowClass);
    timerWindow_ = ::CreateWindowExA(0, kTimerWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance_, nullptr);
    ::SetWindowLongPtrA(timerWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32Toolkit::~Win32Toolkit() { ::DestroyWindow(timerWindow_); }

LRESULT CALLBACK Win32Toolkit::TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        auto* self = reinterpret_cast<Win32Toolkit*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self != nullptr) {
            const auto it = self->timers_.find(static_cast<UINT_PTR>(wParam));
            if (it != self->timers_.end()) {
                it->second->Tick();
            }
            return 0;
        }
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

std::unique_ptr<platform::Form> Win32Toolkit::CreateForm(const platform::FormSpec& spec) {
    const bool main = !hasMainForm_;
    hasMainForm_ = true;
    return std::make_unique<Win32Form>(*this, spec, main);
}

std::unique_ptr<platform::Timer> Win32Toolkit::CreateTimer() { return std::make_unique<Win32Timer>(*this); }

std::unique_ptr<platform::PopupMenu> Win32Toolkit::CreatePopupMenu(platform::Form& owner) {
    return std::make_unique<Win32PopupMenu>(*this, owner);
}

void Win32Toolkit::Run() {
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

void Win32Toolkit::ShowMessage(const std::string& text) { ::MessageBoxA(nullptr, text.c_str(), title_.c_str(), MB_OK); }

}  // namespace sorabell::win32
