#include "support/E2eEnvironment.h"

#include <fstream>
#include <sstream>

#include "hook/HookRules.h"
#include "platform/win32/Win32Registry.h"
#include "settings/RegIniFile.h"
#include "win32/Win32Helpers.h"

namespace sorabell::testing {

namespace {

void EndEverything() {
    for (const char* className : {"Tlumora", "Tlumora_pre", "Winamp v1.x", "TLumora_Edit"}) {
        for (HWND window : E2eEnvironment::Windows(className)) {
            E2eEnvironment::EndProcessOf(window);
        }
    }
}

}  // namespace

E2eEnvironment::E2eEnvironment() {
    EndEverything();
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    root_ = std::string(temp) + "sorabell e2e " + std::to_string(::GetCurrentProcessId()) + "\\";
    RemoveTree(root_);
    programFolder_ = root_ + "Sora Bell\\";
    playerFolder_ = root_ + "Program Files\\Winamp\\";
    ::CreateDirectoryA(root_.c_str(), nullptr);
    ::CreateDirectoryA(programFolder_.c_str(), nullptr);
    ::CreateDirectoryA((root_ + "Program Files").c_str(), nullptr);
    ::CreateDirectoryA(playerFolder_.c_str(), nullptr);
    const std::string bin = ProgramFolder();
    for (const char* file : {"Sorabell.exe", "SorabellSub.dll", "Sorabell_Preferences.exe"}) {
        ::CopyFileA((bin + file).c_str(), (programFolder_ + file).c_str(), FALSE);
    }
    ::CopyFileA((bin + "standin.exe").c_str(), (playerFolder_ + "WINAMP.EXE").c_str(), FALSE);

    WipeSettings();
    win32::Win32Registry registry;
    settings::TRegIniFile(registry, settings::kRootPath).WriteString("Option", "Winamp", playerFolder_);
}

E2eEnvironment::~E2eEnvironment() {
    EndEverything();
    for (HANDLE process : processes_) {
        if (::WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(process, 1);
        }
        ::CloseHandle(process);
    }
    WipeSettings();
    RemoveTree(root_);
}

HANDLE E2eEnvironment::StartDisplay(const std::string& arguments) { return StartProgram("Sorabell.exe", arguments); }

HANDLE E2eEnvironment::StartPreferences() { return StartProgram("Sorabell_Preferences.exe", ""); }

HANDLE E2eEnvironment::StartProgram(const std::string& file, const std::string& arguments) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = "\"" + programFolder_ + file + "\"" + (arguments.empty() ? "" : " " + arguments);
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, programFolder_.c_str(), &startup,
                          &process)) {
        return nullptr;
    }
    ::CloseHandle(process.hThread);
    processes_.push_back(process.hProcess);
    return process.hProcess;
}

void E2eEnvironment::StartPlayer() {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = "\"" + playerFolder_ + "WINAMP.EXE\"";
    if (::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, playerFolder_.c_str(), &startup,
                         &process)) {
        ::CloseHandle(process.hThread);
        processes_.push_back(process.hProcess);
    }
}

std::vector<std::string> E2eEnvironment::PlayerCommandLines() const {
    return ReadLines(playerFolder_ + "standin-commandlines.txt");
}

void E2eEnvironment::Send(HWND player, const std::string& command) { SendPlayerCommand(player, command); }

void E2eEnvironment::Click(HWND window, int x, int y) {
    POINT at{x, y};
    ::ClientToScreen(window, &at);
    ::SetForegroundWindow(window);
    ClickAt(at);
}

void E2eEnvironment::ClickAt(POINT screen) {
    ::SetCursorPos(screen.x, screen.y);
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}

void E2eEnvironment::Type(const std::wstring& text) {
    for (const wchar_t c : text) {
        INPUT inputs[2] = {};
        for (INPUT& input : inputs) {
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = c;
            input.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        ::SendInput(2, inputs, sizeof(INPUT));
    }
}

void E2eEnvironment::PressKey(WORD virtualKey) {
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}

std::vector<HWND> E2eEnvironment::Windows(const char* className, const char* title) {
    std::vector<HWND> found;
    for (HWND w = ::FindWindowExA(nullptr, nullptr, className, title); w != nullptr;
         w = ::FindWindowExA(nullptr, w, className, title)) {
        found.push_back(w);
    }
    return found;
}

HWND E2eEnvironment::WaitForWindow(const char* className, const char* title, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitFor([&] { return (found = ::FindWindowA(className, title)) != nullptr; }, timeoutMs);
    return found;
}

bool E2eEnvironment::WaitForHooks(DWORD timeoutMs) {
    return WaitFor(
        [] {
            HANDLE share = ::OpenFileMappingA(FILE_MAP_READ, FALSE, hook::kShareName);
            if (share == nullptr) {
                return false;
            }
            ::CloseHandle(share);
            return true;
        },
        timeoutMs);
}

void E2eEnvironment::EndProcessOf(HWND window, DWORD graceMs) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    if (process != nullptr) {
        if (::WaitForSingleObject(process, graceMs * TimeScale()) != WAIT_OBJECT_0) {
            ::TerminateProcess(process, 1);
            ::WaitForSingleObject(process, graceMs * TimeScale());
        }
        ::CloseHandle(process);
    }
}

}  // namespace sorabell::testing
