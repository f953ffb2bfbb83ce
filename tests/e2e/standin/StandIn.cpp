// A stand-in for the Winamp player, for the end-to-end tests. It meets what the system relies
// on from the player: a top-level window of class "Winamp v1.x" (275 x 116, or 550 x 232 in
// double size) and one of class "Winamp PE", titles such as "3. Artist - Title - Winamp", the
// WM_USER queries (version, play list, play state, position, length), the play list file
// "WINAMP.PL" or "WINAMP.M3U" in its folder by version, and its skin's main.bmp painted on
// WM_PAINT. As a Winamp 5 installed per user, with a paths.ini beside it, it keeps WINAMP.INI
// in the folder that paths.ini's "inidir" names and the play lists in its "m3udir"; a WINAMP.INI
// marked "utf8=1" names its skin in UTF-8. It records every command
// line it is started with in "standin-commandlines.txt" beside itself; a second copy records its
// own and ends, as the player hands files to the running one. Tests drive it with WM_COPYDATA
// commands (see Execute).

#include <windows.h>

#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/IniDocument.h"
#include "support/PlayerModel.h"
#include "support/SendCost.h"

namespace {

using sorabell::testing::PlayerCommand;
using sorabell::testing::SplitCommand;
using sorabell::testing::SplitTabList;

constexpr const char* kMainClass = "Winamp v1.x";
constexpr const char* kPlayListClass = "Winamp PE";
constexpr const char* kOtherClass = "StandInOther";

struct Player : sorabell::testing::PlayerModel {
    HINSTANCE instance = nullptr;
    HWND skinDialog = nullptr;
    HWND main = nullptr;
    HWND playList = nullptr;
    HWND other = nullptr;
    std::string folder;      // the settings folder, with its final backslash
    std::string listFolder;  // where the play lists go, with its final backslash
    bool doubleSize = false;
    HBITMAP skin = nullptr;
};

std::string OwnFolder() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// A folder value of paths.ini: "{N}" is CSIDL N's folder, "%NAME%" an environment variable
// (WINAMP_PROGRAM_DIR and WINAMP_ROOT_DIR the stand-in's own folder), and a relative value lies
// in the own folder. Empty for an empty value or a placeholder that names nothing.
std::string ExpandFolder(const std::string& value) {
    const std::string own = OwnFolder();
    std::string folder;
    for (size_t i = 0; i < value.size();) {
        const char open = value[i];
        const size_t close = value.find(open == '{' ? '}' : '%', i + 1);
        if ((open != '{' && open != '%') || close == std::string::npos) {
            folder += value[i++];
            continue;
        }
        const std::string name = value.substr(i + 1, close - i - 1);
        char found[MAX_PATH] = {};
        if (name == "WINAMP_PROGRAM_DIR" || name == "WINAMP_ROOT_DIR") {
            folder += own.substr(0, own.size() - 1);
        } else if (open == '{' ? FAILED(::SHGetFolderPathA(nullptr, std::atoi(name.c_str()), nullptr, 0, found))
                               : ::GetEnvironmentVariableA(name.c_str(), found, MAX_PATH) == 0) {
            return {};
        } else {
            folder += found;
        }
        i = close + 1;
    }
    if (folder.empty()) {
        return {};
    }
    if (folder.size() < 2 || (folder[1] != ':' && folder[0] != '\\')) {
        folder = own + folder;
    }
    return folder.back() == '\\' ? folder : folder + '\\';
}

std::string PathsValue(const char* key) {
    char value[MAX_PATH] = {};
    ::GetPrivateProfileStringA("Winamp", key, "", value, sizeof value, (OwnFolder() + "paths.ini").c_str());
    return ExpandFolder(value);
}

// The folder of paths.ini's "inidir", or the stand-in's own folder.
std::string SettingsFolder() {
    const std::string folder = PathsValue("inidir");
    return folder.empty() ? OwnFolder() : folder;
}

// The folder of paths.ini's "m3udir", or the settings folder.
std::string PlayListFolder(const std::string& settings) {
    const std::string folder = PathsValue("m3udir");
    return folder.empty() ? settings : folder;
}

void RecordCommandLine() {
    const std::string file = OwnFolder() + "standin-commandlines.txt";
    if (FILE* out = std::fopen(file.c_str(), "ab")) {
        std::fprintf(out, "%s\r\n", ::GetCommandLineA());
        std::fclose(out);
    }
}

std::string IniValue(const Player& player, const std::string& key, const std::string& fallback) {
    char value[MAX_PATH] = {};
    ::GetPrivateProfileStringA("Winamp", key.c_str(), fallback.c_str(), value, sizeof value,
                               (player.folder + "WINAMP.INI").c_str());
    return value;
}

std::wstring Widen(const std::string& text, UINT codePage) {
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<size_t>(::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()),
                                                          wide.data(), static_cast<int>(wide.size()))));
    return wide;
}

// A value of a WINAMP.INI marked "utf8=1", by its bytes: the profile functions would read them
// through the code page.
std::wstring Utf8IniValue(const Player& player, const std::string& key, const std::string& fallback) {
    std::string content;
    if (FILE* in = std::fopen((player.folder + "WINAMP.INI").c_str(), "rb")) {
        char buffer[4096];
        for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, in)) > 0;) {
            content.append(buffer, got);
        }
        std::fclose(in);
    }
    return Widen(sorabell::platform::IniReadString(content, "Winamp", key, fallback), CP_UTF8);
}

void LoadSkin(Player& player) {
    if (player.skin != nullptr) {
        ::DeleteObject(player.skin);
        player.skin = nullptr;
    }
    if (IniValue(player, "utf8", "0") == "1") {
        std::wstring skinDir = Utf8IniValue(player, "SkinDir", "");
        if (skinDir.empty()) {
            skinDir = Widen(player.folder + "Skins\\", CP_ACP);
        } else if (skinDir.back() != L'\\') {
            skinDir += L'\\';
        }
        const std::wstring file = skinDir + Utf8IniValue(player, "skin", "") + L"\\main.bmp";
        player.skin = static_cast<HBITMAP>(::LoadImageW(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
        return;
    }
    std::string skinDir = IniValue(player, "SkinDir", player.folder + "Skins\\");
    if (!skinDir.empty() && skinDir.back() != '\\') {
        skinDir += '\\';
    }
    const std::string file = skinDir + IniValue(player, "skin", "") + "\\main.bmp";
    player.skin = static_cast<HBITMAP>(::LoadImageA(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
}

void WriteFile(const std::string& path, const std::string& text) {
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        std::fwrite(text.data(), 1, text.size(), out);
        std::fclose(out);
    }
}

// UTF-8 in the code page as Winamp writes its WINAMP.M3U: the converter's "?" for what it lacks.
std::string CodePageText(const std::string& utf8) {
    const int units = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(units), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), units);
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), units, text.data(), bytes, nullptr, nullptr);
    return text;
}

void Paint(const Player& player, HWND window) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(window, &ps);
    RECT client;
    ::GetClientRect(window, &client);
    if (player.skin != nullptr) {
        HDC source = ::CreateCompatibleDC(dc);
        HGDIOBJ old = ::SelectObject(source, player.skin);
        BITMAP info{};
        ::GetObject(player.skin, sizeof info, &info);
        ::SetStretchBltMode(dc, COLORONCOLOR);
        ::StretchBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        ::SelectObject(source, old);
        ::DeleteDC(source);
    } else {
        HBRUSH brush = ::CreateSolidBrush(static_cast<COLORREF>(sorabell::testing::kPlayerPlain));
        ::FillRect(dc, &client, brush);
        ::DeleteObject(brush);
    }
    ::EndPaint(window, &ps);
}

void Resize(Player& player, bool doubleSize) {
    player.doubleSize = doubleSize;
    const int scale = doubleSize ? 2 : 1;
    ::SetWindowPos(player.main, nullptr, 0, 0, 275 * scale, 116 * scale, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// What the command measured, or TRUE.
LRESULT Execute(Player& player, const std::string& text) {
    const PlayerCommand command = SplitCommand(text);
    if (player.Apply(command)) {
        return TRUE;
    }
    const std::string& verb = command.verb;
    const std::string& arg = command.arg;
    if (verb == "title") {
        ::SetWindowTextA(player.main, arg.c_str());
    } else if (verb == "size") {
        Resize(player, arg == "double");
    } else if (verb == "enable") {
        ::EnableWindow(player.main, arg != "0");
    } else if (verb == "ime") {
        ::SendMessageA(player.main, WM_IME_SETCONTEXT, 1, 0);
    } else if (verb == "displaychange") {
        ::SendMessageA(player.main, WM_DISPLAYCHANGE, 24, MAKELPARAM(1024, 768));
    } else if (verb == "timer") {
        ::SetTimer(player.main, 1, static_cast<UINT>(std::atoi(arg.c_str())), nullptr);
    } else if (verb == "notimer") {
        ::KillTimer(player.main, 1);
    } else if (verb == "paint") {
        // The paint then comes through the message queue, as the player's own paints do.
        ::InvalidateRect(player.main, nullptr, FALSE);
    } else if (verb == "minmax") {
        MINMAXINFO limits{};
        ::SendMessageA(player.main, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    } else if (verb == "skin") {
        LoadSkin(player);
        ::InvalidateRect(player.main, nullptr, FALSE);
    } else if (verb == "pe-title") {
        ::SetWindowTextA(player.playList, arg.c_str());
    } else if (verb == "pe-size") {
        ::SetWindowPos(player.playList, nullptr, 0, 0, 275, 100 + std::atoi(arg.c_str()),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (verb == "other-title") {
        ::SetWindowTextA(player.other, arg.c_str());
    } else if (verb == "other-size") {
        ::SetWindowPos(player.other, nullptr, 0, 0, 50, 50 + std::atoi(arg.c_str()),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (verb == "skin-dialog") {
        // "<selected>\t<item>\t<item>...": the player's skin dialog with its list of skins.
        if (player.skinDialog != nullptr) {
            ::DestroyWindow(player.skinDialog);
        }
        player.skinDialog = ::CreateWindowExA(0, "STATIC", "Select Skin", WS_POPUP | WS_VISIBLE, 500, 100, 200, 150,
                                              nullptr, nullptr, player.instance, nullptr);
        HWND list = ::CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | LBS_NOTIFY, 5, 5, 190, 140,
                                      player.skinDialog, nullptr, player.instance, nullptr);
        std::vector<std::string> items;
        const int selected = SplitTabList(arg, items);
        for (const std::string& item : items) {
            ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
        ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    } else if (verb == "skin-dialog-close") {
        if (player.skinDialog != nullptr) {
            ::DestroyWindow(player.skinDialog);
            player.skinDialog = nullptr;
        }
    } else if (verb == "sendcost") {
        // Nanoseconds per message sent inside the player's own thread, hooks and all.
        return static_cast<LRESULT>(sorabell::testing::SendNanoseconds(player.other, std::atoi(arg.c_str())));
    } else if (verb == "quit") {
        ::DestroyWindow(player.main);
    } else if (verb == "hang") {
        // The command's sender is let go first; then the thread stops taking messages, as a
        // player busy with a slow device does.
        ::ReplyMessage(TRUE);
        ::Sleep(static_cast<DWORD>(std::atoi(arg.c_str())));
    }
    return TRUE;
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* player = reinterpret_cast<Player*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (player == nullptr) {
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
    switch (message) {
        case WM_USER:
            return player->Query(
                wParam, lParam,
                [player](const std::string& name, const std::string& text) {
                    WriteFile(player->listFolder + name, text);
                },
                CodePageText);
        case WM_COPYDATA: {
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            return Execute(*player, std::string(static_cast<const char*>(data->lpData), data->cbData));
        }
        case WM_PAINT:
            Paint(*player, window);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND MakeWindow(HINSTANCE instance, const char* className, const char* title, WNDPROC proc, int x, int y, int w, int h,
                void* data = nullptr) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className;
    ::RegisterClassA(&windowClass);
    return ::CreateWindowExA(0, className, title, WS_POPUP | WS_VISIBLE, x, y, w, h, nullptr, nullptr, instance, data);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    RecordCommandLine();
    if (::FindWindowA(kMainClass, nullptr) != nullptr) {
        return 0;
    }
    Player player;
    player.instance = instance;
    player.folder = SettingsFolder();
    player.listFolder = PlayListFolder(player.folder);
    LoadSkin(player);
    player.playList =
        MakeWindow(instance, kPlayListClass, "Winamp Playlist Editor", ::DefWindowProcA, 100, 216, 275, 100);
    player.other = MakeWindow(instance, kOtherClass, "Not Winamp", ::DefWindowProcA, 400, 100, 50, 50);
    player.main = MakeWindow(instance, kMainClass, "Winamp 1.x", MainProc, 100, 100, 275, 116, &player);

    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    ::DestroyWindow(player.playList);
    ::DestroyWindow(player.other);
    if (player.skin != nullptr) {
        ::DeleteObject(player.skin);
    }
    return 0;
}
