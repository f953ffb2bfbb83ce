// sorabell-demo: shows the display program at work. It lays out a player folder with the
// player stand-in as WINAMP.EXE, a skin, songs with Japanese tags and a lyrics file, all made
// here; starts Sorabell.exe; plays through songs, lyrics, a scrolling title, double size and the
// plain background; works the preferences program as a user would, changing a line's format
// and pressing 更新; and writes what the player's window shows as numbered BMP frames, with
// pictures of the preferences window beside them.
//
//   sorabell-demo FRAMES-FOLDER          the whole demo
//   sorabell-demo --default-bmp FILE     only the program's own default picture
//   sorabell-demo --hand-cursor FILE     only the preferences program's hand cursor

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "DemoArt.h"
#include "harness/Input.h"
#include "harness/OwnedProcess.h"
#include "harness/ScreenCapture.h"
#include "harness/StandInDriver.h"
#include "harness/TestFiles.h"
#include "harness/Waits.h"
#include "harness/WindowFinder.h"
#include "hook/HookRules.h"
#include "platform/win32/Win32Platform.h"
#include "settings/RegIniFile.h"
#include "tags/Riff.h"
#include "tags/TagConversion.h"
#include "tags/TagWriter.h"

namespace {

using namespace sorabell;
using namespace sorabell::testing;

struct Song {
    std::string file;
    bool rmp;
    tags::TRMPInfo info;
};

void Write(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// Bytes that look like MPEG audio frames.
std::string Audio(size_t size) {
    std::string out(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        out[i] = static_cast<char>(i % 417 == 0 ? 0xFF : i % 417 == 1 ? 0xFB : (i * 7) & 0xFF);
    }
    return out;
}

void MakeSong(platform::Platform& os, const std::string& folder, const Song& song) {
    const std::string path = folder + song.file;
    const std::string audio = Audio(40000);
    if (song.rmp) {
        Write(path, "RIFF" + tags::LE32(static_cast<uint32_t>(4 + 8 + audio.size())) + "RMP3" + "data" +
                        tags::LE32(static_cast<uint32_t>(audio.size())) + audio);
    } else {
        Write(path, audio);
    }
    tags::TID3Tag id3 = tags::RMPToID3(song.info);
    const auto mode = song.rmp ? tags::WriteMode::RmpInfoAndId3FromRmp : tags::WriteMode::Id3;
    tags::WriteTags(os.files, path, mode, song.info, id3, [](const std::string&) {});
}

// The screen's picture of a whole window, frame and caption included, as BMP bytes.
std::string Picture(HWND window) {
    const ScreenCapture shot(window);
    return demo::Bmp(shot.width(), shot.height(), [&shot](int x, int y) {
        const TColor c = shot.At(x, y);
        return demo::Rgb{RedOf(c), GreenOf(c), BlueOf(c)};
    });
}

class Recorder {
public:
    Recorder(HWND player, std::string folder) : player_(player), folder_(std::move(folder)) {}
    // Waits a moment for both programs to paint, then keeps what the screen shows.
    void Frame(int waitMs = 150) { Keep(waitMs); }
    // A frame also kept under a name of its own, for the pictures of the README.
    void Still(const std::string& name) { Write(folder_ + name + ".bmp", Keep(300)); }
    // Another window's picture under a name of its own, once it has had a moment to paint; no
    // frame of the animation.
    void StillOf(HWND window, const std::string& name) const {
        Pause(300);
        Write(folder_ + name + ".bmp", Picture(window));
    }

private:
    // The next frame's file; its bytes are returned for keeping again. The pause is the
    // animation's pace as much as the programs' time to paint.
    std::string Keep(int waitMs) {
        Pause(static_cast<DWORD>(waitMs));
        const std::string bytes = Picture(player_);
        char name[32];
        std::snprintf(name, sizeof name, "frame-%03d.bmp", count_++);
        Write(folder_ + name, bytes);
        return bytes;
    }

    HWND player_;
    std::string folder_;
    int count_ = 0;
};

// The preferences program, worked through the system's input queue as a user works it. Its
// controls are children of the pages, the pages children of the tab control.
class PreferencesWindow {
public:
    explicit PreferencesWindow(const std::string& programs)
        : process_(OwnedProcess::Start("\"" + programs + "Sorabell_Preferences.exe\"", programs)) {
        if (!process_) {
            return;
        }
        form_ = WaitForWindow("Tlumora_pre", "Sorabell - 設定");
        // The window exists before its controls do; it shows once they are all there.
        if (form_ != nullptr && !WaitFor([this] { return ::IsWindowVisible(form_) != FALSE; })) {
            form_ = nullptr;
        }
    }
    ~PreferencesWindow() { process_.WaitForExit(5000); }
    PreferencesWindow(const PreferencesWindow&) = delete;
    PreferencesWindow& operator=(const PreferencesWindow&) = delete;

    HWND form() const { return form_; }

    std::vector<HWND> Inside(const char* className) const { return ChildWindows(form_, className); }
    bool Press(const std::string& caption) const {
        HWND button = ChildWithText(form_, "Button", caption);
        if (button == nullptr) {
            return false;
        }
        ClickMiddle(button);
        return true;
    }
    // Replaces a box's whole text by typing over it: End, then Shift+Home selects it all.
    static void TypeOver(HWND edit, const std::wstring& text) {
        Click(edit, 2, 4);
        PressKey(VK_END);
        PressKey(VK_HOME, VK_SHIFT);
        Type(text);
    }
    bool Closed() const {
        return WaitFor([this] { return !::IsWindow(form_); });
    }

private:
    OwnedProcess process_;
    HWND form_ = nullptr;
};

bool Fail(const char* what) {
    std::fprintf(stderr, "sorabell-demo: %s\n", what);
    return false;
}

// The preferences program beside the player, out of the way of its picture: the basic page,
// the display page with the preview of the demo's skin, and a new format for the first line
// that shows on the player only once 更新 is pressed. `hold` keeps frames of the player.
template <class Hold>
bool WorkPreferences(const std::string& programs, settings::TRegIniFile& rootStore, settings::TRegIniFile& skins,
                     Recorder& recorder, Hold hold) {
    rootStore.WriteInteger("Window", "Left", 420);
    rootStore.WriteInteger("Window", "Top", 40);
    rootStore.WriteString("Window", "SkinName", "Aozora");
    rootStore.WriteInteger("Window", "Page", 0);
    {
        const PreferencesWindow basic(programs);
        if (basic.form() == nullptr) {
            return Fail("the preferences window did not appear");
        }
        hold(4);
        recorder.StillOf(basic.form(), "05-preferences-basic");
        if (!basic.Press("キャンセル") || !basic.Closed()) {
            return Fail("キャンセル did not close the preferences window");
        }
    }

    rootStore.WriteInteger("Window", "Page", 1);
    const PreferencesWindow prefs(programs);
    if (prefs.form() == nullptr) {
        return Fail("the preferences window did not open again");
    }
    hold(4);
    recorder.StillOf(prefs.form(), "06-preferences-display");

    // The display shows the "(Default)" record for a skin without settings of its own: that
    // record, first in the sorted skin list, is the one to change.
    const auto lists = prefs.Inside("ListBox");
    if (lists.empty()) {
        return Fail("no skin list on the display page");
    }
    const int itemHeight = static_cast<int>(::SendMessageA(lists.front(), LB_GETITEMHEIGHT, 0, 0));
    Click(lists.front(), 10, itemHeight / 2);
    if (!WaitFor([&] { return ::SendMessageA(lists.front(), LB_GETCURSEL, 0, 0) == 0; })) {
        return Fail("(Default) was not chosen in the skin list");
    }
    const std::string before = skins.ReadString("(Default)", "Disp1Text", "");
    HWND line1 = ChildWithText(prefs.form(), "Edit", before);
    if (line1 == nullptr) {
        return Fail("no format box holds the first line's format");
    }
    // The same text as stored (CP932) and as typed (UTF-16): title in brackets, artist, length.
    const std::string format = "「%2」 %1 %A";
    PreferencesWindow::TypeOver(line1, L"「%2」 %1 %A");
    if (!WaitFor([&] { return TextOf(line1) == format; })) {
        return Fail("the first line's format box did not take the typing");
    }
    hold(4);
    recorder.StillOf(prefs.form(), "07-preferences-new-format");
    recorder.Still("08-before-update");

    if (!prefs.Press("更新") || !WaitFor([&] { return skins.ReadString("(Default)", "Disp1Text", "") == format; })) {
        return Fail("更新 did not store the new format");
    }
    hold(10);
    recorder.Still("09-after-update");
    if (!prefs.Press("OK") || !prefs.Closed()) {
        return Fail("OK did not close the preferences window");
    }
    return true;
}

int RunDemo(const std::string& frames) {
    win32::Win32Platform system;
    auto& os = system.platform();
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string root = std::string(temp) + "Sorabell Demo\\";
    const std::string programs = root + "Sorabell\\";
    const std::string player = root + "Winamp\\";
    const std::string skin = player + "Skins\\Aozora\\";
    const std::string music = root + "Music\\";
    for (const std::string& folder : {root, programs, player, player + "Skins\\", skin, music}) {
        ::CreateDirectoryA(folder.c_str(), nullptr);
    }
    const std::string own = ProgramFolder();
    for (const char* file : {"Sorabell.exe", "SorabellSub.dll", "Sorabell_Preferences.exe"}) {
        ::CopyFileA((own + file).c_str(), (programs + file).c_str(), FALSE);
    }
    InstallStandIn(player);
    Write(programs + "Default.Bmp", demo::DefaultMain());
    Write(skin + "main.bmp", demo::SkinMain());
    Write(skin + "nums_ex.bmp", demo::SkinNumbers());
    Write(skin + "text.bmp", demo::SkinText());
    ChooseSkin(player, player + "Skins\\", "Aozora");

    std::vector<Song> songs(3);
    songs[0] = {"01 春の歌.rmp", true, {}};
    // Short enough that line 1 fits and rests: the first picture shows track, artist, title and
    // length whole, whatever moment it is taken at.
    songs[0].info.Artist = "青空";
    songs[0].info.Title = "春の歌";
    songs[0].info.Album = "そらのうた";
    songs[0].info.Release = "2026";
    songs[0].info.Comment = "デモのための曲";
    songs[0].info.Genre = "Pop";
    songs[1] = {"02 夜明け前.mp3", false, {}};
    songs[1].info.Artist = "Sorabell Demo Orchestra";
    songs[1].info.Title = "夜明け前の長い長い道のり";
    songs[1].info.Album = "The Long Night";
    songs[1].info.Release = "2025";
    songs[1].info.Genre = "Soundtrack";
    songs[2] = {"03 Winter Light.rmp", true, {}};
    songs[2].info.Artist = "Aozora";
    songs[2].info.Title = "Winter Light";
    songs[2].info.Album = "Seasons";
    songs[2].info.Release = "2024";
    songs[2].info.Comment = "冬の光";
    songs[2].info.Genre = "Ambient";
    for (const Song& song : songs) {
        MakeSong(os, music, song);
    }
    Write(music + "01 春の歌.txt",
          "[00:00]♪ イントロ ♪\r\n[00:03]空に向かって歌おう\r\n[00:06]風がやさしく吹いている\r\n"
          "[00:09]\r\n[00:11]また会う日まで\r\n");

    // The prefix is kept between runs; what the preferences program stored in the last one
    // (a record for the skin, the window's page) must not change this one.
    os.registry.DeleteKey(platform::RegistryRoot::CurrentUser, settings::kRootPath);
    settings::TRegIniFile rootStore(os.registry, settings::kRootPath);
    rootStore.WriteString("Option", "Winamp", player);
    rootStore.WriteInteger("Option", "TimerSpeed", 200);
    rootStore.WriteInteger("Option", "ScrollDot", 4);
    settings::TRegIniFile skins(os.registry, settings::kSkinsPath);
    skins.WriteInteger("(Default)", "DispSw", 2);
    skins.WriteString("(Default)", "Disp1Text", "%0. %1 - %2 %A");
    skins.WriteBool("(Default)", "Disp1Scroll", true);
    skins.WriteString("(Default)", "Disp2Text", "%B");
    skins.WriteString("(Default)", "Disp3Text", "%3 (%4) %6");
    skins.WriteBool("(Default)", "Disp3Scroll", true);
    skins.WriteBool("(Default)", "Skin", true);
    skins.WriteBool("(Default)", "ExtTime", true);
    skins.WriteBool("(Default)", "ColorPick", true);
    skins.WriteString("(Default)", "NFontName", "ＭＳ ゴシック");
    skins.WriteString("(Default)", "DFontName", "ＭＳ ゴシック");

    const OwnedProcess sorabell = OwnedProcess::Start("\"" + programs + "Sorabell.exe\"", programs);
    if (!sorabell) {
        std::fprintf(stderr, "sorabell-demo: Sorabell.exe did not start\n");
        return 1;
    }
    HWND winamp = WaitForWindow(kStandInClass);
    HWND display = WaitForWindow("Tlumora", "Sorabell");
    if (winamp == nullptr || display == nullptr) {
        std::fprintf(stderr, "sorabell-demo: the player or the display did not appear\n");
        return 1;
    }
    std::vector<std::string> playList;
    for (const Song& song : songs) {
        playList.push_back(music + song.file);
    }
    Recorder recorder(winamp, frames);
    const StandInDriver stand(winamp);
    const auto play = [&](int index, int length) {
        const tags::TRMPInfo& info = songs[static_cast<size_t>(index)].info;
        stand.PlayList(index, playList);
        stand.Length(length);
        stand.Position(0);
        stand.Title(index + 1, info.Artist, info.Title);
    };
    stand.Send("state 1");
    stand.Send("timer 200");

    // The first song: its lyrics follow the position.
    play(0, 214);
    for (int ms = 0; ms <= 13000; ms += 500) {
        stand.Position(ms);
        recorder.Frame();
        if (ms == 4000) {
            recorder.Still("01-song-and-lyrics");
        }
    }
    // A title too long for its line scrolls.
    play(1, 3725);
    for (int i = 0; i < 30; ++i) {
        stand.Position(i * 400);
        recorder.Frame();
        if (i == 12) {
            recorder.Still("02-scrolling-title");
        }
    }
    // Double size.
    play(2, 187);
    stand.Send("size double");
    for (int i = 0; i < 10; ++i) {
        stand.Position(i * 500);
        recorder.Frame();
    }
    recorder.Still("03-double-size");
    stand.Send("size normal");
    // The plain background with its frame, in the settings' own colours.
    skins.WriteBool("(Default)", "Skin", false);
    skins.WriteBool("(Default)", "ColorPick", false);
    skins.WriteBool("(Default)", "Color", true);
    skins.WriteInteger("(Default)", "Disp2Color", 0x40C0FF);
    skins.WriteInteger("(Default)", "Disp3Color", 0xFFC060);
    ::PostMessageA(display, hook::UM_RELOAD_SETTINGS, 0, 0);
    for (int i = 0; i < 10; ++i) {
        stand.Position(5000 + i * 500);
        recorder.Frame();
    }
    recorder.Still("04-plain-background");

    // Back to the skin's look for the preferences program's turn.
    skins.WriteBool("(Default)", "Skin", true);
    skins.WriteBool("(Default)", "ColorPick", true);
    skins.WriteBool("(Default)", "Color", false);
    ::PostMessageA(display, hook::UM_RELOAD_SETTINGS, 0, 0);
    play(0, 214);
    const auto hold = [&](int count) {
        for (int i = 0; i < count; ++i) {
            stand.Position(4000);
            recorder.Frame();
        }
    };
    hold(6);
    const bool worked = WorkPreferences(programs, rootStore, skins, recorder, hold);

    ::PostMessageA(display, WM_CLOSE, 0, 0);
    sorabell.WaitForExit(5000);
    stand.Send("quit");
    return worked ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--default-bmp") {
        Write(argv[2], demo::DefaultMain());
        return 0;
    }
    if (argc == 3 && std::string(argv[1]) == "--hand-cursor") {
        Write(argv[2], demo::HandCursor());
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: sorabell-demo FRAMES-FOLDER | --default-bmp FILE | --hand-cursor FILE\n");
        return 2;
    }
    std::string frames = argv[1];
    if (frames.back() != '\\') {
        frames += '\\';
    }
    return RunDemo(frames);
}
