#pragma once
// Small helpers of the Windows-only tests.

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/Text.h"
#include "platform/win32/Win32Registry.h"

namespace sorabell::testing {

// How many times longer every wait may last: SORABELL_TEST_TIME_SCALE (1 to 20) where the programs
// run much slower than on a machine of their own, as under full emulation. Only limits grow, so a
// passing case passes as fast as before.
inline DWORD TimeScale() {
    static const DWORD scale = [] {
        char value[8] = {};
        const DWORD length = ::GetEnvironmentVariableA("SORABELL_TEST_TIME_SCALE", value, sizeof value);
        const int factor = length > 0 && length < sizeof value ? std::atoi(value) : 1;
        return static_cast<DWORD>(factor >= 1 && factor <= 20 ? factor : 1);
    }();
    return scale;
}

// Removes every setting of the programs (and of the tag editor) from the current user.
inline void WipeSettings() {
    win32::Win32Registry().DeleteKey(platform::RegistryRoot::CurrentUser, "software\\Quillmere");
}

// The lines of a text file, without their line ends; none when it cannot be read.
inline std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

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

// Removes a folder (ending in a backslash) with everything in it, read-only files included.
inline void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA data{};
    HANDLE find = ::FindFirstFileA((folder + "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string path = folder + name;
            ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + "\\");
            } else {
                ::DeleteFileA(path.c_str());
            }
        } while (::FindNextFileA(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryA(folder.c_str());
}

// What a console program printed, standard output and standard error together.
struct ProgramRun {
    int code = -1;
    std::string output;
};

// Runs a command line and waits for it, its output going through the file `capture`.
inline ProgramRun RunCapturing(const std::string& commandLine, const std::string& capture, DWORD timeoutMs = 20000) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE out = ::CreateFileA(capture.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = out;
    std::string line = commandLine;
    PROCESS_INFORMATION process{};
    ProgramRun run;
    if (out != INVALID_HANDLE_VALUE &&
        ::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        DWORD code = 0;
        if (::WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0 &&
            ::GetExitCodeProcess(process.hProcess, &code)) {
            run.code = static_cast<int>(code);
        } else {
            ::TerminateProcess(process.hProcess, 1);
        }
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    if (out != INVALID_HANDLE_VALUE) {
        ::CloseHandle(out);
    }
    std::ifstream in(capture, std::ios::binary);
    run.output.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return run;
}

// Waits until `done` holds, pumping this thread's messages meanwhile.
template <class Condition>
bool WaitFor(Condition done, DWORD timeoutMs = 10000) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs * TimeScale()) {
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

// A window's text, also of a control in another process (GetWindowTextA does not ask those).
inline std::string TextOf(HWND window) {
    char text[512] = {};
    ::SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
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
