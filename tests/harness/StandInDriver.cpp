#include "harness/StandInDriver.h"

#include "harness/TestFiles.h"
#include "harness/Waits.h"

namespace sorabell::testing {

void InstallStandIn(const std::string& playerFolder) {
    ::CopyFileA((ProgramFolder() + "standin.exe").c_str(), (playerFolder + "WINAMP.EXE").c_str(), FALSE);
}

void ChooseSkin(const std::string& playerFolder, const std::string& skinsFolder, const std::string& skin) {
    const std::string ini = playerFolder + "WINAMP.INI";
    ::WritePrivateProfileStringA("Winamp", "SkinDir", skinsFolder.c_str(), ini.c_str());
    ::WritePrivateProfileStringA("Winamp", "skin", skin.c_str(), ini.c_str());
}

OwnedProcess StartStandIn(const std::string& playerFolder) {
    return OwnedProcess::Start("\"" + playerFolder + "WINAMP.EXE\"", playerFolder);
}

HWND WaitForStandInWindow(const OwnedProcess& standIn, DWORD limitMs) {
    HWND main = nullptr;
    WaitFor(
        [&] {
            HWND window = ::FindWindowA(kStandInClass, nullptr);
            DWORD pid = 0;
            ::GetWindowThreadProcessId(window, &pid);
            main = window != nullptr && pid == standIn.id() ? window : nullptr;
            return main != nullptr;
        },
        limitMs);
    return main;
}

LRESULT SendPlayerCommand(HWND player, const std::string& command) {
    COPYDATASTRUCT data{};
    data.cbData = static_cast<DWORD>(command.size());
    data.lpData = const_cast<char*>(command.data());
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(player, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, Scaled(5000), &result);
    return static_cast<LRESULT>(result);
}

bool StandInDriver::Answers() const {
    DWORD_PTR version = 0;
    return ::SendMessageTimeoutA(player_, WM_USER, 0, 0, SMTO_NORMAL, Scaled(1000), &version) != 0;
}

void StandInDriver::PlayList(int index, const std::vector<std::string>& files) const {
    std::string command = "playlist " + std::to_string(index);
    for (const std::string& file : files) {
        command += "\t" + file;
    }
    Send(command);
}

void StandInDriver::Title(int track, const std::string& artist, const std::string& title) const {
    Send("title " + std::to_string(track) + ". " + artist + " - " + title + " - Winamp");
}

}  // namespace sorabell::testing
