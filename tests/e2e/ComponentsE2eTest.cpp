// The preferences program's components in a form of the toolkit, for real. The folder browse
// dialog is the shell's own: found by its caption and worked from this process, its controls
// known by their identifiers (OK 1, Cancel 2, instruction 0x3742, status 0x3743, tree 0x3741).

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>

#include "harness/Input.h"
#include "harness/OwnedProcess.h"
#include "harness/ScreenCapture.h"
#include "harness/TestFiles.h"
#include "harness/Waits.h"
#include "harness/WindowFinder.h"
#include "platform/Text.h"

namespace sorabell::testing {
namespace {

constexpr const char* kTitle = "フォルダの設定 - Sorabell";
constexpr const char* kInstruction = "Winamp.Exe のあるフォルダを指定してください";
constexpr const char* kFolderName = "その下にある曲のフォルダ";
constexpr int kInstructionId = 0x3742;
constexpr int kStatusId = 0x3743;
constexpr int kTreeId = 0x3741;

class FolderDialogOnTheShell : public ::testing::Test {
protected:
    FolderDialogOnTheShell() {
        // Outside the user's profile, whose folders the shell also shows elsewhere in its tree.
        root_ = "C:\\sorabell components " + std::to_string(::GetCurrentProcessId()) + "-" +
                std::to_string(::GetTickCount()) + "\\";
        RemoveTree(root_);
        parent_ = root_ + "設定を確かめるための長い名前のフォルダ";
        folder_ = parent_ + "\\" + kFolderName;
        for (const std::string& path : {root_, parent_, folder_}) {
            ::CreateDirectoryA(path.c_str(), nullptr);
        }
    }
    ~FolderDialogOnTheShell() override {
        host_.Terminate();
        RemoveTree(root_);
    }

    // Starts the host on the dialog, opened on the folder; the dialog once it shows.
    HWND Open(const std::string& custom = {}) {
        std::string line = text::Quoted(ProgramFolder() + "componentshost.exe") + " folder --result " +
                           text::Quoted(root_ + "result.txt") + " --directory " + text::Quoted(folder_) + " --text " +
                           text::Quoted(kInstruction);
        if (!custom.empty()) {
            line += " --custom " + text::Quoted(custom);
        }
        host_ = OwnedProcess::Start(line, root_);
        if (!host_) {
            return nullptr;
        }
        HWND dialog = nullptr;
        WaitFor(
            [&] {
                dialog = ::FindWindowA("#32770", kTitle);
                return dialog != nullptr && ::IsWindowVisible(dialog);
            },
            15000);
        // Wine moves the selection down the tree one folder at a time, after the dialog shows.
        WaitFor([&] { return TextOf(::GetDlgItem(dialog, kStatusId)).ends_with(kFolderName); });
        return dialog;
    }

    static void Press(HWND dialog, int id) {
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
    }

    // What the host's Execute gave, once it has ended.
    std::map<std::string, std::string> Result() {
        std::map<std::string, std::string> values;
        if (!host_.WaitForExit(15000)) {
            return values;
        }
        for (const std::string& line : ReadLines(root_ + "result.txt")) {
            const size_t equals = line.find('=');
            values[line.substr(0, equals)] = equals == std::string::npos ? "" : line.substr(equals + 1);
        }
        return values;
    }

    std::string root_;
    std::string parent_;
    std::string folder_;
    OwnedProcess host_;
};

TEST_F(FolderDialogOnTheShell, OpensCentredOverItsOwnerWithItsTextsAndTheFittedPath) {
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    HWND owner = ::FindWindowA("SorabellComponentsHost", nullptr);
    ASSERT_NE(owner, nullptr);
    EXPECT_EQ(::GetWindow(dialog, GW_OWNER), owner);
    RECT self{};
    RECT parent{};
    ::GetWindowRect(dialog, &self);
    ::GetWindowRect(owner, &parent);
    EXPECT_EQ(self.left, parent.left + (parent.right - parent.left) / 2 - (self.right - self.left) / 2);
    EXPECT_EQ(self.top, parent.top + (parent.bottom - parent.top) / 4);

    EXPECT_EQ(TextOf(::GetDlgItem(dialog, kInstructionId)), kInstruction);
    const std::string status = TextOf(::GetDlgItem(dialog, kStatusId));
    EXPECT_LT(status.size(), folder_.size());
    EXPECT_TRUE(text::StartsWith(status, folder_.substr(0, 3))) << status;
    EXPECT_NE(text::Find(status, "..."), std::string::npos) << status;
    EXPECT_TRUE(status.ends_with(std::string("\\") + kFolderName)) << status;
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    ASSERT_TRUE(::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &thread));
    EXPECT_EQ(thread.hwndFocus, ::GetDlgItem(dialog, kTreeId));
    Press(dialog, IDCANCEL);
    EXPECT_EQ(Result()["execute"], "0");
}

TEST_F(FolderDialogOnTheShell, OkReturnsTheFolderItWasOpenedOn) {
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    Press(dialog, IDOK);
    auto result = Result();
    EXPECT_EQ(result["execute"], "1");
    EXPECT_EQ(result["directory"], folder_);
    // Windows gives the folder's own name; Wine gives its whole path.
    EXPECT_TRUE(result["displayname"].ends_with(kFolderName)) << result["displayname"];
}

TEST_F(FolderDialogOnTheShell, CancelAfterMovingTheSelectionChangesNothing) {
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    ::SendMessageA(::GetDlgItem(dialog, kTreeId), WM_KEYDOWN, VK_LEFT, 0);  // up to the parent folder
    EXPECT_TRUE(WaitFor([&] { return TextOf(::GetDlgItem(dialog, kStatusId)).ends_with("の長い名前のフォルダ"); }))
        << TextOf(::GetDlgItem(dialog, kStatusId));
    Press(dialog, IDCANCEL);
    auto result = Result();
    EXPECT_EQ(result["execute"], "0");
    EXPECT_EQ(result["directory"], folder_);
    EXPECT_EQ(result["displayname"], "");
}

TEST_F(FolderDialogOnTheShell, TheCustomCheckBoxCheckedInTheDialogComesBackCheckedOnOk) {
    HWND dialog = Open("フォルダを覚える");
    ASSERT_NE(dialog, nullptr);
    HWND copy = ::FindWindowExA(dialog, nullptr, "Button", "フォルダを覚える");
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(::IsWindowVisible(copy));
    RECT place{};
    RECT ok{};
    ::GetWindowRect(copy, &place);
    ::GetWindowRect(::GetDlgItem(dialog, IDOK), &ok);
    EXPECT_LT(place.right, ok.left) << "left of the button row";
    EXPECT_LT(place.top, ok.bottom);
    EXPECT_GT(place.bottom, ok.top);

    ::SendMessageA(copy, BM_CLICK, 0, 0);
    EXPECT_EQ(::SendMessageA(copy, BM_GETCHECK, 0, 0), BST_CHECKED);
    Press(dialog, IDOK);
    auto result = Result();
    EXPECT_EQ(result["execute"], "1");
    EXPECT_EQ(result["checked"], "1");
}

// A path label and a hyperlink label in the host, worked with the real mouse.
class LabelsOnAForm : public ::testing::Test {
protected:
    LabelsOnAForm() {
        root_ = "C:\\sorabell labels " + std::to_string(::GetCurrentProcessId()) + "-" +
                std::to_string(::GetTickCount()) + "\\";
        ::CreateDirectoryA(root_.c_str(), nullptr);
        // An earlier case's host may still be on the screen where this one opens.
        WaitFor([] { return ::FindWindowA("SorabellComponentsHost", nullptr) == nullptr; }, 10000);
        recorder_ = root_ + "記録 recorder.exe";
        ::CopyFileA((ProgramFolder() + "versewright.exe").c_str(), recorder_.c_str(), FALSE);
        const std::string line = text::Quoted(ProgramFolder() + "componentshost.exe") + " labels --path " +
                                 text::Quoted(kLongPath) + " --url " + text::Quoted(recorder_);
        host_ = OwnedProcess::Start(line, root_);
        // Ready once both labels show their texts.
        WaitFor(
            [&] {
                form_ = ::FindWindowA("SorabellComponentsHost", nullptr);
                return form_ != nullptr && TextOf(Label(1)) == recorder_;
            },
            15000);
    }
    ~LabelsOnAForm() override {
        // The recorder logs its start before it makes its window; one left running would keep
        // this program's output open after it ends.
        if (!ReadLines(root_ + "versewright-log.txt").empty()) {
            WaitForWindow("TLumora_Edit", nullptr, 10000);
        }
        for (HWND recorder : TopLevelWindows("TLumora_Edit")) {
            EndProcessOf(recorder);
        }
        host_.Terminate();
        RemoveTree(root_);
    }

    HWND Label(int index) const {
        HWND label = ::FindWindowExA(form_, nullptr, "Static", nullptr);
        for (int i = 0; i < index && label != nullptr; ++i) {
            label = ::FindWindowExA(form_, label, "Static", nullptr);
        }
        return label;
    }
    // What lies under the pointer, for a failure's message.
    static std::string UnderPointer() {
        POINT at{};
        ::GetCursorPos(&at);
        return " (under the pointer " + DescribeWindowAt(at) + ")";
    }
    // Pixels of the label's text in the colour.
    static int Ink(HWND label, TColor color) {
        RECT r{};
        ::GetClientRect(label, &r);
        return ScreenCapture(label).Count(color, 0, 0, r.right, r.bottom);
    }

    static constexpr const char* kLongPath = "C:\\音楽のフォルダ\\青空バンド\\そらのうた\\歌詞\\春の歌ソ表.txt";
    std::string root_;
    std::string recorder_;
    OwnedProcess host_;
    HWND form_ = nullptr;
};

TEST_F(LabelsOnAForm, APathLabelShowsALongJapanesePathShortenedAtWholeCharacters) {
    ASSERT_NE(form_, nullptr);
    const std::string caption = TextOf(Label(0));
    EXPECT_EQ(caption, "C:\\...\\そらのうた\\歌詞\\春の歌ソ表.txt");
    EXPECT_LE(caption.size(), 45u);
    const int chars =
        ::MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, caption.data(), static_cast<int>(caption.size()), nullptr, 0);
    EXPECT_GT(chars, 0) << "the caption splits a character";
}

TEST_F(LabelsOnAForm, AHyperlinkTurnsHotUnderTheMouseAndAPressOpensItsCaption) {
    ASSERT_NE(form_, nullptr);
    HWND link = Label(1);
    ASSERT_EQ(TextOf(link), recorder_);
    ::SetForegroundWindow(form_);
    constexpr TColor kHot = 0xFFFF00;
    constexpr TColor kPushed = 0x0000FF;
    RECT r{};
    ::GetWindowRect(link, &r);
    // An earlier case may have left the pointer where this link now lies.
    MoveMouseTo({r.left + 20, r.bottom + 60});
    EXPECT_TRUE(WaitFor([&] { return Ink(link, kHot) == 0; }, 5000)) << "hot before the mouse came";

    // A pointer moving over the link, as a hand does: one lost mouse move under a loaded Wine
    // does not decide the case.
    int step = 0;
    EXPECT_TRUE(WaitFor(
        [&] {
            MoveMouseTo({r.left + 20 + step++ % 2, (r.top + r.bottom) / 2});
            return Ink(link, kHot) > 20;
        },
        5000))
        << "no hot colour under the mouse" << UnderPointer();
    CURSORINFO cursor{};
    cursor.cbSize = sizeof cursor;
    ASSERT_TRUE(::GetCursorInfo(&cursor));
    EXPECT_NE(cursor.hCursor, ::LoadCursor(nullptr, IDC_ARROW)) << "not the hand over the link";

    LeftButton(true);
    EXPECT_TRUE(WaitFor([&] { return Ink(link, kPushed) > 20; }, 5000)) << "no pushed colour on the press";
    EXPECT_TRUE(WaitFor([&] { return !ReadLines(root_ + "versewright-log.txt").empty(); }, 10000))
        << "the caption did not open";
    LeftButton(false);
    EXPECT_TRUE(WaitFor([&] { return Ink(link, kHot) > 20; }, 5000)) << "not hot again after the release";

    MoveMouseTo({r.left + 20, r.bottom + 60});
    EXPECT_TRUE(WaitFor([&] { return Ink(link, kHot) == 0 && Ink(link, kPushed) == 0; }, 5000))
        << "the colour stayed after the mouse left" << UnderPointer();
}

}  // namespace
}  // namespace sorabell::testing
