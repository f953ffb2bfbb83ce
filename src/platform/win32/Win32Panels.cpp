// The controls that are windows of the toolkit's own classes: paint boxes, images, and the pages
// of a page control, which hold controls themselves.

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/Win32ControlBase.h"
#include "platform/win32/Win32Graphics.h"

namespace sorabell::win32 {

namespace {

constexpr const char* kPaintBoxClass = "SorabellPaintBox";
constexpr const char* kTabSheetClass = "SorabellTabSheet";

HWND CreatePanel(const Site& site, HWND parent, const char* className, DWORD style, DWORD exStyle,
                 const platform::Bounds& bounds) {
    RegisterWindowClass(site.instance, className);
    return ::CreateWindowExA(exStyle, className, "", WS_CHILD | style, bounds.left, bounds.top, bounds.width,
                             bounds.height, parent, nullptr, site.instance, nullptr);
}

// Panels draw their whole area on WM_PAINT and never erase first, so a repaint does not flicker.
template <class Paint>
std::optional<LRESULT> PaintWithoutErase(HWND window, UINT message, Paint paint) {
    if (message == WM_ERASEBKGND) {
        return 1;
    }
    if (message != WM_PAINT) {
        return std::nullopt;
    }
    PAINTSTRUCT ps{};
    HDC dc = ::BeginPaint(window, &ps);
    paint(dc, ps.rcPaint);
    ::EndPaint(window, &ps);
    return 0;
}

// Painted by its OnPaint on a canvas over the paint's device context; the background is left
// to the handler, so a full repaint does not flicker.
class Win32PaintBox : public Win32Control<platform::PaintBox> {
public:
    Win32PaintBox(const Site& site, const platform::Bounds& bounds)
        : Win32Control(site, CreatePanel(site, site.parent, kPaintBoxClass, WS_VISIBLE, 0, bounds)),
          fonts_(site.fonts),
          subclass_(window(), [this](UINT m, WPARAM w, LPARAM l) { return Message(m, w, l); }) {}

    void Invalidate() override { ::InvalidateRect(window(), nullptr, FALSE); }
    void Repaint() override {
        Invalidate();
        ::UpdateWindow(window());
    }

private:
    std::optional<LRESULT> Message(UINT message, WPARAM, LPARAM) {
        return PaintWithoutErase(window(), message, [this](HDC dc, const RECT& dirty) {
            Win32Canvas canvas(dc, fonts_);
            if (OnPaint) {
                platform::Dispatch(toolkit(), [&] { OnPaint(canvas); });
            } else {
                ::FillRect(dc, &dirty, ::GetSysColorBrush(COLOR_BTNFACE));
            }
        });
    }

    std::shared_ptr<FontCache> fonts_;
    ScopedSubclass subclass_;  // last: it goes first
};

class Win32Image : public Win32Control<platform::ImageBox> {
public:
    Win32Image(const Site& site, const platform::Bounds& bounds)
        : Win32Control(site, CreatePanel(site, site.parent, kPaintBoxClass, WS_VISIBLE, 0, bounds)),
          picture_(site.fonts),
          subclass_(window(), [this](UINT m, WPARAM w, LPARAM l) { return Message(m, w, l); }) {
        picture_.SetSize(bounds.width, bounds.height);
    }

    platform::Bitmap& picture() override { return picture_; }
    void Invalidate() override { ::InvalidateRect(window(), nullptr, FALSE); }

private:
    std::optional<LRESULT> Message(UINT message, WPARAM, LPARAM) {
        return PaintWithoutErase(window(), message, [this](HDC dc, const RECT&) {
            RECT client{};
            ::GetClientRect(window(), &client);
            ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
            ::BitBlt(dc, 0, 0, picture_.width(), picture_.height(), picture_.dc(), 0, 0, SRCCOPY);
        });
    }

    Win32Bitmap picture_;
    ScopedSubclass subclass_;  // last: it goes first
};

class Win32PageControl;

// A page is a window of its own on the tab control: its controls are its children and show and
// hide with it, and their notifications come to it.
class Win32TabSheet : public Win32ContainerOf<platform::TabSheet> {
public:
    Win32TabSheet(const Site& site, HWND tabs, const RECT& place, std::string caption, int index)
        : caption_(std::move(caption)),
          index_(index),
          window_(CreatePanel(site, tabs, kTabSheetClass, WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT,
                              {place.left, place.top, place.right - place.left, place.bottom - place.top})),
          controls_(std::make_unique<Win32Controls>(site.toolkit, site.instance, window_, site.font, site.fonts)),
          subclass_(window_, [this](UINT m, WPARAM w, LPARAM l) { return controls_->Route(m, w, l); }) {}
    Win32TabSheet(const Win32TabSheet&) = delete;
    Win32TabSheet& operator=(const Win32TabSheet&) = delete;

    std::string caption() const override { return caption_; }
    int pageIndex() const override { return index_; }
    bool showing() const override { return ::IsWindowVisible(window_) != FALSE; }
    platform::Bounds bounds() const override {
        RECT r{};
        ::GetClientRect(window_, &r);
        return {0, 0, r.right, r.bottom};
    }
    HWND window() const { return window_; }

protected:
    Win32Controls& controls() override { return *controls_; }

private:
    std::string caption_;
    int index_;
    HWND window_;  // a child of the tab control, gone with it
    std::unique_ptr<Win32Controls> controls_;
    ScopedSubclass subclass_;  // last: it goes first
};

class Win32PageControl : public Win32Control<platform::PageControl> {
public:
    Win32PageControl(const Site& site, const platform::Bounds& bounds, const std::vector<std::string>& captions)
        : Win32Control(site,
                       CreateChild(site, WC_TABCONTROLA, "",
                                   WS_VISIBLE | WS_GROUP | WS_TABSTOP | WS_CLIPSIBLINGS | TCS_MULTILINE, bounds)) {
        for (size_t i = 0; i < captions.size(); ++i) {
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            std::string text = captions[i];
            item.pszText = text.data();
            ::SendMessageA(window(), TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        }
        // The rows of tabs are known once all of them are in.
        RECT place{};
        ::GetClientRect(window(), &place);
        ::SendMessageA(window(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&place));
        for (size_t i = 0; i < captions.size(); ++i) {
            pages_.push_back(std::make_unique<Win32TabSheet>(site, window(), place, captions[i], static_cast<int>(i)));
        }
        Show(0);
    }

    int pageCount() const override { return static_cast<int>(pages_.size()); }
    platform::TabSheet& page(int index) override { return *pages_.at(static_cast<size_t>(index)); }
    int activePageIndex() const override { return active_; }
    void SetActivePageIndex(int index) override {
        if (index >= 0 && index < pageCount()) {
            ::SendMessageA(window(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
            Show(index);
        }
    }

    void Notify(const NMHDR& header) override {
        if (header.code != static_cast<UINT>(TCN_SELCHANGE)) {
            return;
        }
        const int chosen = static_cast<int>(::SendMessageA(window(), TCM_GETCURSEL, 0, 0));
        if (chosen >= 0 && chosen != active_) {
            Show(chosen);
            Fire(OnChange);
        }
    }

private:
    void Show(int index) {
        if (pages_.empty()) {
            return;
        }
        active_ = index;
        for (const auto& page : pages_) {
            ::ShowWindow(page->window(), page->pageIndex() == index ? SW_SHOW : SW_HIDE);
        }
    }

    std::vector<std::unique_ptr<Win32TabSheet>> pages_;
    int active_ = 0;
};

}  // namespace

platform::PaintBox& Win32Controls::AddPaintBox(const platform::Bounds& bounds) { return Own<Win32PaintBox>(bounds); }
platform::ImageBox& Win32Controls::AddImage(const platform::Bounds& bounds) { return Own<Win32Image>(bounds); }
platform::PageControl& Win32Controls::AddPageControl(const platform::Bounds& bounds,
                                                     const std::vector<std::string>& captions) {
    return Own<Win32PageControl>(bounds, captions);
}

}  // namespace sorabell::win32
