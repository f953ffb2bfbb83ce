#pragma once
// Small helpers of the Windows-only tests.

#include <windows.h>

#include <string>

#include "platform/Text.h"

namespace sorabell::testing {

// The folder of the test program, where the programs under test lie too.
inline std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return text::ExtractFilePath(path);
}

// Runs a command line and waits for it; the exit code, or -1 when it did not start or end.
inline int RunAndWait(const std::string& commandLine, DWORD timeoutMs = 20000) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return -1;
    }
    DWORD code = static_cast<DWORD>(-1);
    if (::WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        ::GetExitCodeProcess(process.hProcess, &code);
    } else {
        ::TerminateProcess(process.hProcess, 1);
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

// Waits until `done` holds, pumping this thread's messages meanwhile.
template <class Condition>
bool WaitFor(Condition done, DWORD timeoutMs = 10000) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs) {
            return false;
        }
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(20);
    }
    return true;
}

// Sends one of the stand-in's commands and waits until it has been carried out.
inline void SendPlayerCommand(HWND player, const std::string& command) {
    COPYDATASTRUCT data{};
    data.cbData = static_cast<DWORD>(command.size());
    data.lpData = const_cast<char*>(command.data());
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(player, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 5000, &result);
}

}  // namespace sorabell::testing
