#include "platform/win32/Win32Widgets.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <utility>

#include "platform/Glyphs.h"
#include "platform/TypingLimit.h"
#include "platform/win32/Win32ControlBase.h"
#include "platform/win32/Win32Graphics.h"
#include "platform/win32/Win32Toolkit.h"

namespace sorabell::win32 {

std::string WindowText(HWND window) {
    // On a Unicode system the length of ANSI text is an upper bound; the copy gives the real one.
    const int length = ::GetWindowTextLengthA(window);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(copied, 0)));
    return text;
}

HWND CreateChild(const Site& site, const char* className, const std::string& text, DWORD style,
                 const platform::Bounds& bounds, DWORD exStyle) {
    HWND window = ::CreateWindowExA(exStyle, className, text.c_str(), WS_CHILD | style, bounds.left, bounds.top,
                                    bounds.width, bounds.height, site.parent, nullptr, site.instance, nullptr);
    if (window != nullptr) {
        ::SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(site.font), FALSE);
    }
    return window;
}

namespace {

// A sorted combo box opens onto a list of this many items.
constexpr int kDropDownItems = 8;

// An edit box that takes typed text as Unicode. An ANSI edit gets a double-byte character as two
// separate bytes under Wine and garbles it, and counts its positions in bytes on Windows but in
// characters under Wine; a Unicode one receives whole characters and counts characters on both.
// Its text still goes in and out as CP932 through the ANSI calls.
HWND CreateEditChild(const Site& site, DWORD style, const platform::Bounds& bounds, DWORD exStyle) {
    HWND window = ::CreateWindowExW(exStyle, L"EDIT", L"", WS_CHILD | style, bounds.left, bounds.top, bounds.width,
                                    bounds.height, site.parent, nullptr, site.instance, nullptr);
    if (window != nullptr) {
        ::SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(site.font), FALSE);
    }
    return window;
}

// The item texts of a combo box or list box, in the control's order.
struct ItemMessages {
    UINT count;
    UINT length;
    UINT text;
};
constexpr ItemMessages kComboItems{CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT};
constexpr ItemMessages kListItems{LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT};

std::string ItemText(HWND window, const ItemMessages& messages, int index) {
    const LRESULT length = ::SendMessageA(window, messages.length, static_cast<WPARAM>(index), 0);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied =
        ::SendMessageA(window, messages.text, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

std::vector<std::string> Items(HWND window, const ItemMessages& messages) {
    const int count = static_cast<int>(::SendMessageA(window, messages.count, 0, 0));
    std::vector<std::string> items;
    for (int i = 0; i < count; ++i) {
        items.push_back(ItemText(window, messages, i));
    }
    return items;
}

// A label that follows the mouse over it, as a hyperlink label needs. SS_NOTIFY makes the static
// control take the mouse instead of passing it through to its parent.
class Win32Label : public Win32Captioned<platform::Label> {
public:
    Win32Label(const Site& site, const platform::Bounds& bounds, const std::string& caption)
        : Win32Captioned(site,
                         CreateChild(site, "STATIC", caption, WS_VISIBLE | WS_GROUP | SS_LEFT | SS_NOTIFY, bounds)),
          fontColor_(static_cast<TColor>(::GetSysColor(COLOR_BTNTEXT))),
          subclass_(window(), [this](UINT m, WPARAM w, LPARAM l) { return Mouse(m, w, l); }) {}

    TColor fontColor() const override { return fontColor_; }
    void SetFontColor(TColor color) override { fontColor_ = color; }
    int cursor() const override { return cursor_; }
    void SetCursor(int index) override { cursor_ = index; }
    void Repaint() override {
        ::InvalidateRect(window(), nullptr, TRUE);
        ::UpdateWindow(window());
    }
    platform::Point CursorPos() const override {
        POINT p{};
        ::GetCursorPos(&p);
        ::ScreenToClient(window(), &p);
        return {p.x, p.y};
    }

    HBRUSH Colors(HDC dc) override {
        ::SetTextColor(dc, static_cast<COLORREF>(fontColor_));
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        return ::GetSysColorBrush(COLOR_BTNFACE);
    }

private:
    static constexpr UINT_PTR kLeaveCheck = 1;
    static constexpr UINT kLeaveCheckMs = 100;

    bool PointerOver() const {
        POINT p{};
        return ::GetCursorPos(&p) && ::WindowFromPoint(p) == window();
    }
    void Left() {
        ::KillTimer(window(), kLeaveCheck);
        inside_ = false;
        Fire(OnMouseLeave);
    }

    std::optional<LRESULT> Mouse(UINT message, WPARAM wParam, LPARAM) {
        switch (message) {
            case WM_SETCURSOR:
                if (HCURSOR cursor = cursor_ != 0 ? toolkit().Cursor(cursor_) : nullptr) {
                    ::SetCursor(cursor);
                    return TRUE;
                }
                return std::nullopt;
            case WM_MOUSEMOVE:
                if (!inside_) {
                    inside_ = true;
                    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window(), 0};
                    ::TrackMouseEvent(&track);
                    // Wine can lose the leave of a label that came up under a resting pointer, and
                    // the label would stay hot; a look at the pointer now and then ends it too.
                    ::SetTimer(window(), kLeaveCheck, kLeaveCheckMs, nullptr);
                    Fire(OnMouseEnter);
                }
                return std::nullopt;
            case WM_TIMER:
                if (wParam != kLeaveCheck) {
                    return std::nullopt;
                }
                if (inside_ && ::GetCapture() != window() && !PointerOver()) {
                    Left();
                }
                return 0;
            case WM_MOUSELEAVE:
                if (inside_) {
                    Left();
                }
                return std::nullopt;
            case WM_LBUTTONDOWN:
            case WM_RBUTTONDOWN:
            case WM_MBUTTONDOWN:
                ::SetCapture(window());
                Fire(OnMouseDown);
                return 0;
            case WM_LBUTTONUP:
            case WM_RBUTTONUP:
            case WM_MBUTTONUP:
                if (::GetCapture() == window()) {
                    ::ReleaseCapture();
                }
                Fire(OnMouseUp);
                return 0;
            default:
                return std::nullopt;
        }
    }

    TColor fontColor_;
    int cursor_ = 0;
    bool inside_ = false;
    ScopedSubclass subclass_;
};

class Win32Bevel : public Win32Control<platform::Bevel> {
public:
    Win32Bevel(const Site& site, const platform::Bounds& bounds)
        : Win32Control(site, CreateChild(site, "STATIC", "", WS_VISIBLE | WS_GROUP | SS_ETCHEDFRAME, bounds)) {}
};

class Win32GroupBox : public Win32Captioned<platform::GroupBox> {
public:
    Win32GroupBox(const Site& site, const platform::Bounds& bounds, const std::string& caption)
        : Win32Captioned(site, CreateChild(site, "BUTTON", caption, WS_VISIBLE | WS_GROUP | BS_GROUPBOX, bounds)) {}
};

class Win32Edit : public Win32Control<platform::Edit> {
public:
    Win32Edit(const Site& site, const platform::Bounds& bounds)
        : Win32Control(site, CreateEditChild(site, WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL,
                                             bounds, WS_EX_CLIENTEDGE)) {}

    std::string text() const override { return WindowText(window()); }
    void SetText(const std::string& text) override {
        if (text == this->text()) {
            return;
        }
        // The edit answers with EN_CHANGE, which runs OnChange.
        fromCode_ = true;
        ::SetWindowTextA(window(), text.c_str());
    }
    int maxLength() const override { return maxLength_; }
    void SetMaxLength(int bytes) override { maxLength_ = bytes; }
    bool readOnly() const override { return (::GetWindowLongPtrA(window(), GWL_STYLE) & ES_READONLY) != 0; }
    void SetReadOnly(bool readOnly) override { ::SendMessageA(window(), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0); }
    platform::EditColor color() const override { return color_; }
    void SetColor(platform::EditColor color) override {
        color_ = color;
        ::InvalidateRect(window(), nullptr, TRUE);
    }

    void Command(HWND, UINT code) override {
        if (code != EN_CHANGE || cutting_) {
            return;
        }
        const bool fromCode = std::exchange(fromCode_, false);
        std::string now = text();
        if (!fromCode && maxLength_ > 0 && CutTyping(now) && now == accepted_) {
            return;  // all of it was cut: nothing changed
        }
        accepted_ = now;
        Fire(OnChange);
    }

    // Read-only and disabled edits ask with WM_CTLCOLORSTATIC, the others with WM_CTLCOLOREDIT.
    HBRUSH Colors(HDC dc) override {
        const int index = color_ == platform::EditColor::Window ? COLOR_WINDOW : COLOR_BTNFACE;
        ::SetBkColor(dc, ::GetSysColor(index));
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        return ::GetSysColorBrush(index);
    }

private:
    // Windows' own limit counts characters; the forms' limit counts bytes of CP932 text.
    bool CutTyping(std::string& now) {
        DWORD start = 0;
        DWORD end = 0;
        ::SendMessageA(window(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        const auto excess =
            text::ExcessTyping(accepted_, now, text::ByteOffset(now, end), static_cast<size_t>(maxLength_));
        if (!excess) {
            return false;
        }
        cutting_ = true;
        ::SendMessageA(window(), EM_SETSEL, text::CharCount(now, excess->from),
                       static_cast<LPARAM>(text::CharCount(now, excess->to)));
        ::SendMessageA(window(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
        cutting_ = false;
        now = text();
        return true;
    }

    std::string accepted_;  // the text after the last change, before the one being handled
    int maxLength_ = 0;
    platform::EditColor color_ = platform::EditColor::Window;
    bool fromCode_ = false;
    bool cutting_ = false;
};

// A read-only multi-line edit: it scrolls and its text can be selected, but not changed.
// ES_AUTOHSCROLL keeps a multi-line edit from wrapping its lines at the right edge.
class Win32Memo : public Win32Control<platform::Memo> {
public:
    Win32Memo(const Site& site, const platform::Bounds& bounds)
        : Win32Control(site, CreateEditChild(site,
                                             WS_VISIBLE | WS_GROUP | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL |
                                                 ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_READONLY,
                                             bounds, WS_EX_CLIENTEDGE)) {}

    std::vector<std::string> lines() const override {
        std::vector<std::string> lines;
        const std::string all = WindowText(window());
        size_t start = 0;
        while (start <= all.size()) {
            const size_t end = all.find("\r\n", start);
            lines.push_back(all.substr(start, end == std::string::npos ? std::string::npos : end - start));
            if (end == std::string::npos) {
                break;
            }
            start = end + 2;
        }
        if (!lines.empty() && lines.back().empty()) {
            lines.pop_back();
        }
        return lines;
    }
    void SetLines(const std::vector<std::string>& lines) override {
        std::string all;
        for (const std::string& line : lines) {
            all += line + "\r\n";
        }
        ::SetWindowTextA(window(), all.c_str());
    }

    // A read-only edit would take the grey of a disabled one.
    HBRUSH Colors(HDC dc) override {
        if (!enabled()) {
            return nullptr;
        }
        ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        return ::GetSysColorBrush(COLOR_WINDOW);
    }
};

class Win32Button : public Win32Captioned<platform::Button> {
public:
    Win32Button(const Site& site, const platform::Bounds& bounds, const std::string& caption)
        : Win32Captioned(
              site, CreateChild(site, "BUTTON", caption, WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON, bounds)) {}
    // A button showing the glyph, drawn on the button's face colour.
    Win32Button(const Site& site, const platform::Bounds& bounds, platform::Glyph glyph)
        : Win32Captioned(site, CreateChild(site, "BUTTON", "",
                                           WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON | BS_BITMAP, bounds)) {
        const platform::GlyphImage image = platform::DrawGlyph(glyph);
        uint32_t* bits = nullptr;
        glyph_.Reset(MakeDib(image.width, image.height, &bits));
        if (bits != nullptr) {
            const TColor face = static_cast<TColor>(::GetSysColor(COLOR_BTNFACE));
            for (size_t i = 0; i < image.pixels.size(); ++i) {
                bits[i] = ToDib(image.pixels[i] == platform::GlyphImage::kClear ? face : image.pixels[i]);
            }
            ::SendMessageA(window(), BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(glyph_.get()));
        }
    }

    void Click() override {
        if (enabled()) {
            Fire(OnClick);
        }
    }
    void Command(HWND, UINT code) override {
        if (code == BN_CLICKED) {
            Fire(OnClick);
        }
    }

private:
    ScopedBitmap glyph_;  // the button shows it; it goes after the button's window
};

class Win32CheckBox : public Win32Captioned<platform::CheckBox> {
public:
    Win32CheckBox(const Site& site, const platform::Bounds& bounds, const std::string& caption)
        : Win32Captioned(site, CreateChild(site, "BUTTON", caption,
                                           WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX, bounds)) {}
    bool checked() const override { return ::SendMessageA(window(), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    // BM_SETCHECK notifies nobody, so the change from code runs OnClick here.
    void SetChecked(bool checked) override {
        if (checked != this->checked()) {
            ::SendMessageA(window(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
            Fire(OnClick);
        }
    }
    // The check box has already changed its state when it tells of a click.
    void Command(HWND, UINT code) override {
        if (code == BN_CLICKED) {
            Fire(OnClick);
        }
    }
};

// Not an automatic radio button: the window groups of the forms' controls are no radio groups,
// so the parent's controls uncheck the others themselves.
class Win32RadioButton : public Win32Captioned<platform::RadioButton> {
public:
    Win32RadioButton(const Site& site, const platform::Bounds& bounds, const std::string& caption)
        : Win32Captioned(
              site, CreateChild(site, "BUTTON", caption, WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_RADIOBUTTON, bounds)),
          group_(*site.controls) {}
    bool checked() const override { return ::SendMessageA(window(), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void SetChecked(bool checked) override {
        if (checked == this->checked()) {
            return;
        }
        ::SendMessageA(window(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
        if (checked) {
            group_.RadioChecked(window());
            Fire(OnClick);
        }
    }
    void Command(HWND, UINT code) override {
        if (code == BN_CLICKED) {
            SetChecked(true);
        }
    }

private:
    Win32Controls& group_;
};

// A group box with radio buttons in columns, filled from the top down, one column after another.
// The buttons are the parent's children beside the box, the first of them starting a window
// group, so that a button's click unchecks only its own group's others.
class Win32RadioGroup : public Win32Control<platform::RadioGroup> {
public:
    Win32RadioGroup(const Site& site, const platform::Bounds& bounds, const std::string& caption,
                    std::vector<std::string> items, int columns)
        : Win32Control(site, CreateChild(site, "BUTTON", caption, WS_VISIBLE | WS_GROUP | BS_GROUPBOX, bounds)),
          items_(std::move(items)) {
        if (items_.empty()) {
            return;
        }
        const int count = static_cast<int>(items_.size());
        columns = std::max(columns, 1);
        const int perColumn = (count + columns - 1) / columns;
        const int captionHeight = FontHeight(site.font);
        const int inner = std::max(bounds.height - captionHeight - 5, 0);
        const int buttonWidth = std::max((bounds.width - 10) / columns, 0);
        const int buttonHeight = inner / perColumn;
        const int top = captionHeight + 1 + (inner % perColumn) / 2;
        for (int i = 0; i < count; ++i) {
            const platform::Bounds place{bounds.left + 8 + (i / perColumn) * buttonWidth,
                                         bounds.top + top + (i % perColumn) * buttonHeight, buttonWidth, buttonHeight};
            const DWORD first = i == 0 ? WS_GROUP | WS_TABSTOP : 0;
            buttons_.push_back(CreateChild(site, "BUTTON", items_[static_cast<size_t>(i)],
                                           WS_VISIBLE | BS_AUTORADIOBUTTON | first, place));
        }
    }

    void SetVisible(bool visible) override {
        for (HWND part : windows()) {
            ::ShowWindow(part, visible ? SW_SHOW : SW_HIDE);
        }
    }
    void SetEnabled(bool enabled) override {
        for (HWND part : windows()) {
            ::EnableWindow(part, enabled ? TRUE : FALSE);
        }
    }
    std::vector<HWND> windows() const override {
        std::vector<HWND> all{window()};
        all.insert(all.end(), buttons_.begin(), buttons_.end());
        return all;
    }

    std::string caption() const override { return WindowText(window()); }
    const std::vector<std::string>& items() const override { return items_; }
    int itemIndex() const override {
        for (size_t i = 0; i < buttons_.size(); ++i) {
            if (::SendMessageA(buttons_[i], BM_GETCHECK, 0, 0) == BST_CHECKED) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    void SetItemIndex(int index) override {
        if (index < -1 || index >= static_cast<int>(buttons_.size())) {
            index = -1;
        }
        if (index != itemIndex()) {
            Check(index);
            chosen_ = index;
            Fire(OnClick);
        }
    }

    // A click on a button that was already chosen changes nothing.
    void Command(HWND from, UINT code) override {
        const auto button = std::find(buttons_.begin(), buttons_.end(), from);
        if (code != BN_CLICKED || button == buttons_.end()) {
            return;
        }
        if (::SendMessageA(from, BM_GETCHECK, 0, 0) == BST_CHECKED) {
            Check(static_cast<int>(button - buttons_.begin()));
        }
        const int now = itemIndex();
        if (now != chosen_) {
            chosen_ = now;
            Fire(OnClick);
        }
    }

private:
    static int FontHeight(HFONT font) {
        ScopedWindowDc dc(nullptr);
        ScopedSelect select(dc.get(), font);
        TEXTMETRICA metrics{};
        ::GetTextMetricsA(dc.get(), &metrics);
        return metrics.tmHeight;
    }

    void Check(int index) {
        for (size_t i = 0; i < buttons_.size(); ++i) {
            const bool on = static_cast<int>(i) == index;
            ::SendMessageA(buttons_[i], BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }

    std::vector<std::string> items_;
    std::vector<HWND> buttons_;
    int chosen_ = -1;  // the choice OnClick last told of
};

// A sorted list is sorted by the control itself; items() reads them back in its order.
class Win32ComboBox : public Win32Control<platform::ComboBox> {
public:
    Win32ComboBox(const Site& site, const platform::Bounds& bounds, platform::ListOrder order)
        : Win32Control(site, CreateChild(site, "COMBOBOX", "",
                                         WS_VISIBLE | WS_GROUP | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST |
                                             (order == platform::ListOrder::Sorted ? CBS_SORT : 0),
                                         bounds)),
          fieldHeight_(bounds.height) {
        // A drop-down combo box's window height is that of its field and open list together.
        const int itemHeight = static_cast<int>(::SendMessageA(window(), CB_GETITEMHEIGHT, 0, 0));
        ::SetWindowPos(window(), nullptr, 0, 0, bounds.width, bounds.height + kDropDownItems * itemHeight + 2,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // The field alone: the open list is no part of the control's place on the form.
    platform::Bounds bounds() const override {
        platform::Bounds b = Win32Control::bounds();
        b.height = fieldHeight_;
        return b;
    }

    const std::vector<std::string>& items() const override { return items_; }
    void SetItems(std::vector<std::string> items) override {
        ::SendMessageA(window(), CB_RESETCONTENT, 0, 0);
        for (const std::string& item : items) {
            ::SendMessageA(window(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
        items_ = Items(window(), kComboItems);
    }
    int itemIndex() const override {
        const LRESULT index = ::SendMessageA(window(), CB_GETCURSEL, 0, 0);
        return index == CB_ERR ? -1 : static_cast<int>(index);
    }
    // CB_SETCURSEL notifies nobody, as a selection from code should.
    void SetItemIndex(int index) override {
        const bool valid = index >= 0 && index < static_cast<int>(items_.size());
        ::SendMessageA(window(), CB_SETCURSEL, static_cast<WPARAM>(valid ? index : -1), 0);
    }
    std::string text() const override {
        const int index = itemIndex();
        return index >= 0 ? ItemText(window(), kComboItems, index) : std::string();
    }

    void Command(HWND, UINT code) override {
        if (code == CBN_SELCHANGE) {
            Fire(OnChange);
        }
    }

private:
    int fieldHeight_;
    std::vector<std::string> items_;
};

// The hidden list box keeps its items in the order given; the visible one is sorted by the
// control, and the user's pick runs OnClick.
class Win32ListBox : public Win32Control<platform::ListBox> {
public:
    explicit Win32ListBox(const Site& site)
        : Win32Control(site, CreateChild(site, "LISTBOX", "", WS_VSCROLL | LBS_NOINTEGRALHEIGHT, platform::Bounds{})) {}
    Win32ListBox(const Site& site, const platform::Bounds& bounds)
        : Win32Control(site, CreateChild(site, "LISTBOX", "",
                                         WS_VISIBLE | WS_GROUP | WS_TABSTOP | WS_VSCROLL | LBS_NOINTEGRALHEIGHT |
                                             LBS_SORT | LBS_NOTIFY,
                                         bounds, WS_EX_CLIENTEDGE)) {}

    const std::vector<std::string>& items() const override { return items_; }
    void SetItems(std::vector<std::string> items) override {
        ::SendMessageA(window(), LB_RESETCONTENT, 0, 0);
        for (const std::string& item : items) {
            ::SendMessageA(window(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
        items_ = Items(window(), kListItems);
    }
    int itemIndex() const override {
        const LRESULT index = ::SendMessageA(window(), LB_GETCURSEL, 0, 0);
        return index == LB_ERR ? -1 : static_cast<int>(index);
    }
    void SetItemIndex(int index) override {
        const bool valid = index >= 0 && index < static_cast<int>(items_.size());
        ::SendMessageA(window(), LB_SETCURSEL, static_cast<WPARAM>(valid ? index : -1), 0);
    }

    void Command(HWND, UINT code) override {
        if (code == LBN_SELCHANGE) {
            Fire(OnClick);
        }
    }

private:
    std::vector<std::string> items_;
};

}  // namespace

ScopedFont CreateFormFont() { return ScopedFont(MakeFont({platform::kFormFontName, platform::kFormFontHeight, 0})); }

Win32Controls::Win32Controls(Win32Toolkit& toolkit, HINSTANCE instance, HWND parent, HFONT font,
                             std::shared_ptr<FontCache> fonts)
    : site_{toolkit, instance, parent, font, std::move(fonts), this} {}

Win32Controls::~Win32Controls() = default;

platform::Label& Win32Controls::AddLabel(const platform::Bounds& bounds, const std::string& caption) {
    return Own<Win32Label>(bounds, caption);
}
platform::Bevel& Win32Controls::AddBevel(const platform::Bounds& bounds) { return Own<Win32Bevel>(bounds); }
platform::GroupBox& Win32Controls::AddGroupBox(const platform::Bounds& bounds, const std::string& caption) {
    return Own<Win32GroupBox>(bounds, caption);
}
platform::Edit& Win32Controls::AddEdit(const platform::Bounds& bounds) { return Own<Win32Edit>(bounds); }
platform::Memo& Win32Controls::AddMemo(const platform::Bounds& bounds) { return Own<Win32Memo>(bounds); }
platform::Button& Win32Controls::AddButton(const platform::Bounds& bounds, const std::string& caption) {
    return Own<Win32Button>(bounds, caption);
}
platform::Button& Win32Controls::AddGlyphButton(const platform::Bounds& bounds, platform::Glyph glyph) {
    return Own<Win32Button>(bounds, glyph);
}
platform::CheckBox& Win32Controls::AddCheckBox(const platform::Bounds& bounds, const std::string& caption) {
    return Own<Win32CheckBox>(bounds, caption);
}
platform::RadioButton& Win32Controls::AddRadioButton(const platform::Bounds& bounds, const std::string& caption) {
    auto& radio = Own<Win32RadioButton>(bounds, caption);
    radios_.push_back(radio.windows().front());
    return radio;
}
platform::RadioGroup& Win32Controls::AddRadioGroup(const platform::Bounds& bounds, const std::string& caption,
                                                   std::vector<std::string> items, int columns) {
    return Own<Win32RadioGroup>(bounds, caption, std::move(items), columns);
}
platform::ComboBox& Win32Controls::AddComboBox(const platform::Bounds& bounds, platform::ListOrder order) {
    return Own<Win32ComboBox>(bounds, order);
}
platform::ListBox& Win32Controls::AddListBox() { return Own<Win32ListBox>(); }
platform::ListBox& Win32Controls::AddSortedListBox(const platform::Bounds& bounds) { return Own<Win32ListBox>(bounds); }

void Win32Controls::RadioChecked(HWND checked) {
    for (HWND radio : radios_) {
        if (radio != checked) {
            ::SendMessageA(radio, BM_SETCHECK, BST_UNCHECKED, 0);
        }
    }
}

Win32Widget* Win32Controls::OwnerOf(HWND window) const {
    const auto owner = owners_.find(window);
    return owner == owners_.end() ? nullptr : owner->second;
}

std::optional<LRESULT> Win32Controls::Route(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (Win32Widget* owner = OwnerOf(header->hwndFrom)) {
            owner->Notify(*header);
            return 0;
        }
        return std::nullopt;
    }
    if (message != WM_COMMAND && message != WM_CTLCOLOREDIT && message != WM_CTLCOLORSTATIC) {
        return std::nullopt;
    }
    Win32Widget* owner = OwnerOf(reinterpret_cast<HWND>(lParam));
    if (owner == nullptr) {
        return std::nullopt;
    }
    if (message == WM_COMMAND) {
        owner->Command(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
    }
    if (HBRUSH brush = owner->Colors(reinterpret_cast<HDC>(wParam))) {
        return reinterpret_cast<LRESULT>(brush);
    }
    return std::nullopt;
}

}  // namespace sorabell::win32
