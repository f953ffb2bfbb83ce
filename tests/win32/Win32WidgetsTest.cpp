// What only the real controls do: the user's typing, clicks and colours, the form's font, and
// message boxes that a helper thread answers as the user would.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "harness/Waits.h"
#include "platform/Errors.h"
#include "platform/win32/Win32Toolkit.h"

namespace sorabell::testing {
namespace {

// Answers the next message box of that title with a button, keeping its text.
class MessageBoxAnswerer {
public:
    MessageBoxAnswerer(std::string title, int button)
        : thread_([this, title = std::move(title), button] {
              HWND box = nullptr;
              if (WaitFor([&] { return (box = ::FindWindowA("#32770", title.c_str())) != nullptr; }, 5000)) {
                  char text[256] = {};
                  ::GetWindowTextA(::GetDlgItem(box, 0xFFFF), text, sizeof text);
                  text_ = text;
                  owner_ = ::GetWindow(box, GW_OWNER);
                  ::PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
              }
          }) {}
    ~MessageBoxAnswerer() { Join(); }
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    // The text and owner of the box, once it has been answered.
    std::string text() {
        Join();
        return text_;
    }
    HWND owner() {
        Join();
        return owner_;
    }

private:
    void Join() {
        if (thread_.joinable()) {
            thread_.join();
        }
    }

    std::string text_;
    HWND owner_ = nullptr;
    std::thread thread_;
};

// Answers the first dialog box that `owner` owns with a button, keeping its extended style.
class OwnedDialogAnswerer {
public:
    OwnedDialogAnswerer(HWND owner, int button)
        : owner_(owner), thread_([this, owner, button] {
              const bool found = WaitFor(
                  [this] {
                      ::EnumWindows(FindOwned, reinterpret_cast<LPARAM>(this));
                      return box_ != nullptr;
                  },
                  5000);
              if (found) {
                  exStyle_ = static_cast<DWORD>(::GetWindowLongPtrA(box_, GWL_EXSTYLE));
                  ::PostMessageA(box_, WM_COMMAND, static_cast<WPARAM>(button), 0);
              }
          }) {}
    ~OwnedDialogAnswerer() {
        if (thread_.joinable()) {
            thread_.join();
        }
    }
    OwnedDialogAnswerer(const OwnedDialogAnswerer&) = delete;
    OwnedDialogAnswerer& operator=(const OwnedDialogAnswerer&) = delete;

    DWORD exStyle() {
        if (thread_.joinable()) {
            thread_.join();
        }
        return exStyle_;
    }

private:
    static BOOL CALLBACK FindOwned(HWND window, LPARAM self) {
        auto* me = reinterpret_cast<OwnedDialogAnswerer*>(self);
        char name[16] = {};
        ::GetClassNameA(window, name, sizeof name);
        // Only once shown: a box's styles are set while it initialises, after it can be found.
        if (std::string(name) == "#32770" && ::GetWindow(window, GW_OWNER) == me->owner_ && ::IsWindowVisible(window)) {
            me->box_ = window;
            return FALSE;
        }
        return TRUE;
    }

    HWND owner_;
    HWND box_ = nullptr;
    DWORD exStyle_ = 0;
    std::thread thread_;  // last: it uses the members above
};

class Win32Widgets : public ::testing::Test {
protected:
    Win32Widgets() { toolkit_.SetTitle("Sorabell"); }
    HWND Form() const { return reinterpret_cast<HWND>(form_->handle()); }
    HWND Child(const char* className, const char* text = nullptr) const {
        return ::FindWindowExA(Form(), nullptr, className, text);
    }
    // Keys reach the edit as the characters they make, in UTF-16 as from the keyboard or the
    // input method: Wine does not join two bytes sent as ANSI WM_CHARs into one character.
    static void Type(HWND window, const std::string& text) {
        std::wstring wide(text.size(), L'\0');
        wide.resize(static_cast<size_t>(::MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()),
                                                              wide.data(), static_cast<int>(wide.size()))));
        for (wchar_t character : wide) {
            ::SendMessageW(window, WM_CHAR, character, 1);
        }
    }
    static DWORD Caret(HWND edit) {
        DWORD start = 0;
        DWORD end = 0;
        ::SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return end;
    }

    win32::Win32Toolkit toolkit_{::GetModuleHandleA(nullptr)};
    std::unique_ptr<platform::Form> form_ = toolkit_.CreateForm({"SorabellWin32WidgetsTest", "部品", 320, 240, true});
};

TEST_F(Win32Widgets, TypingBeyondTheByteLimitIsRefusedAtAWholeCharacter) {
    auto& edit = form_->AddEdit({8, 8, 200, 22});
    std::vector<std::string> seen;
    edit.OnChange = [&] { seen.push_back(edit.text()); };
    edit.SetMaxLength(5);
    HWND window = Child("Edit");

    Type(window, "abあい");  // い would need bytes 5 and 6
    EXPECT_EQ(edit.text(), "abあ");
    Type(window, "cd");
    EXPECT_EQ(edit.text(), "abあc");
    EXPECT_EQ(Caret(window), 4u);
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "ab", "abあ", "abあc"}));
}

TEST_F(Win32Widgets, PastedTextKeepsTheCharactersThatFitAndTheCaretAfterThem) {
    auto& edit = form_->AddEdit({8, 8, 200, 22});
    int changes = 0;
    edit.OnChange = [&] { ++changes; };
    edit.SetMaxLength(7);
    HWND window = Child("Edit");

    edit.SetText("あい");
    ::SendMessageA(window, EM_SETSEL, 1, 1);
    ::SendMessageA(window, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("ソ表x"));  // room for ソ only
    EXPECT_EQ(edit.text(), "あソい");
    EXPECT_EQ(Caret(window), 2u);
    EXPECT_EQ(changes, 2);

    ::SendMessageA(window, EM_SETSEL, 0, 3);  // the new text replaces a selection
    ::SendMessageA(window, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("abcdefghi"));
    EXPECT_EQ(edit.text(), "abcdefg");
    EXPECT_EQ(changes, 3);
}

TEST_F(Win32Widgets, TextFromCodeBeyondTheLimitRefusesTypingButNotDeleting) {
    auto& edit = form_->AddEdit({8, 8, 200, 22});
    int changes = 0;
    edit.OnChange = [&] { ++changes; };
    edit.SetMaxLength(2);
    HWND window = Child("Edit");

    edit.SetText("abcd");
    ::SendMessageA(window, EM_SETSEL, 4, 4);
    Type(window, "x");
    EXPECT_EQ(edit.text(), "abcd");
    Type(window, "\b");
    EXPECT_EQ(edit.text(), "abc");
    EXPECT_EQ(changes, 2);
}

TEST_F(Win32Widgets, RealClicksRunOnClickOncePerChange) {
    auto& button = form_->AddButton({8, 8, 80, 24}, "実行");
    auto& check = form_->AddCheckBox({8, 40, 120, 20}, "上書き");
    auto& group = form_->AddRadioGroup({8, 70, 300, 60}, "先", {"甲", "乙", "丙"}, 3);
    std::vector<std::string> seen;
    button.OnClick = [&] { seen.push_back("button"); };
    check.OnClick = [&] { seen.push_back(check.checked() ? "checked" : "unchecked"); };
    group.OnClick = [&] { seen.push_back("item " + std::to_string(group.itemIndex())); };

    ::SendMessageA(Child("Button", "実行"), BM_CLICK, 0, 0);
    ::SendMessageA(Child("Button", "上書き"), BM_CLICK, 0, 0);
    ::SendMessageA(Child("Button", "上書き"), BM_CLICK, 0, 0);
    ::SendMessageA(Child("Button", "乙"), BM_CLICK, 0, 0);
    ::SendMessageA(Child("Button", "乙"), BM_CLICK, 0, 0);
    ::SendMessageA(Child("Button", "丙"), BM_CLICK, 0, 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"button", "checked", "unchecked", "item 1", "item 2"}));
    EXPECT_EQ(::SendMessageA(Child("Button", "乙"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(Win32Widgets, AButtonsHandlerMayCloseOrDeleteItsForm) {
    // Dialogs beside the main form, whose closing would end the message loop.
    auto clickOn = [&](const char* caption, auto&& handler) {
        auto dialog = toolkit_.CreateForm({"SorabellWin32WidgetsDialog", "ダイアログ", 200, 100, true});
        dialog->AddButton({8, 8, 80, 24}, caption).OnClick = [&] { handler(dialog); };
        HWND window = reinterpret_cast<HWND>(dialog->handle());
        ::SendMessageA(::FindWindowExA(window, nullptr, "Button", caption), BM_CLICK, 0, 0);
        EXPECT_FALSE(::IsWindow(window));
        return dialog;
    };
    EXPECT_TRUE(clickOn("閉じる", [](auto& dialog) { dialog->Close(); })->closed());
    EXPECT_EQ(clickOn("捨てる", [](auto& dialog) { dialog.reset(); }), nullptr);
}

TEST_F(Win32Widgets, AClickInOneRadioGroupLeavesTheNextOneAlone) {
    auto& first = form_->AddRadioGroup({8, 8, 140, 80}, "一", {"a1", "a2"}, 1);
    auto& second = form_->AddRadioGroup({160, 8, 140, 80}, "二", {"b1", "b2"}, 1);
    form_->AddCheckBox({8, 100, 120, 20}, "後");
    first.SetItemIndex(1);
    second.SetItemIndex(1);

    ::SendMessageA(Child("Button", "a1"), BM_CLICK, 0, 0);
    ::SendMessageA(Child("Button", "b1"), BM_CLICK, 0, 0);
    EXPECT_EQ(first.itemIndex(), 0);
    EXPECT_EQ(second.itemIndex(), 0);
    EXPECT_EQ(::SendMessageA(Child("Button", "後"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(Win32Widgets, AUsersChoiceInTheComboBoxRunsOnChange) {
    auto& combo = form_->AddComboBox({8, 8, 150, 20}, platform::ListOrder::Sorted);
    combo.SetItems({"Rock", "Jazz", "Blues"});
    combo.SetItemIndex(1);
    std::vector<std::string> seen;
    combo.OnChange = [&] { seen.push_back(combo.text()); };

    // The arrow key on the closed list moves to the next item.
    ::SendMessageA(Child("ComboBox"), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"Rock"}));
}

TEST_F(Win32Widgets, AnEditPaintsOnItsColour) {
    auto& edit = form_->AddEdit({8, 8, 200, 22});
    edit.SetText("x");
    HWND window = Child("Edit");
    auto background = [&] {
        ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        RECT client{};
        ::GetClientRect(window, &client);
        HDC dc = ::GetDC(window);
        const COLORREF pixel = ::GetPixel(dc, client.right - 3, client.bottom / 2);
        ::ReleaseDC(window, dc);
        return pixel;
    };
    ASSERT_NE(::GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_BTNFACE));

    EXPECT_EQ(background(), ::GetSysColor(COLOR_WINDOW));
    edit.SetColor(platform::EditColor::ButtonFace);
    EXPECT_EQ(background(), ::GetSysColor(COLOR_BTNFACE));
    edit.SetReadOnly(true);  // asks with WM_CTLCOLORSTATIC
    edit.SetColor(platform::EditColor::Window);
    EXPECT_EQ(background(), ::GetSysColor(COLOR_WINDOW));
}

TEST_F(Win32Widgets, EveryControlUsesTheFormsOneFontWhichGoesWithTheForm) {
    form_->AddLabel({8, 8, 100, 16}, "曲名");
    form_->AddEdit({8, 30, 100, 22});
    form_->AddComboBox({8, 60, 100, 20}, platform::ListOrder::Sorted);
    form_->AddRadioGroup({120, 8, 150, 80}, "形式", {"一", "二"}, 1);
    const HFONT font = reinterpret_cast<HFONT>(::SendMessageA(Child("Static"), WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    for (HWND child = ::GetWindow(Form(), GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageA(child, WM_GETFONT, 0, 0)), font);
    }
    LOGFONTA logFont{};
    ASSERT_EQ(::GetObjectA(font, sizeof logFont, &logFont), static_cast<int>(sizeof logFont));
    EXPECT_STREQ(logFont.lfFaceName, platform::kFormFontName);
    EXPECT_EQ(logFont.lfHeight, platform::kFormFontHeight);
    EXPECT_EQ(logFont.lfCharSet, SHIFTJIS_CHARSET);

    form_.reset();
    EXPECT_EQ(::GetObjectType(font), 0u);
}

TEST_F(Win32Widgets, TheFormHasItsClientSizeInTheMiddleOfTheScreen) {
    RECT client{};
    ::GetClientRect(Form(), &client);
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 240);
    RECT frame{};
    ::GetWindowRect(Form(), &frame);
    EXPECT_NEAR((frame.left + frame.right) / 2, ::GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

TEST_F(Win32Widgets, AskYesNoAnswersWithTheButtonOwnedByTheActiveForm) {
    ::SetActiveWindow(Form());
    ASSERT_EQ(::GetActiveWindow(), Form());
    {
        MessageBoxAnswerer answerer("タグの書き込み", IDYES);
        EXPECT_TRUE(toolkit_.AskYesNo("上書きしますか?", "タグの書き込み"));
        EXPECT_EQ(answerer.text(), "上書きしますか?");
        EXPECT_EQ(answerer.owner(), Form());
    }
    MessageBoxAnswerer answerer("タグの書き込み", IDNO);
    EXPECT_FALSE(toolkit_.AskYesNo("上書きしますか?", "タグの書き込み"));
}

TEST_F(Win32Widgets, AnExceptionFromAHandlerIsShownOverItsFormAndTheNextEventStillRuns) {
    ::SetActiveWindow(Form());
    auto& check = form_->AddCheckBox({8, 8, 120, 20}, "書く");
    int clicks = 0;
    check.OnClick = [&] {
        ++clicks;
        throw Exception("ファイルに書けません");
    };
    {
        MessageBoxAnswerer answerer("Sorabell", IDOK);
        ::SendMessageA(Child("Button", "書く"), BM_CLICK, 0, 0);
        EXPECT_EQ(answerer.text(), "ファイルに書けません");
        EXPECT_EQ(answerer.owner(), Form()) << "the form could be clicked again behind the message";
    }
    MessageBoxAnswerer answerer("Sorabell", IDOK);
    check.SetChecked(false);
    EXPECT_EQ(answerer.text(), "ファイルに書けません");
    EXPECT_EQ(clicks, 2);
}

TEST_F(Win32Widgets, TheUsersClicksOnTabsRadioButtonsAndListsRunTheirEvents) {
    auto& pages = form_->AddPageControl({4, 4, 310, 230}, {"基本設定", "ディスプレイ設定"});
    int changes = 0;
    pages.OnChange = [&] { ++changes; };
    auto& first = pages.page(1).AddRadioButton({8, 8, 100, 20}, "一行");
    auto& second = pages.page(1).AddRadioButton({8, 30, 100, 20}, "二行");
    std::vector<std::string> clicked;
    first.OnClick = [&] { clicked.push_back("一行"); };
    second.OnClick = [&] { clicked.push_back("二行"); };
    auto& list = pages.page(1).AddSortedListBox({120, 8, 150, 100});
    list.SetItems({"Winter", "(Default)", "Aozora"});
    int picks = 0;
    list.OnClick = [&] { ++picks; };

    HWND tabs = Child(WC_TABCONTROLA);
    RECT tab{};
    ::SendMessageA(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
    const LPARAM at = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    ::SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(tabs, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(pages.activePageIndex(), 1);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(second.showing());

    HWND page = nullptr;
    for (HWND sheet = ::FindWindowExA(tabs, nullptr, "SorabellTabSheet", nullptr); sheet != nullptr && page == nullptr;
         sheet = ::FindWindowExA(tabs, sheet, "SorabellTabSheet", nullptr)) {
        if (::FindWindowExA(sheet, nullptr, "Button", "一行") != nullptr) {
            page = sheet;
        }
    }
    ASSERT_NE(page, nullptr);
    ::SendMessageA(::FindWindowExA(page, nullptr, "Button", "一行"), BM_CLICK, 0, 0);
    ::SendMessageA(::FindWindowExA(page, nullptr, "Button", "二行"), BM_CLICK, 0, 0);
    ::SendMessageA(::FindWindowExA(page, nullptr, "Button", "二行"), BM_CLICK, 0, 0);
    EXPECT_FALSE(first.checked());
    EXPECT_TRUE(second.checked());
    EXPECT_EQ(clicked, (std::vector<std::string>{"一行", "二行"}));

    HWND listWindow = ::FindWindowExA(page, nullptr, "ListBox", nullptr);
    RECT item{};
    ::SendMessageA(listWindow, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    const LPARAM itemAt = MAKELPARAM(item.left + 4, (item.top + item.bottom) / 2);
    ::SendMessageA(listWindow, WM_LBUTTONDOWN, MK_LBUTTON, itemAt);
    ::SendMessageA(listWindow, WM_LBUTTONUP, 0, itemAt);
    EXPECT_EQ(list.itemIndex(), 2);
    EXPECT_EQ(list.items()[2], "Winter");
    EXPECT_EQ(picks, 1);
}

TEST_F(Win32Widgets, TheColourDialogOpensOnItsColourAndGivesTheCustomSlotsBack) {
    auto dialog = toolkit_.CreateColorDialog(*form_);
    dialog->SetColor(0x3050C0);
    dialog->SetCustomColor(0, "00C400");
    dialog->SetCustomColor(1, "nonsense");
    {
        OwnedDialogAnswerer answerer(Form(), IDOK);
        EXPECT_TRUE(dialog->Execute());
    }
    EXPECT_EQ(dialog->color(), 0x3050C0);
    EXPECT_EQ(dialog->customColor(0), "00C400");
    EXPECT_EQ(dialog->customColor(1), "FFFFFFFF");
    EXPECT_EQ(dialog->customColor(15), "FFFFFFFF");

    dialog->SetColor(0x123456);
    OwnedDialogAnswerer answerer(Form(), IDCANCEL);
    EXPECT_FALSE(dialog->Execute());
    EXPECT_EQ(dialog->color(), 0x123456);
}

TEST_F(Win32Widgets, ASystemModalQuestionStaysInFrontOfEveryWindow) {
    ::SetActiveWindow(Form());
    OwnedDialogAnswerer answerer(Form(), IDYES);
    EXPECT_TRUE(toolkit_.AskSystemYesNo("作成しますか？", "フォルダが存在しません"));
    EXPECT_NE(answerer.exStyle() & WS_EX_TOPMOST, 0u);
}

TEST_F(Win32Widgets, ALabelWhoseLeaveIsLostStillHearsThePointerGo) {
    auto& label = form_->AddLabel({8, 8, 120, 20}, "リンク");
    int enters = 0;
    int leaves = 0;
    label.OnMouseEnter = [&] { ++enters; };
    label.OnMouseLeave = [&] { ++leaves; };
    HWND window = Child("Static");
    RECT r{};
    ::GetWindowRect(window, &r);
    ::SetCursorPos(r.left + 5, r.top + 5);
    ::SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    TRACKMOUSEEVENT cancel{sizeof cancel, TME_CANCEL | TME_LEAVE, window, 0};
    ::TrackMouseEvent(&cancel);  // as Wine sometimes loses it
    ::SetCursorPos(r.right + 150, r.bottom + 150);

    EXPECT_TRUE(WaitFor([&] { return leaves > 0; }, 3000));
    ::SendMessageA(window, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(leaves, 1);
}

}  // namespace
}  // namespace sorabell::testing