// The preferences program for real: its window, what it stores, its live preview, and the
// running display program on the player taking the change.

#include "support/PlayerStage.h"

#include <commctrl.h>

#include <algorithm>
#include <map>

#include "harness/Input.h"
#include "harness/TestFiles.h"
#include "platform/win32/ScopedWin.h"
#include "settings/Schema.h"
#include "support/ZipBuilder.h"

namespace sorabell::testing {
namespace {

class PreferencesWindow : public PlayerStage {
protected:
    HWND Open() {
        EXPECT_NE(env_.StartPreferences(), nullptr);
        form_ = WaitForWindow("Tlumora_pre", "Sorabell - 設定");
        // The window exists before its controls do; it shows once they are all there.
        EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(form_); }, 15000));
        return form_;
    }

    // Every window inside the form of a class, in the order they were made.
    std::vector<HWND> Inside(const char* className) const { return ChildWindows(form_, className); }
    HWND WithText(const char* className, const std::string& text) const {
        return ChildWithText(form_, className, text);
    }
    void Press(const std::string& caption) const {
        HWND button = WithText("Button", caption);
        ASSERT_NE(button, nullptr) << caption;
        ClickMiddle(button);
    }
    int ActivePage() const {
        const auto tabs = Inside("SysTabControl32");
        return tabs.empty() ? -1 : static_cast<int>(::SendMessageA(tabs.front(), TCM_GETCURSEL, 0, 0));
    }
    bool Closed() const {
        return WaitFor([&] { return !::IsWindow(form_); }, 10000);
    }
    // Typing into a format box ends the text with what was typed.
    void TypeAtEnd(HWND edit, const std::wstring& text) const {
        ::SetForegroundWindow(form_);
        Click(edit, 2, 4);
        PressKey(VK_END);
        Type(text);
    }

    // The last column of the first line that holds its text colour.
    static int RightEdgeOfRed(const ScreenCapture& shot) {
        for (int x = 265; x > 108; --x) {
            if (shot.Count(kRed, x, 24, x + 1, 36) > 0) {
                return x;
            }
        }
        return 0;
    }

    HWND form_ = nullptr;
};

TEST_F(PreferencesWindow, OpensCentredOnItsFirstPageWithTheDefaultsOfAnEmptyStore) {
    WipeSettings();
    Root().WriteString("Option", "Winamp", env_.playerFolder());  // else the folder chooser opens first
    ASSERT_NE(Open(), nullptr);
    RECT frame{};
    ::GetWindowRect(form_, &frame);
    RECT client{};
    ::GetClientRect(form_, &client);
    EXPECT_EQ(client.right, 494);
    EXPECT_EQ(client.bottom, 485);
    EXPECT_NEAR(frame.left, (::GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2, 1);
    EXPECT_NEAR(frame.top, (::GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2, 1);
    EXPECT_EQ(ActivePage(), 0);
    EXPECT_NE(WithText("ComboBox", "400"), nullptr);
    EXPECT_NE(WithText("ComboBox", "6"), nullptr);
    EXPECT_NE(WithText("Edit", "♪"), nullptr);
    EXPECT_NE(WithText("Edit", env_.programFolder()), nullptr) << "the lyrics folder is the program's own";
    int notSet = 0;
    for (HWND label : Inside("Static")) {
        notSet += TextOf(label) == "( 未設定 )" ? 1 : 0;
    }
    EXPECT_EQ(notSet, 2) << "the Versewright and Kettle rows";

    const OwnedProcess* second = env_.StartPreferences();
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->WaitForExit(10000)) << "a second copy kept running";
    EXPECT_EQ(TopLevelWindows("Tlumora_pre").size(), 1u);
}

TEST_F(PreferencesWindow, CancelKeepsTheOptionsAndStoresWhereTheWindowWas) {
    ASSERT_NE(Open(), nullptr);
    HWND timer = WithText("ComboBox", "200");
    ASSERT_NE(timer, nullptr);
    ::SendMessageA(timer, CB_SETCURSEL, 2, 0);
    ::SetWindowPos(form_, nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Press("キャンセル");
    ASSERT_TRUE(Closed());
    EXPECT_EQ(Root().ReadInteger("Option", "TimerSpeed", 0), 200);
    EXPECT_EQ(Root().ReadString("Option", "ScrollDot", "<none>"), "<none>") << "Cancel wrote an option";
    EXPECT_EQ(Root().ReadInteger("Window", "Left", -1), 30);
    EXPECT_EQ(Root().ReadInteger("Window", "Top", -1), 40);
    EXPECT_EQ(Root().ReadInteger("Window", "Page", -1), 0);
}

TEST_F(PreferencesWindow, ACloseRequestDuringUpdatesQuestionWaitsForUpdateAndLeavesTheStoreWhole) {
    std::string folder = env_.programFolder() + "Missing\\";
    folder += std::string(318 - folder.size(), 'L');
    Root().WriteString("Option", "Lumora", "☆");
    Root().WriteString("Option", "LyricsFolder", folder);
    ASSERT_NE(Open(), nullptr);
    HWND timer = WithText("ComboBox", "200");
    ASSERT_NE(timer, nullptr);
    ::SendMessageA(timer, CB_SETCURSEL, 2, 0);
    HWND update = WithText("Button", "更新");
    ASSERT_NE(update, nullptr);
    ::PostMessageA(update, BM_CLICK, 0, 0);
    HWND box = WaitForWindow("#32770", "フォルダが存在しません", 10000);
    ASSERT_NE(box, nullptr);
    RECT boxFrame{};
    ::GetWindowRect(box, &boxFrame);
    EXPECT_LE(boxFrame.right - boxFrame.left, ::GetSystemMetrics(SM_CXSCREEN)) << "the path was not shortened";

    // Sent: the question's own message loop has handled it when the call returns.
    DWORD_PTR result = 0;
    EXPECT_NE(::SendMessageTimeoutA(form_, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, Scaled(5000), &result), 0u);
    EXPECT_TRUE(::IsWindow(form_)) << "the window closed under Update's question";
    ::PostMessageA(box, WM_COMMAND, IDNO, 0);
    ASSERT_TRUE(Closed()) << "the close request was lost";
    EXPECT_EQ(Root().ReadInteger("Option", "TimerSpeed", 0), 600) << "Update did not store what the window showed";
    EXPECT_EQ(Root().ReadString("Option", "Lumora", ""), "☆");
    EXPECT_EQ(Root().ReadString("Option", "LyricsFolder", ""), folder);
    EXPECT_EQ(settings::TRegIniFile(registry_, settings::kSkinsPath).ReadString("(Default)", "Disp1Text", ""), "%2");
}

TEST_F(PreferencesWindow, UpdateStoresTheChangeAndTheRunningDisplayShowsIt) {
    StartWith("MMMM");
    WaitForScreen([](const ScreenCapture& s) { return s.Count(kRed, 109, 24, 266, 36) > 20; });
    // The song's title arrives a moment after the first text (the display's own name): once the
    // display has asked the player for its play list, the line is taken when it has held still
    // for a tick of the display.
    ASSERT_TRUE(WaitFor([&] { return !ReadLines(env_.playerFolder() + "WINAMP.M3U").empty(); }))
        << "the display never asked for the play list";
    ScreenCapture held(player_);
    DWORD heldSince = ::GetTickCount();
    const auto settled = WaitForScreen([&](const ScreenCapture& s) {
        if (!s.SameRegion(held, 109, 24, 266, 36)) {
            held = s;
            heldSince = ::GetTickCount();
        }
        return s.Count(kRed, 109, 24, 266, 36) > 20 && ::GetTickCount() - heldSince > Scaled(kTickMs);
    });
    const int end = RightEdgeOfRed(settled);
    ASSERT_GT(end, 112);

    Root().WriteInteger("Window", "Page", 1);
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(ActivePage(), 1) << "the page it was closed on";
    HWND line1 = WithText("Edit", "%2");
    ASSERT_NE(line1, nullptr) << "the first line's format box";
    HWND timer = WithText("ComboBox", "200");
    ASSERT_NE(timer, nullptr);
    ::SendMessageA(timer, CB_SETCURSEL, 2, 0);

    const auto previews = Inside("SorabellPaintBox");
    ASSERT_FALSE(previews.empty());
    const int previewInk = ScreenCapture(previews.front()).Count(kRed, 0, 0, 275, 116);
    TypeAtEnd(line1, L"%2%2");
    ASSERT_TRUE(WaitFor([&] { return TextOf(line1) == "%2%2%2"; }, 5000)) << TextOf(line1);
    EXPECT_TRUE(WaitFor([&] { return ScreenCapture(previews.front()).Count(kRed, 0, 0, 275, 116) > previewInk; }, 5000))
        << "the preview did not follow the typing";

    Press("更新");
    EXPECT_TRUE(WaitFor([&] { return Root().ReadInteger("Option", "TimerSpeed", 0) == 600; }, 5000));
    // Stored line fonts may differ from the display's defaults: the title three times over
    // still reaches much further right than once.
    const auto after = WaitForScreen([&](const ScreenCapture& s) { return RightEdgeOfRed(s) > end + 20; });
    EXPECT_GT(RightEdgeOfRed(after), end + 20) << "the display did not take the new format";
    EXPECT_TRUE(::IsWindow(form_)) << "更新 leaves the window open";

    Press("OK");
    EXPECT_TRUE(Closed());
    EXPECT_EQ(Root().ReadInteger("Window", "Page", -1), 1);
}

TEST_F(PreferencesWindow, ThePreviewShowsThePlainBackgroundInItsFrameAndTheMarkInItsPlace) {
    constexpr TColor kMark = 0x3050C0;
    Skin("BGColor", std::to_string(kBlue));
    Skin("LumoraColor", std::to_string(kMark));
    Root().WriteInteger("Window", "Page", 1);
    ASSERT_NE(Open(), nullptr);
    const auto previews = Inside("SorabellPaintBox");
    ASSERT_FALSE(previews.empty());
    HWND preview = previews.front();
    ASSERT_TRUE(WaitFor([&] { return ScreenCapture(preview).At(140, 23) == kBlue; }, 5000));
    const ScreenCapture shot(preview);
    EXPECT_EQ(shot.At(107, 22), 0x9C948E) << "the frame's light edge";
    EXPECT_EQ(shot.At(266, 37), 0x9C948E);
    EXPECT_NE(shot.At(150, 38), kBlue) << "one line: the background ends above y = 38";
    EXPECT_GT(shot.Count(kRed, 109, 24, 266, 37), 20) << "the first line's text";
    EXPECT_GT(shot.Count(kMark, 240, 95, 275, 116), 5) << "the mark at (240, 95)";
    EXPECT_EQ(shot.Count(kMark, 0, 0, 238, 116), 0);
}

TEST_F(PreferencesWindow, AValueOfTheWrongKindIsThatValueAloneAndUpdateLeavesTheRestOfTheSkinAsStored) {
    auto record = settings::DefaultRecord(settings::SkinSchema(), settings::Side::Preferences, {});
    record.Disp[0].Text = "%0. %1 - %2 %a";  // the box's text, which a value missing reads as
    record.SkinFlag = true;
    record.BGColor = kBlue;
    record.Disp[1].Text = "mine";
    settings::TRegIniFile skins(registry_, settings::kSkinsPath);
    settings::SaveRecord(skins, "Base", settings::SkinSchema(), settings::Side::Preferences, record);
    std::map<std::string, std::string> stored;
    for (const auto& setting : settings::SkinSchema()) {
        stored[setting.name] = skins.ReadString("Base", setting.name, "<none>");
    }
    const std::string section = std::string(settings::kSkinsPath) + "\\Base";
    win32::ScopedKey key;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, section.c_str(), 0, KEY_SET_VALUE, key.receive()), ERROR_SUCCESS);
    const BYTE bytes[] = {5, 0, 0, 0};
    ::RegSetValueExA(key.get(), "Disp1Text", 0, REG_DWORD, bytes, sizeof bytes);
    ::RegSetValueExA(key.get(), "Color", 0, REG_BINARY, bytes, sizeof bytes);
    Root().WriteString("Window", "SkinName", "Base");
    Root().WriteInteger("Window", "Page", 1);
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(::SendMessageA(WithText("Button", "このSkinは個別に設定する"), BM_GETCHECK, 0, 0), BST_CHECKED);

    // Posted, not clicked: a click on the window that has only just shown can go astray under
    // Wine, and this case is about what 更新 stores.
    HWND update = WithText("Button", "更新");
    ASSERT_NE(update, nullptr);
    ::PostMessageA(update, BM_CLICK, 0, 0);
    const auto isText = [&](const char* name) {
        const auto value = registry_.ReadValue(platform::RegistryRoot::CurrentUser, section, name);
        return value && value->kind == platform::RegistryValue::Kind::String;
    };
    ASSERT_TRUE(WaitFor([&] { return isText("Disp1Text") && isText("Color"); }, 5000));
    for (const auto& [name, value] : stored) {
        EXPECT_EQ(skins.ReadString("Base", name, "<none>"), value) << name;
    }
}

TEST_F(PreferencesWindow, TheBehaviourPageClosesAndStartsTheDisplayProgram) {
    StartWith("MMMM");
    HWND display = WaitForWindow("Tlumora", "Sorabell");
    ASSERT_NE(display, nullptr);
    Root().WriteInteger("Window", "Page", 3);
    ASSERT_NE(Open(), nullptr);
    HWND stop = nullptr;
    HWND start = nullptr;
    for (HWND button : Inside("Button")) {
        const std::string caption = TextOf(button);
        stop = caption == "Sorabell終了" ? button : stop;
        start = caption == "Sorabell実行" ? button : start;
    }
    ASSERT_NE(stop, nullptr);
    ASSERT_NE(start, nullptr);
    Click(stop, 5, 5);
    EXPECT_TRUE(WaitFor([] { return TopLevelWindows("Tlumora", "Sorabell").empty(); }, 10000))
        << "the display program still runs";
    Click(start, 5, 5);
    EXPECT_NE(WaitForWindow("Tlumora", "Sorabell"), nullptr) << "it did not start again";
    // The display hands its start to the running player; wait until it is done with that.
    EXPECT_TRUE(E2eEnvironment::WaitForHooks());
    EXPECT_TRUE(WaitFor([&] { return env_.PlayerCommandLines().size() == 2; }, 10000));
}

// The shell's keys of the media extensions, set up with file types of the test's own and given
// back as they were.
class FileAssociations : public PreferencesWindow {
protected:
    FileAssociations() {
        for (const char* ext : kExtensions) {
            saved_.push_back(Classes(ext));
        }
        Classes(".mp3", "SorabellTest.Audio");
        Classes(".mp2", "SorabellTest.Audio");
        Classes(".m3u", "SorabellTest.List");
        Classes(".pls", "SorabellTest.Pls");
        FileType("SorabellTest.Audio", "open", "\"C:\\Program Files\\Winamp\\Winamp.exe\" \"%1\"");
        FileType("SorabellTest.List", "play", "C:\\PROGRA~1\\WINAMP\\WINAMP.EXE /ADD \"%1\"");
        FileType("SorabellTest.Pls", "open", "\"C:\\ソフト\\表.exe\" \"%1\"");
    }
    ~FileAssociations() override {
        for (size_t i = 0; i < std::size(kExtensions); ++i) {
            if (saved_[i].empty()) {
                registry_.DeleteKey(platform::RegistryRoot::ClassesRoot, kExtensions[i]);
            } else {
                Classes(kExtensions[i], saved_[i]);
            }
        }
        for (const char* type : {"SorabellTest.Audio", "SorabellTest.List", "SorabellTest.Pls"}) {
            registry_.DeleteKey(platform::RegistryRoot::ClassesRoot, type);
        }
    }
    std::string Classes(const std::string& key) {
        const auto value = registry_.ReadValue(platform::RegistryRoot::ClassesRoot, key, "");
        return value ? value->text : "";
    }
    void Classes(const std::string& key, const std::string& value) {
        registry_.WriteString(platform::RegistryRoot::ClassesRoot, key, "", value);
    }
    void FileType(const std::string& type, const std::string& verb, const std::string& command) {
        Classes(type + "\\shell", verb);
        Classes(type + "\\shell\\" + verb + "\\command", command);
    }
    // Presses the button, and answers the message box it opens with OK; the box's text.
    // Posted, not clicked: a real click can miss while another window comes up, and the box
    // and the file are what these cases are about.
    std::string PressAndRead(const std::string& caption, const char* boxTitle) {
        HWND button = WithText("Button", caption);
        if (button == nullptr) {
            return "<no button>";
        }
        ::PostMessageA(button, BM_CLICK, 0, 0);
        HWND box = WaitForWindow("#32770", boxTitle, 10000);
        if (box == nullptr) {
            return "<no box>";
        }
        const std::string text = TextOf(::GetDlgItem(box, 0xFFFF));
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        WaitFor([&] { return !::IsWindow(box); }, 5000);
        return text;
    }
    std::string Ini() const { return ReadAll(env_.playerFolder() + "WINAMP.INI"); }

    static constexpr const char* kExtensions[] = {".mp3", ".mp2", ".m3u", ".pls", ".rmp"};
    std::vector<std::string> saved_;
};

TEST_F(FileAssociations, TheDisplayProgramBecomesTheOpenerAndADoubleClicksCommandStartsItWithTheFile) {
    Root().WriteInteger("Window", "Page", 3);
    ASSERT_NE(Open(), nullptr);
    const std::string command = "\"" + env_.programFolder() + "Sorabell.Exe\" \"%1\"";
    EXPECT_EQ(PressAndRead("拡張子の関連づけを変更する", "関連づけの報告"),
              "*.mp3 の関連づけを Winamp から Sorabell に変更しました\r\n"
              "*.rmp のファイルタイプを SorabellTest.Audio に変更しました\r\n"
              "*.mp2 の関連づけを Sorabell から Sorabell に変更しました\r\n"
              "*.m3u の関連づけを WINAMP から Sorabell に変更しました\r\n"
              "*.pls の関連づけを 表 から Sorabell に変更しました\r\n");
    EXPECT_EQ(Classes("SorabellTest.Audio\\shell\\open\\command"), command);
    EXPECT_EQ(Classes("SorabellTest.List\\shell\\play\\command"), command);
    EXPECT_EQ(Classes("SorabellTest.Pls\\shell\\open\\command"), command);
    EXPECT_EQ(Classes(".rmp"), "SorabellTest.Audio");
    const std::string again = PressAndRead("拡張子の関連づけを変更する", "関連づけの報告");
    EXPECT_EQ(again.rfind("*.mp3 の関連づけを Sorabell から Sorabell に変更しました\r\n", 0), 0u) << again;

    // As the shell runs a double-click: %1 becomes the file's path.
    Write(Song(), MpegPayload(400) + Id3Block("MMMM", "Artist"));
    std::string line = command;
    line.replace(line.find("%1"), 2, Song());
    ASSERT_NE(env_.StartCommand(line), nullptr);
    ASSERT_TRUE(WaitFor([&] { return !env_.PlayerCommandLines().empty(); }, 15000)) << "the player did not start";
    EXPECT_EQ(env_.PlayerCommandLines()[0], "\"" + env_.playerFolder() + "WINAMP.EXE\" \"" + Song() + "\"");
    // Both must have their windows before the stage ends them by those; a process still on
    // its way up would outlive the test.
    EXPECT_NE(WaitForWindow("Winamp v1.x"), nullptr);
    EXPECT_NE(WaitForWindow("Tlumora", "Sorabell"), nullptr);
    EXPECT_TRUE(E2eEnvironment::WaitForHooks());
}

TEST_F(FileAssociations, TheWinampRepairIsRefusedWhileThePlayerRunsAndThenChangesOnlyItsTwoKeys) {
    // The player writes its own file as it starts and ends, so ours goes in while it runs
    // and again after it has ended.
    const std::string before = "; 設定\r\n[Winamp]\r\nskin=青空\r\nautoscrollname=1\nrandskin=1\r\n[Other]\r\nx=1";
    const OwnedProcess* process = env_.StartPlayer();
    ASSERT_NE(process, nullptr);
    HWND player = WaitForWindow("Winamp v1.x");
    ASSERT_NE(player, nullptr);
    ASSERT_TRUE(WaitFor([&] { return StandInDriver(player).Answers(); })) << "the player never finished starting";
    Write(env_.playerFolder() + "WINAMP.INI", before);
    Root().WriteInteger("Window", "Page", 3);
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(PressAndRead("修正実行", "Sorabellぷれふぁれんす"), "Winamp を終了させてください");
    EXPECT_EQ(Ini(), before);

    EndProcessOf(player);
    ASSERT_TRUE(WaitFor([] { return ::FindWindowA("Winamp v1.x", nullptr) == nullptr; }, 10000));
    ASSERT_TRUE(process->WaitForExit(10000)) << "the player is still ending";
    Write(env_.playerFolder() + "WINAMP.INI", before);
    EXPECT_EQ(PressAndRead("修正実行", "Sorabellぷれふぁれんす"),
              "\"Auto-Scroll SongName\"と\"Select Random Skin on Play\"を解除しました");
    EXPECT_EQ(Ini(), "; 設定\r\n[Winamp]\r\nskin=青空\r\nautoscrollname=0\nrandskin=0\r\n[Other]\r\nx=1");
}

TEST_F(FileAssociations, OnAPerUserWinampFiveTheRepairEditsTheSettingsFoldersFileAndKeepsItsUtf8SkinName) {
    const std::string settings = perUser_.Make(env_.playerFolder(), "");
    const std::string skins = env_.playerFolder() + "Skins\\";
    Write(skins + "Pale.wsz", ZipBytes({Stored("main.bmp", MainImage())}));
    const std::string head =
        "[Winamp]\r\nutf8=1\r\nSkinDir=" + skins + "\r\nskin=\xE7\xA9\xBA\xE8\x89\xB2\xE3\x83\x86\r\n";
    Write(settings + "WINAMP.INI", head + "autoscrollname=1\r\nrandskin=1\r\n");
    const std::string own = Ini();
    Root().WriteInteger("Window", "Page", 3);
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(PressAndRead("修正実行", "Sorabellぷれふぁれんす"),
              "\"Auto-Scroll SongName\"と\"Select Random Skin on Play\"を解除しました");
    EXPECT_EQ(ReadAll(settings + "WINAMP.INI"), head + "autoscrollname=0\r\nrandskin=0\r\n");
    EXPECT_EQ(Ini(), own) << "the program folder's file, which that Winamp does not read";

    // The skins folder of that file, with the archive in the skin list.
    std::vector<std::wstring> names;
    for (HWND list : Inside("ListBox")) {
        const auto count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count && i < 50; ++i) {
            wchar_t item[256] = {};
            if (::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) < LRESULT{std::size(item)}) {
                ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
                names.emplace_back(item);
            }
        }
    }
    EXPECT_NE(std::find(names.begin(), names.end(), L"Pale.wsz"), names.end()) << names.size() << " skins";
}

}  // namespace
}  // namespace sorabell::testing
