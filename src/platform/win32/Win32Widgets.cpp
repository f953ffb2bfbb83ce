#include "platform/win32/Win32Widgets.h"

#include <algorithm>
#include <functional>
#include <string_view>
#include <utility>

#include "platform/Text.h"
#include "platform/win32/Win32Graphics.h"

namespace sorabell::win32 {

using Site = Win32Controls::Site;

namespace {

// A sorted combo box opens onto a list of this many items.
constexpr int kDropDownItems = 8;

HWND CreateChild(const Site& site, const char* className, const std::string& text, DWORD style,
                 const platform::Bounds& bounds, DWORD exStyle = 0) {
    HWND window = ::CreateWindowExA(exStyle, className, text.c_str(), WS_CHILD | style, bounds.left, bounds.top,
                                    bounds.width, bounds.height, site.form, nullptr, site.instance, nullptr);
    if (window != nullptr) {
        ::SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(site.font), FALSE);
    }
    return window;
}

// An edit box that takes typed text as Unicode. An ANSI edit gets a double-byte character as two
// separate bytes under Wine and garbles it, and counts its positions in bytes on Windows but in
// characters under Wine; a Unicode one receives whole characters and counts characters on both.
// Its text still goes in and out as CP932 through the ANSI calls.
HWND CreateEditChild(const Site& site, DWORD style, const platform::Bounds& bounds, DWORD exStyle) {
    HWND window = ::CreateWindowExW(exStyle, L"EDIT", L"", WS_CHILD | style, bounds.left, bounds.top, bounds.width,
                                    bounds.height, site.form, nullptr, site.instance, nullptr);
    if (window != nullptr) {
        ::SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(site.font), FALSE);
    }
    return window;
}

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

// An edit's positions count characters; the text counts bytes.
size_t ByteOffset(std::string_view text, size_t chars) {
    size_t offset = 0;
    for (; chars > 0 && offset < text.size(); --chars) {
        offset += text::CharLengthAt(text, offset);
    }
    return std::min(offset, text.size());
}

size_t CharCount(std::string_view text, size_t bytes) {
    size_t chars = 0;
    for (size_t offset = 0; offset < bytes && offset < text.size(); offset += text::CharLengthAt(text, offset)) {
        ++chars;
    }
    return chars;
}

struct ByteRange {
    size_t from;
    size_t to;
};

// The bytes of `after` that the user's last change put beyond `limit`: the end of what was
// inserted, which ends at the caret, cut at a whole character. Text that was there before the
// change is never cut, so text set from code longer than the limit only refuses more typing.
std::optional<ByteRange> ExcessTyping(std::string_view before, std::string_view after, size_t caret, size_t limit) {
    if (after.size() <= limit) {
        return std::nullopt;
    }
    caret = std::min(caret, after.size());
    const size_t common = std::min(before.size(), after.size());
    size_t prefix = 0;
    while (prefix < std::min(common, caret) && before[prefix] == after[prefix]) {
        ++prefix;
    }
    if (text::ByteTypeAt(after, prefix) == text::ByteKind::Trail) {
        --prefix;
    }
    size_t suffix = 0;
    const size_t suffixMax = std::min(common - prefix, after.size() - caret);
    while (suffix < suffixMax && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    while (suffix > 0 && text::ByteTypeAt(after, after.size() - suffix) == text::ByteKind::Trail) {
        --suffix;
    }
    const size_t end = after.size() - suffix;
    const size_t kept = after.size() - (end - prefix);
    const size_t room = limit > kept ? limit - kept : 0;
    const size_t from = prefix + text::CutToBytes(after.substr(prefix, end - prefix), room).size();
    if (from >= end) {
        return std::nullopt;
    }
    return ByteRange{from, end};
}

// A control of one window, created by its class.
template <class Base>
class Win32Control : public Base, public Win32Widget {
public:
    Win32Control(const Site& site, HWND window) : toolkit_(site.toolkit), window_(window) {}

    // The control's own flag: a control of a hidden form is still visible.
    bool visible() const override { return (::GetWindowLongPtrA(window_, GWL_STYLE) & WS_VISIBLE) != 0; }
    void SetVisible(bool visible) override { ::ShowWindow(window_, visible ? SW_SHOW : SW_HIDE); }
    bool enabled() const override { return ::IsWindowEnabled(window_) != FALSE; }
    void SetEnabled(bool enabled) override { ::EnableWindow(window_, enabled ? TRUE : FALSE); }
    std::vector<HWND> windows() const override { return {window_}; }

protected:
    HWND window() const { return window_; }
    // A copy runs: the handler may delete the form and this control with it.
    void Fire(std::function<void()> handler) {
        if (handler) {
            platform::Dispatch(toolkit_, handler);
        }
    }

private:
    platform::Toolkit& toolkit_;
    HWND window_;
};

class Win32Label : public Win32Control<platform::Label> {
public:
    Win32Label(const Site& site, const platform::Bounds& bounds, const std::string& caption)
        : Win32Control(site, CreateChild(site, "STATIC", caption, WS_VISIBLE | WS_GROUP | SS_LEFT, bounds)) {}
    std::string caption() const override { return WindowText(window()); }
    void SetCaption(const std::string& caption) override { ::SetWindowTextA(window(), caption.c_str()); }
};

class Win32Bevel : public Win32Control<platform::Bevel> {
public:
    Win32Bevel(const Site& site, const platform::Bounds& bounds)
        : Win32Control(site, CreateChild(site, "STATIC", "", WS_VISIBLE | WS_GROUP | SS_ETCHEDFRAME, bounds)) {}
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
        const auto excess = ExcessTyping(accepted_, now, ByteOffset(now, end), static_cast<size_t>(maxLength_));
        if (!excess) {
            return false;
        }
        cutting_ = true;
        ::SendMessageA(window(), EM_SETSEL, CharCount(now, excess->from),
                       static_cast<LPARAM>(CharCount(now, excess->to)));
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

class Win32Button : public Win32Control<platform::Button> {
public:
    Win32Button(const Site& site, const platform::Bounds& bounds, const std::string& caption)
        : Win32Control(
              site, CreateChild(site, "BUTTON", caption, WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON, bounds)) {}
    std::string caption() const override { return WindowText(window()); }
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
};

class Win32CheckBox : public Win32Control<platform::CheckBox> {
public:
    Win32CheckBox(const Site& site, const platform::Bounds& bounds, const std::string& caption)
        : Win32Control(site, CreateChild(site, "BUTTON", caption, WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX,
                                         bounds)) {}
    std::string caption() const override { return WindowText(window()); }
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

// A group box with radio buttons in columns, filled from the top down, one column after another.
// The buttons are the form's children beside the box, the first of them starting a window group,
// so that a button's click unchecks only its own group's others.
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

// The control itself sorts its items; items() reads them back in its order.
class Win32ComboBox : public Win32Control<platform::ComboBox> {
public:
    Win32ComboBox(const Site& site, const platform::Bounds& bounds)
        : Win32Control(site, CreateChild(site, "COMBOBOX", "",
                                         WS_VISIBLE | WS_GROUP | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT,
                                         bounds)) {
        // A drop-down combo box's window height is that of its field and open list together.
        const int itemHeight = static_cast<int>(::SendMessageA(window(), CB_GETITEMHEIGHT, 0, 0));
        ::SetWindowPos(window(), nullptr, 0, 0, bounds.width, bounds.height + kDropDownItems * itemHeight + 2,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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
    std::vector<std::string> items_;
};

class Win32ListBox : public Win32Control<platform::ListBox> {
public:
    explicit Win32ListBox(const Site& site)
        : Win32Control(site, CreateChild(site, "LISTBOX", "", WS_VSCROLL | LBS_NOINTEGRALHEIGHT, platform::Bounds{})) {}

    const std::vector<std::string>& items() const override { return items_; }
    void SetItems(std::vector<std::string> items) override {
        ::SendMessageA(window(), LB_RESETCONTENT, 0, 0);
        for (const std::string& item : items) {
            ::SendMessageA(window(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
        items_ = Items(window(), kListItems);
    }

private:
    std::vector<std::string> items_;
};

}  // namespace

ScopedFont CreateFormFont() { return ScopedFont(MakeFont({platform::kFormFontName, platform::kFormFontHeight, 0})); }

Win32Controls::Win32Controls(platform::Toolkit& toolkit, HINSTANCE instance, HWND form, HFONT font)
    : site_{toolkit, instance, form, font} {}

Win32Controls::~Win32Controls() = default;

template <class Control, class... Args>
Control& Win32Controls::Own(Args&&... args) {
    auto control = std::make_unique<Control>(site_, std::forward<Args>(args)...);
    Control& ref = *control;
    for (HWND window : ref.windows()) {
        if (window != nullptr) {
            owners_[window] = &ref;
        }
    }
    controls_.push_back(std::move(control));
    return ref;
}

platform::Label& Win32Controls::AddLabel(const platform::Bounds& bounds, const std::string& caption) {
    return Own<Win32Label>(bounds, caption);
}
platform::Bevel& Win32Controls::AddBevel(const platform::Bounds& bounds) { return Own<Win32Bevel>(bounds); }
platform::Edit& Win32Controls::AddEdit(const platform::Bounds& bounds) { return Own<Win32Edit>(bounds); }
platform::Button& Win32Controls::AddButton(const platform::Bounds& bounds, const std::string& caption) {
    return Own<Win32Button>(bounds, caption);
}
platform::CheckBox& Win32Controls::AddCheckBox(const platform::Bounds& bounds, const std::string& caption) {
    return Own<Win32CheckBox>(bounds, caption);
}
platform::RadioGroup& Win32Controls::AddRadioGroup(const platform::Bounds& bounds, const std::string& caption,
                                                   std::vector<std::string> items, int columns) {
    return Own<Win32RadioGroup>(bounds, caption, std::move(items), columns);
}
platform::ComboBox& Win32Controls::AddComboBox(const platform::Bounds& bounds) { return Own<Win32ComboBox>(bounds); }
platform::ListBox& Win32Controls::AddListBox() { return Own<Win32ListBox>(); }

std::optional<LRESULT> Win32Controls::Route(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COMMAND && message != WM_CTLCOLOREDIT && message != WM_CTLCOLORSTATIC) {
        return std::nullopt;
    }
    const auto owner = owners_.find(reinterpret_cast<HWND>(lParam));
    if (owner == owners_.end()) {
        return std::nullopt;
    }
    if (message == WM_COMMAND) {
        owner->second->Command(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
    }
    if (HBRUSH brush = owner->second->Colors(reinterpret_cast<HDC>(wParam))) {
        return reinterpret_cast<LRESULT>(brush);
    }
    return std::nullopt;
}

}  // namespace sorabell::win32
