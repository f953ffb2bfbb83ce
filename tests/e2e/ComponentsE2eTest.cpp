// The preferences program's components in a form of the toolkit, for real. The folder browse
// dialog is the shell's own: found by its caption and worked from this process, its controls
// known by their identifiers (OK 1, Cancel 2, instruction 0x3742, status 0x3743, tree 0x3741).

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>

#include "platform/Text.h"
#include "win32/Win32Helpers.h"

namespace sorabell::testing {
namespace {

constexpr const char* kTitle = "フォルダの設定 - Sorabell";
constexpr const char* kInstruction = "Winamp.Exe のあるフォルダを指定してください";
constexpr const char* kFolderName = "その下にある曲のフォルダ";
constexpr int kInstructionId = 0x3742;
constexpr int kStatusId = 0x3743;
constexpr int kTreeId = 0x3741;

std::string TextOf(HWND window) {
    char text[512] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

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
        if (host_ != nullptr) {
            if (::WaitForSingleObject(host_, 0) == WAIT_TIMEOUT) {
                ::TerminateProcess(host_, 1);
            }
            ::CloseHandle(host_);
        }
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
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, root_.c_str(), &startup,
                              &process)) {
            return nullptr;
        }
        ::CloseHandle(process.hThread);
        host_ = process.hProcess;
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
        if (host_ == nullptr || ::WaitForSingleObject(host_, 15000) != WAIT_OBJECT_0) {
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
    HANDLE host_ = nullptr;
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

}  // namespace
}  // namespace sorabell::testing
