#include "platform/win32/Win32FolderBrowser.h"

#include <windows.h>
// After windows.h.
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

#include "platform/Errors.h"
#include "platform/Text.h"
#include "platform/win32/ScopedWin.h"
#include "platform/win32/Win32Widgets.h"

namespace sorabell::win32 {

namespace {

constexpr int kFolderTreeId = 0x3741;

HWND Hwnd(platform::WindowHandle handle) { return reinterpret_cast<HWND>(handle); }
platform::WindowHandle ToHandle(HWND window) { return reinterpret_cast<platform::WindowHandle>(window); }

std::string TextOf(HWND window) {
    const int length = ::GetWindowTextLengthA(window);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(std::max(::GetWindowTextA(window, text.data(), length + 1), 0)));
    return text;
}

// A window's place in its parent's client coordinates.
platform::Bounds PlaceInParent(HWND window) {
    RECT place{};
    ::GetWindowRect(window, &place);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&place), 2);
    return {place.left, place.top, place.right - place.left, place.bottom - place.top};
}

// An item ID list of the shell: one taken over is freed with the item, one of the dialog's
// only looked at.
class Win32ShellItem : public platform::ShellItem {
public:
    explicit Win32ShellItem(LPITEMIDLIST owned) : owned_(owned), list_(owned) {}
    static Win32ShellItem Borrow(LPCITEMIDLIST list) { return Win32ShellItem(list); }

    LPCITEMIDLIST list() const { return list_; }

private:
    explicit Win32ShellItem(LPCITEMIDLIST borrowed) : list_(borrowed) {}

    ScopedItemIdList owned_;
    LPCITEMIDLIST list_;
};

LPCITEMIDLIST ListOf(const platform::ShellItem& item) { return static_cast<const Win32ShellItem&>(item).list(); }

class Win32ButtonCopy : public platform::ButtonCopy {
public:
    Win32ButtonCopy(ScopedWindow window, HWND templ, platform::ButtonKind kind)
        : window_(std::move(window)), template_(templ), kind_(kind) {}

    bool visible() const override { return (::GetWindowLongPtrA(window_.get(), GWL_STYLE) & WS_VISIBLE) != 0; }
    bool showing() const override { return ::IsWindowVisible(window_.get()) != FALSE; }
    void SetVisible(bool visible) override { ::ShowWindow(window_.get(), visible ? SW_SHOW : SW_HIDE); }
    bool enabled() const override { return ::IsWindowEnabled(window_.get()) != FALSE; }
    void SetEnabled(bool enabled) override { ::EnableWindow(window_.get(), enabled ? TRUE : FALSE); }

    platform::WindowHandle handle() const override { return ToHandle(window_.get()); }
    platform::ButtonKind kind() const override { return kind_; }
    std::string caption() const override { return TextOf(window_.get()); }
    bool checked() const override {
        return kind_ != platform::ButtonKind::Button && ::SendMessageA(window_.get(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    platform::Bounds bounds() const override { return PlaceInParent(window_.get()); }
    void SetBounds(const platform::Bounds& b) override {
        ::SetWindowPos(window_.get(), nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void CarryBack() override {
        const std::string text = caption();
        if (text != TextOf(template_)) {
            ::SetWindowTextA(template_, text.c_str());
        }
        const platform::Bounds size = bounds();
        ::SetWindowPos(template_, nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

private:
    ScopedWindow window_;
    HWND template_;
    platform::ButtonKind kind_;
};

class Win32BrowseDialog;

// One run of the dialog, from the call to its return.
struct Session {
    platform::Toolkit& toolkit;
    platform::BrowseEvents* events;  // none once the owner has closed the dialog
    std::unique_ptr<Win32BrowseDialog> dialog;

    template <class Event>
    void Tell(Event&& event) {
        if (events != nullptr) {
            platform::Dispatch(toolkit, [&] { event(*events); });
        }
    }
};

class Win32BrowseDialog : public platform::BrowseDialog {
public:
    Win32BrowseDialog(HWND window, Session& session)
        : window_(window),
          ok_(::GetDlgItem(window, IDOK)),
          session_(session),
          subclass_(window, [this](UINT m, WPARAM w, LPARAM l) { return Route(m, w, l); }) {}
    Win32BrowseDialog(const Win32BrowseDialog&) = delete;
    Win32BrowseDialog& operator=(const Win32BrowseDialog&) = delete;

    platform::WindowHandle handle() const override { return ToHandle(window_); }
    platform::Rect windowRect() const override {
        RECT r{};
        ::GetWindowRect(window_, &r);
        return {r.left, r.top, r.right, r.bottom};
    }
    platform::Size clientSize() const override {
        RECT r{};
        ::GetClientRect(window_, &r);
        return {r.right - r.left, r.bottom - r.top};
    }
    void MoveTo(int x, int y) override {
        ::SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    std::string caption() const override {
        char text[256] = {};
        ::SendMessageA(window_, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        return text;
    }
    void SetCaption(const std::string& caption) override {
        ::SendMessageA(window_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(caption.c_str()));
    }
    void SetStatusText(const std::string& text) override {
        ::SendMessageA(window_, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    void EnableOk(bool enabled) override { ::SendMessageA(window_, BFFM_ENABLEOK, 0, enabled ? 1 : 0); }
    void SelectPath(const std::string& path) override {
        wanted_ = path;
        ::SendMessageA(window_, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(wanted_.c_str()));
    }
    // Wine's dialog at times takes a selection asked for while it sets itself up only once that
    // is done, or not at all: the same selection is asked for again from the message queue then.
    // Windows answers at once, so this does nothing there.
    void SelectionArrived(const std::string& path) {
        if (!wanted_.empty() &&
            text::SameText(text::ExcludeTrailingBackslash(path), text::ExcludeTrailingBackslash(wanted_))) {
            wanted_.clear();
        }
    }
    void AskAgainForASelectionThatDidNotArrive() {
        if (!wanted_.empty()) {
            ::PostMessageA(window_, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(wanted_.c_str()));
        }
    }
    bool hasOkButton() const override { return ok_ != nullptr; }
    bool okEnabled() const override { return ok_ != nullptr && ::IsWindowEnabled(ok_) != FALSE; }
    void FocusFolderTree() override { ::SetFocus(::GetDlgItem(window_, kFolderTreeId)); }

    // Drawn on a memory context, which shows nothing, with the dialog's font: DT_MODIFYSTRING
    // leaves the shortened text in the buffer, which needs room for four more characters.
    std::string FitText(const std::string& text, const platform::Rect& box, platform::Ellipsis ellipsis) override {
        const ScopedWindowDc screen(window_);
        const ScopedMemoryDc dc(::CreateCompatibleDC(screen.get()));
        const auto font = reinterpret_cast<HFONT>(::SendMessageA(window_, WM_GETFONT, 0, 0));
        std::optional<ScopedSelect> fontSelected;
        if (font != nullptr) {
            fontSelected.emplace(dc.get(), font);
        }
        std::string buffer = text;
        buffer.append(5, '\0');
        RECT rect{box.left, box.top, box.right, box.bottom};
        const UINT shorten = ellipsis == platform::Ellipsis::Path ? DT_PATH_ELLIPSIS : DT_END_ELLIPSIS;
        ::DrawTextExA(dc.get(), buffer.data(), -1, &rect, DT_MODIFYSTRING | shorten | DT_NOPREFIX | DT_EXTERNALLEADING,
                      nullptr);
        buffer.resize(std::strlen(buffer.c_str()));
        return buffer;
    }

    // From the template's own window: its class, styles, text, check state, font, place and
    // size, and its control identifier.
    std::unique_ptr<platform::ButtonCopy> CopyButton(platform::Control& templ, platform::ButtonKind kind) override {
        auto* widget = dynamic_cast<Win32Widget*>(&templ);
        if (widget == nullptr || widget->windows().empty()) {
            throw Exception("a custom button must be a control of a form");
        }
        HWND source = widget->windows().front();
        char className[64] = {};
        ::GetClassNameA(source, className, sizeof className);
        auto style = static_cast<DWORD>(::GetWindowLongPtrA(source, GWL_STYLE) & ~WS_VISIBLE);
        // The form's radio buttons check themselves through their form; alone in the dialog,
        // the copy checks itself on a click.
        if (kind == platform::ButtonKind::RadioButton && (style & BS_TYPEMASK) == BS_RADIOBUTTON) {
            style = (style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_AUTORADIOBUTTON;
        }
        const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrA(source, GWL_EXSTYLE));
        const platform::Bounds place = PlaceInParent(source);
        ScopedWindow copy(::CreateWindowExA(
            exStyle, className, TextOf(source).c_str(), style, place.left, place.top, place.width, place.height,
            window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(::GetDlgCtrlID(source))),
            reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(source, GWLP_HINSTANCE)), nullptr));
        if (!copy) {
            throw Exception("the custom button could not be copied into the dialog");
        }
        ::SendMessageA(copy.get(), WM_SETFONT, static_cast<WPARAM>(::SendMessageA(source, WM_GETFONT, 0, 0)), FALSE);
        if (kind != platform::ButtonKind::Button) {
            ::SendMessageA(copy.get(), BM_SETCHECK, static_cast<WPARAM>(::SendMessageA(source, BM_GETCHECK, 0, 0)), 0);
        }
        return std::make_unique<Win32ButtonCopy>(std::move(copy), source, kind);
    }

    void Close() override {
        session_.events = nullptr;
        ::SendMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
    }

private:
    LRESULT Previous(UINT message, WPARAM wParam, LPARAM lParam) const {
        return subclass_.CallOld(message, wParam, lParam);
    }

    std::optional<LRESULT> Route(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_SHOWWINDOW: {
                const LRESULT result = Previous(message, wParam, lParam);
                session_.Tell([&](platform::BrowseEvents& events) { events.Shown(*this); });
                return result;
            }
            case WM_COMMAND: {
                bool handled = false;
                session_.Tell([&](platform::BrowseEvents& events) {
                    handled = events.Command(*this, LOWORD(wParam), HIWORD(wParam),
                                             static_cast<platform::WindowHandle>(lParam));
                });
                return handled ? 0 : Previous(message, wParam, lParam);
            }
            case WM_DESTROY: {
                const LRESULT result = Previous(message, wParam, lParam);
                session_.Tell([&](platform::BrowseEvents& events) { events.Destroying(*this); });
                return result;
            }
            case WM_NCDESTROY: {
                Session& session = session_;
                const LRESULT result = Previous(message, wParam, lParam);
                session.Tell([](platform::BrowseEvents& events) { events.Destroyed(); });
                session.dialog.reset();  // this object
                return result;
            }
            default:
                return std::nullopt;
        }
    }

    HWND window_;
    HWND ok_;
    Session& session_;
    std::string wanted_;       // a selection asked for that has not arrived; the posted request's text
    ScopedSubclass subclass_;  // last: it goes first
};

int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM lParam, LPARAM data) {
    auto& session = *reinterpret_cast<Session*>(data);
    if (message != BFFM_INITIALIZED && message != BFFM_SELCHANGED) {
        return 0;
    }
    // The first event may be either: a selection can move before the dialog says it is set up.
    if (!session.dialog && ::IsWindow(window)) {
        session.dialog = std::make_unique<Win32BrowseDialog>(window, session);
    }
    if (!session.dialog) {
        return 0;
    }
    Win32BrowseDialog& dialog = *session.dialog;
    if (message == BFFM_INITIALIZED) {
        session.Tell([&](platform::BrowseEvents& events) { events.Initialized(dialog); });
        dialog.AskAgainForASelectionThatDidNotArrive();
    } else {
        const auto item = Win32ShellItem::Borrow(reinterpret_cast<LPCITEMIDLIST>(lParam));
        char path[MAX_PATH] = {};
        if (item.list() != nullptr && ::SHGetPathFromIDListA(item.list(), path)) {
            dialog.SelectionArrived(path);
        }
        session.Tell([&](platform::BrowseEvents& events) { events.SelectionChanged(dialog, item); });
    }
    return 0;
}

}  // namespace

platform::BrowseResult Win32FolderBrowser::Browse(const platform::BrowseRequest& request,
                                                  platform::BrowseEvents& events) {
    const ScopedComInit com;
    Session session{toolkit_, &events, nullptr};
    char displayName[MAX_PATH] = {};
    BROWSEINFOA info{};
    info.hwndOwner = Hwnd(request.owner);
    info.pidlRoot = request.root != nullptr ? ListOf(*request.root) : nullptr;
    info.pszDisplayName = displayName;
    info.lpszTitle = request.instruction.empty() ? nullptr : request.instruction.c_str();
    info.ulFlags = request.flags;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(&session);
    ScopedItemIdList chosen(::SHBrowseForFolderA(&info));

    platform::BrowseResult result;
    if (chosen) {
        result.item = std::make_unique<Win32ShellItem>(chosen.release());
        result.displayName = displayName;
        result.imageIndex = info.iImage;
    }
    return result;
}

std::string Win32FolderBrowser::PathOf(const platform::ShellItem& item) {
    char path[MAX_PATH] = {};
    if (!::SHGetPathFromIDListA(ListOf(item), path)) {
        return {};
    }
    return path;
}

std::unique_ptr<platform::ShellItem> Win32FolderBrowser::SpecialFolder(platform::WindowHandle owner, int csidl) {
    LPITEMIDLIST list = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(Hwnd(owner), csidl, &list)) || list == nullptr) {
        return nullptr;
    }
    return std::make_unique<Win32ShellItem>(list);
}

platform::DialogBaseUnits Win32FolderBrowser::BaseUnits() {
    const LONG units = ::GetDialogBaseUnits();
    return {LOWORD(units), HIWORD(units)};
}

platform::Size Win32FolderBrowser::ScreenSize() {
    return {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

platform::Rect Win32FolderBrowser::WindowRect(platform::WindowHandle window) {
    RECT r{};
    if (!::GetWindowRect(Hwnd(window), &r)) {
        return {};
    }
    return {r.left, r.top, r.right, r.bottom};
}

platform::Point Win32FolderBrowser::ClientToScreen(platform::WindowHandle window, platform::Point point) {
    POINT p{point.x, point.y};
    ::ClientToScreen(Hwnd(window), &p);
    return {p.x, p.y};
}

void Win32FolderBrowser::Focus(platform::WindowHandle window) { ::SetFocus(Hwnd(window)); }

}  // namespace sorabell::win32
