#include "platform/win32/Win32Toolkit.h"

#include <commctrl.h>
#include <commdlg.h>

#include <array>
#include <set>

#include "platform/MenuItems.h"
#include "platform/Text.h"
#include "platform/win32/ScopedWin.h"
#include "platform/win32/Win32Graphics.h"
#include "platform/win32/Win32Widgets.h"

namespace sorabell::win32 {

namespace {

constexpr const char* kTimerWindowClass = "SorabellTimerWindow";
// Marks the toolkit's forms so the message loop gives their keys dialog navigation.
constexpr const char* kFormProperty = "SorabellForm";

HWND CreateTimerWindow(HINSTANCE instance) {
    RegisterWindowClass(instance, kTimerWindowClass);
    return ::CreateWindowExA(0, kTimerWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
}

}  // namespace

class Win32Form : public Win32ContainerOf<platform::Form> {
public:
    Win32Form(Win32Toolkit& toolkit, const platform::FormSpec& spec, bool main)
        : toolkit_(toolkit), main_(main), font_(CreateFormFont()) {
        RegisterWindowClass(toolkit.instance(), spec.className.c_str());
        constexpr DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
        RECT frame{0, 0, spec.clientWidth, spec.clientHeight};
        ::AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
        const int width = frame.right - frame.left;
        const int height = frame.bottom - frame.top;
        // Centred on the screen.
        const int x = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        const int y = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
        window_.Reset(::CreateWindowExA(WS_EX_DLGMODALFRAME, spec.className.c_str(), spec.caption.c_str(), style, x, y,
                                        width, height, nullptr, nullptr, toolkit.instance(), nullptr));
        subclass_.emplace(window_.get(), [this](UINT m, WPARAM w, LPARAM l) { return Message(m, w, l); });
        ::SetPropA(window_.get(), kFormProperty, reinterpret_cast<HANDLE>(1));
        controls_ =
            std::make_unique<Win32Controls>(toolkit, toolkit.instance(), window_.get(), font_.get(), toolkit.fonts());
        if (spec.visible) {
            ::ShowWindow(window_.get(), SW_SHOW);
        }
    }
    ~Win32Form() override {
        subclass_.reset();
        if (window_) {
            ::RemovePropA(window_.get(), kFormProperty);
        }
    }
    Win32Form(const Win32Form&) = delete;
    Win32Form& operator=(const Win32Form&) = delete;

    platform::WindowHandle handle() const override { return reinterpret_cast<platform::WindowHandle>(window_.get()); }
    std::string caption() const override {
        char text[256] = {};
        ::GetWindowTextA(window_.get(), text, sizeof text);
        return text;
    }
    void SetCaption(const std::string& caption) override { ::SetWindowTextA(window_.get(), caption.c_str()); }
    bool visible() const override { return window_ && ::IsWindowVisible(window_.get()); }
    void SetVisible(bool visible) override { ::ShowWindow(window_.get(), visible ? SW_SHOW : SW_HIDE); }
    bool closed() const override { return !window_; }

    platform::Rect windowRect() const override {
        RECT r{};
        ::GetWindowRect(window_.get(), &r);
        return {r.left, r.top, r.right, r.bottom};
    }
    void MoveTo(int left, int top) override {
        ::SetWindowPos(window_.get(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void Close() override {
        if (!window_ || (OnCloseQuery && !OnCloseQuery())) {
            return;
        }
        if (OnClose) {
            platform::Dispatch(toolkit_, OnClose);
        }
        subclass_.reset();
        ::RemovePropA(window_.get(), kFormProperty);
        window_.Reset();
        if (main_) {
            ::PostQuitMessage(0);
        }
    }

protected:
    Win32Controls& controls() override { return *controls_; }

private:
    std::optional<LRESULT> Message(UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_CLOSE) {
            Close();
            return 0;
        }
        if (message == WM_ACTIVATE && KeepFocus(LOWORD(wParam))) {
            return 0;
        }
        // A handler run from here may delete the form: nothing of it is touched after.
        if (controls_ != nullptr) {
            if (const auto result = controls_->Route(message, wParam, lParam)) {
                return result;
            }
        }
        if (OnMessage) {
            bool handled = false;
            const platform::WindowMessage m{message, static_cast<uintptr_t>(wParam), static_cast<intptr_t>(lParam)};
            platform::Dispatch(toolkit_, [&] { handled = OnMessage(m); });
            if (handled) {
                return 0;
            }
        }
        return std::nullopt;
    }

    // As a dialog box does: the control that had the focus gets it back when the form is active
    // again, the first one in tab order at first. True when a control took it.
    bool KeepFocus(WORD activation) {
        HWND window = window_.get();
        if (activation == WA_INACTIVE) {
            HWND focus = ::GetFocus();
            lastFocus_ = focus != nullptr && ::IsChild(window, focus) ? focus : nullptr;
            return false;
        }
        HWND target = lastFocus_ != nullptr && ::IsChild(window, lastFocus_)
                          ? lastFocus_
                          : ::GetNextDlgTabItem(window, nullptr, FALSE);
        if (target == nullptr) {
            return false;
        }
        ::SetFocus(target);
        return true;
    }

    Win32Toolkit& toolkit_;
    bool main_;
    HWND lastFocus_ = nullptr;
    // Destroyed in this order from the bottom: the controls' objects, the window with the
    // controls' windows, then the font they used.
    ScopedFont font_;
    ScopedWindow window_;
    std::optional<ScopedSubclass> subclass_;  // ended before the window goes
    std::unique_ptr<Win32Controls> controls_;
};

class Win32Timer : public platform::Timer {
public:
    explicit Win32Timer(Win32Toolkit& toolkit) : toolkit_(toolkit), id_(toolkit.nextTimerId_++) {
        toolkit_.timers_[id_] = this;
        Apply();
    }
    ~Win32Timer() override {
        ::KillTimer(toolkit_.timerWindow_.get(), id_);
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
        ::KillTimer(toolkit_.timerWindow_.get(), id_);
        if (enabled_ && interval_ > 0) {
            ::SetTimer(toolkit_.timerWindow_.get(), id_, interval_, nullptr);
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
        const ScopedMenu menu(::CreatePopupMenu());
        for (int i = 0; i < size(); ++i) {
            const platform::MenuItem& item = at(i);
            if (!item.visible) {
                continue;
            }
            if (item.separator()) {
                ::AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
                continue;
            }
            const UINT flags = MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED) | (item.checked ? MF_CHECKED : 0);
            ::AppendMenuA(menu.get(), flags, static_cast<UINT_PTR>(i + 1), item.caption.c_str());
        }
        HWND owner = reinterpret_cast<HWND>(owner_.handle());
        // A menu of a window that is not in the foreground does not close when the user clicks
        // away from it, and what its commands open stays behind Winamp. The owner is hidden, so
        // Windows lets it come forward only because the hook library, in Winamp's process that
        // got the click, allowed it. Refused, the menu still opens where the user asked for it;
        // its last item closes it.
        const bool inFront = ::SetForegroundWindow(owner) != 0;
        const int chosen = static_cast<int>(::TrackPopupMenu(
            menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0, owner, nullptr));
        if (inFront) {
            // The menu's own switch of the foreground finishes only with one more message; the
            // next menu would otherwise close at once.
            ::PostMessageA(owner, WM_NULL, 0, 0);
        }
        if (chosen > 0) {
            Choose(toolkit_, chosen - 1);
        }
    }

private:
    Win32Toolkit& toolkit_;
    platform::Form& owner_;
};

// ChooseColorA over the dialog's slots: their texts go in as colours and come back as texts.
class Win32ColorDialog : public platform::ColorDialog {
public:
    explicit Win32ColorDialog(platform::Form& owner) : owner_(owner) {}

    bool Execute() override {
        std::array<COLORREF, platform::kCustomColorSlots> slots{};
        for (int i = 0; i < platform::kCustomColorSlots; ++i) {
            slots[static_cast<size_t>(i)] = platform::CustomColorValue(customColor(i));
        }
        CHOOSECOLORA choose{};
        choose.lStructSize = sizeof choose;
        choose.hwndOwner = reinterpret_cast<HWND>(owner_.handle());
        choose.rgbResult = static_cast<COLORREF>(color());
        choose.lpCustColors = slots.data();
        choose.Flags = CC_FULLOPEN | CC_RGBINIT;
        const bool chosen = ::ChooseColorA(&choose) != FALSE;
        for (int i = 0; i < platform::kCustomColorSlots; ++i) {
            SetCustomColor(i, platform::CustomColorText(slots[static_cast<size_t>(i)]));
        }
        if (chosen) {
            SetColor(static_cast<TColor>(choose.rgbResult));
        }
        return chosen;
    }

private:
    platform::Form& owner_;
};

Win32Toolkit::Win32Toolkit(HINSTANCE instance)
    : instance_(instance),
      fonts_(std::make_shared<FontCache>()),
      timerWindow_(CreateTimerWindow(instance)),
      timerSubclass_(timerWindow_.get(), [this](UINT m, WPARAM w, LPARAM) { return TimerMessage(m, w); }) {
    // The tab control is a common control.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
}

Win32Toolkit::~Win32Toolkit() = default;

std::optional<LRESULT> Win32Toolkit::TimerMessage(UINT message, WPARAM wParam) {
    if (message != WM_TIMER) {
        return std::nullopt;
    }
    const auto it = timers_.find(static_cast<UINT_PTR>(wParam));
    if (it != timers_.end()) {
        it->second->Tick();
    }
    return 0;
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
    // A Unicode loop: retrieved as ANSI, a typed double-byte character reaches an edit box as two
    // bytes that Wine turns into two wrong characters. The windows' own procedures still get
    // their messages in ANSI, converted by the system.
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // Tab, the arrow keys between radio buttons and the like, as in a dialog box.
        if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST && msg.hwnd != nullptr) {
            HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
            if (root != nullptr && ::GetPropA(root, kFormProperty) != nullptr && ::IsDialogMessageW(root, &msg)) {
                continue;
            }
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// Owned by the window the user is working in, so that it cannot be clicked again while the
// box waits; the hidden display form is never active, and its messages stand alone.
void Win32Toolkit::ShowMessage(const std::string& text) {
    ::MessageBoxA(::GetActiveWindow(), text.c_str(), title_.c_str(), MB_OK);
}

void Win32Toolkit::ShowInformation(const std::string& text, const std::string& caption) {
    ::MessageBoxA(::GetActiveWindow(), text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
}

bool Win32Toolkit::AskYesNo(const std::string& text, const std::string& title) {
    return ::MessageBoxA(::GetActiveWindow(), text.c_str(), title.c_str(), MB_YESNO) == IDYES;
}

bool Win32Toolkit::AskSystemYesNo(const std::string& text, const std::string& title) {
    return ::MessageBoxA(::GetActiveWindow(), text.c_str(), title.c_str(), MB_YESNO | MB_SYSTEMMODAL) == IDYES;
}

std::unique_ptr<platform::ColorDialog> Win32Toolkit::CreateColorDialog(platform::Form& owner) {
    return std::make_unique<Win32ColorDialog>(owner);
}

namespace {

struct FaceList {
    std::vector<std::string> faces;
    std::set<std::string> seen;  // upper case: face names are compared without regard to case
};

int CALLBACK CollectFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM data) {
    auto& list = *reinterpret_cast<FaceList*>(data);
    if (list.seen.insert(text::UpperCase(font->lfFaceName)).second) {
        list.faces.push_back(font->lfFaceName);
    }
    return 1;
}

}  // namespace

// Without a face name Windows gives one font of each face, but Wine one of each style of it:
// a face is kept once, where it first came.
std::vector<std::string> Win32Toolkit::ScreenFontFaces() {
    FaceList list;
    ScopedWindowDc screen(nullptr);
    if (screen) {
        ::EnumFontsA(screen.get(), nullptr, CollectFace, reinterpret_cast<LPARAM>(&list));
    }
    return list.faces;
}

bool Win32Toolkit::RegisterCursor(int index, const std::string& resourceName) {
    HCURSOR cursor = ::LoadCursorA(instance_, resourceName.c_str());
    if (cursor == nullptr) {
        return false;
    }
    cursors_[index] = cursor;
    return true;
}

HCURSOR Win32Toolkit::Cursor(int index) const {
    const auto it = cursors_.find(index);
    return it == cursors_.end() ? nullptr : it->second;
}

platform::Rect Win32Toolkit::ScreenRect() {
    return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

namespace {

BOOL CALLBACK CollectWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (::GetMonitorInfoA(monitor, &info)) {
        const RECT& r = info.rcWork;
        auto& areas = *reinterpret_cast<std::vector<platform::Rect>*>(data);
        const platform::Rect area{r.left, r.top, r.right, r.bottom};
        if ((info.dwFlags & MONITORINFOF_PRIMARY) != 0) {
            areas.insert(areas.begin(), area);
        } else {
            areas.push_back(area);
        }
    }
    return TRUE;
}

}  // namespace

std::vector<platform::Rect> Win32Toolkit::WorkAreas() {
    std::vector<platform::Rect> areas;
    ::EnumDisplayMonitors(nullptr, nullptr, CollectWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

}  // namespace sorabell::win32
