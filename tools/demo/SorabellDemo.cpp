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
#include "hook/HookRules.h"
#include "platform/win32/ScreenCapture.h"
#include "platform/win32/Win32Platform.h"
#include "settings/RegIniFile.h"
#include "tags/Riff.h"
#include "tags/TagConversion.h"
#include "tags/TagWriter.h"

namespace {

using namespace sorabell;

struct Song {
    std::string file;
    bool rmp;
    tags::TRMPInfo info;
};

void Write(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string OwnFolder() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string p = path;
    return p.substr(0, p.find_last_of('\\') + 1);
}

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

HWND WaitForWindow(const char* className, const char* title) {
    for (int i = 0; i < 300; ++i) {
        if (HWND window = ::FindWindowA(className, title)) {
            return window;
        }
        ::Sleep(50);
    }
    return nullptr;
}

void Send(HWND player, const std::string& command) {
    COPYDATASTRUCT data{};
    data.cbData = static_cast<DWORD>(command.size());
    data.lpData = const_cast<char*>(command.data());
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(player, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 5000, &result);
}

// The screen's picture of a whole window, frame and caption included, as BMP bytes.
std::string Picture(HWND window) {
    const win32::ScreenCapture shot(window);
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
    // Another window's picture under a name of its own; no frame of the animation.
    void StillOf(HWND window, const std::string& name) const {
        ::Sleep(300);
        Write(folder_ + name + ".bmp", Picture(window));
    }

private:
    // The next frame's file; its bytes are returned for keeping again.
    std::string Keep(int waitMs) {
        ::Sleep(static_cast<DWORD>(waitMs));
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

template <class Done>
bool WaitFor(Done done, DWORD timeoutMs = 10000) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        if (done()) {
            return true;
        }
        ::Sleep(50);
    }
    return done();
}

void SendKeys(std::vector<INPUT> inputs) {
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    ::Sleep(30);
}

INPUT Key(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// The preferences program, worked through the system's input queue as a user works it. Its
// controls are children of the pages, the pages children of the tab control.
class PreferencesWindow {
public:
    explicit PreferencesWindow(const std::string& programs) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        std::string line = "\"" + programs + "Sorabell_Preferences.exe\"";
        if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, programs.c_str(), &startup,
                              &process)) {
            return;
        }
        ::CloseHandle(process.hThread);
        process_ = process.hProcess;
        form_ = WaitForWindow("Tlumora_pre", "Sorabell - 設定");
        // The window exists before its controls do; it shows once they are all there.
        if (form_ != nullptr && !WaitFor([this] { return ::IsWindowVisible(form_) != FALSE; })) {
            form_ = nullptr;
        }
    }
    ~PreferencesWindow() {
        if (process_ != nullptr) {
            ::WaitForSingleObject(process_, 5000);
            ::CloseHandle(process_);
        }
    }
    PreferencesWindow(const PreferencesWindow&) = delete;
    PreferencesWindow& operator=(const PreferencesWindow&) = delete;

    HWND form() const { return form_; }

    static std::string TextOf(HWND window) {
        char text[512] = {};
        DWORD_PTR copied = 0;
        ::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000,
                              &copied);
        return text;
    }
    std::vector<HWND> Inside(const char* className) const {
        std::pair<const char*, std::vector<HWND>> search{className, {}};
        ::EnumChildWindows(form_, Collect, reinterpret_cast<LPARAM>(&search));
        return search.second;
    }
    HWND WithText(const char* className, const std::string& text) const {
        for (HWND w : Inside(className)) {
            if (TextOf(w) == text) {
                return w;
            }
        }
        return nullptr;
    }
    void Click(HWND control, int x, int y) const {
        ::SetForegroundWindow(form_);
        POINT at{x, y};
        ::ClientToScreen(control, &at);
        ::SetCursorPos(at.x, at.y);
        INPUT inputs[2] = {};
        inputs[0].type = inputs[1].type = INPUT_MOUSE;
        inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendKeys({inputs[0], inputs[1]});
    }
    bool Press(const std::string& caption) const {
        HWND button = WithText("Button", caption);
        if (button == nullptr) {
            return false;
        }
        RECT r{};
        ::GetClientRect(button, &r);
        Click(button, r.right / 2, r.bottom / 2);
        return true;
    }
    // Replaces a box's whole text by typing over it: End, then Shift+Home selects it all.
    void TypeOver(HWND edit, const std::wstring& text) const {
        Click(edit, 2, 4);
        SendKeys({Key(VK_END, false), Key(VK_END, true)});
        SendKeys({Key(VK_SHIFT, false), Key(VK_HOME, false), Key(VK_HOME, true), Key(VK_SHIFT, true)});
        for (const wchar_t c : text) {
            INPUT inputs[2] = {};
            for (INPUT& input : inputs) {
                input.type = INPUT_KEYBOARD;
                input.ki.wScan = c;
                input.ki.dwFlags = KEYEVENTF_UNICODE;
            }
            inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
            SendKeys({inputs[0], inputs[1]});
        }
    }
    bool Closed() const {
        return WaitFor([this] { return !::IsWindow(form_); });
    }

private:
    static BOOL CALLBACK Collect(HWND child, LPARAM data) {
        auto& search = *reinterpret_cast<std::pair<const char*, std::vector<HWND>>*>(data);
        char name[64] = {};
        ::GetClassNameA(child, name, sizeof name);
        if (::lstrcmpiA(name, search.first) == 0) {
            search.second.push_back(child);
        }
        return TRUE;
    }

    HANDLE process_ = nullptr;
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
    prefs.Click(lists.front(), 10, itemHeight / 2);
    if (!WaitFor([&] { return ::SendMessageA(lists.front(), LB_GETCURSEL, 0, 0) == 0; })) {
        return Fail("(Default) was not chosen in the skin list");
    }
    const std::string before = skins.ReadString("(Default)", "Disp1Text", "");
    HWND line1 = prefs.WithText("Edit", before);
    if (line1 == nullptr) {
        return Fail("no format box holds the first line's format");
    }
    // The same text as stored (CP932) and as typed (UTF-16): title in brackets, artist, length.
    const std::string format = "「%2」 %1 %A";
    prefs.TypeOver(line1, L"「%2」 %1 %A");
    if (!WaitFor([&] { return PreferencesWindow::TextOf(line1) == format; })) {
        return Fail("the first line's format box did not take the typing");
    }
    hold(4);
    recorder.StillOf(prefs.form(), "07-preferences-new-format");
    recorder.Still("08-before-update");

    if (!prefs.Press("更新") ||
        !WaitFor([&] { return skins.ReadString("(Default)", "Disp1Text", "") == format; })) {
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
    const std::string own = OwnFolder();
    for (const char* file : {"Sorabell.exe", "SorabellSub.dll", "Sorabell_Preferences.exe"}) {
        ::CopyFileA((own + file).c_str(), (programs + file).c_str(), FALSE);
    }
    ::CopyFileA((own + "standin.exe").c_str(), (player + "WINAMP.EXE").c_str(), FALSE);
    Write(programs + "Default.Bmp", demo::DefaultMain());
    Write(skin + "main.bmp", demo::SkinMain());
    Write(skin + "nums_ex.bmp", demo::SkinNumbers());
    Write(skin + "text.bmp", demo::SkinText());
    const std::string ini = player + "WINAMP.INI";
    ::WritePrivateProfileStringA("Winamp", "SkinDir", (player + "Skins\\").c_str(), ini.c_str());
    ::WritePrivateProfileStringA("Winamp", "skin", "Aozora", ini.c_str());

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

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = "\"" + programs + "Sorabell.exe\"";
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, programs.c_str(), &startup,
                          &process)) {
        std::fprintf(stderr, "sorabell-demo: Sorabell.exe did not start\n");
        return 1;
    }
    ::CloseHandle(process.hThread);
    HWND winamp = WaitForWindow("Winamp v1.x", nullptr);
    HWND display = WaitForWindow("Tlumora", "Sorabell");
    if (winamp == nullptr || display == nullptr) {
        std::fprintf(stderr, "sorabell-demo: the player or the display did not appear\n");
        return 1;
    }
    std::string playList = "playlist 0";
    for (const Song& song : songs) {
        playList += "\t" + music + song.file;
    }
    Recorder recorder(winamp, frames);
    const auto play = [&](int index, int length) {
        Send(winamp, "playlist " + std::to_string(index) + playList.substr(10));
        Send(winamp, "length " + std::to_string(length));
        Send(winamp, "position 0");
        Send(winamp, "title " + std::to_string(index + 1) + ". " + songs[static_cast<size_t>(index)].info.Artist +
                         " - " + songs[static_cast<size_t>(index)].info.Title + " - Winamp");
    };
    Send(winamp, "state 1");
    Send(winamp, "timer 200");

    // The first song: its lyrics follow the position.
    play(0, 214);
    for (int ms = 0; ms <= 13000; ms += 500) {
        Send(winamp, "position " + std::to_string(ms));
        recorder.Frame();
        if (ms == 4000) {
            recorder.Still("01-song-and-lyrics");
        }
    }
    // A title too long for its line scrolls.
    play(1, 3725);
    for (int i = 0; i < 30; ++i) {
        Send(winamp, "position " + std::to_string(i * 400));
        recorder.Frame();
        if (i == 12) {
            recorder.Still("02-scrolling-title");
        }
    }
    // Double size.
    play(2, 187);
    Send(winamp, "size double");
    for (int i = 0; i < 10; ++i) {
        Send(winamp, "position " + std::to_string(i * 500));
        recorder.Frame();
    }
    recorder.Still("03-double-size");
    Send(winamp, "size normal");
    // The plain background with its frame, in the settings' own colours.
    skins.WriteBool("(Default)", "Skin", false);
    skins.WriteBool("(Default)", "ColorPick", false);
    skins.WriteBool("(Default)", "Color", true);
    skins.WriteInteger("(Default)", "Disp2Color", 0x40C0FF);
    skins.WriteInteger("(Default)", "Disp3Color", 0xFFC060);
    ::PostMessageA(display, hook::UM_RELOAD_SETTINGS, 0, 0);
    for (int i = 0; i < 10; ++i) {
        Send(winamp, "position " + std::to_string(5000 + i * 500));
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
            Send(winamp, "position 4000");
            recorder.Frame();
        }
    };
    hold(6);
    const bool worked = WorkPreferences(programs, rootStore, skins, recorder, hold);

    ::PostMessageA(display, WM_CLOSE, 0, 0);
    ::WaitForSingleObject(process.hProcess, 5000);
    ::CloseHandle(process.hProcess);
    Send(winamp, "quit");
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
