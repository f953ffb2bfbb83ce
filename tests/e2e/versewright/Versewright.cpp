// A stand-in for the sibling lyrics editor Versewright, for the end-to-end tests: a window of
// class "TLumora_Edit" that writes, beside itself, every command line it starts with and every
// "look again" message (WM_USER + 20) it receives, one line each, in "versewright-log.txt".

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

void Log(const std::string& line) {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string file = path;
    file = file.substr(0, file.find_last_of('\\') + 1) + "versewright-log.txt";
    if (FILE* out = std::fopen(file.c_str(), "ab")) {
        std::fprintf(out, "%s\r\n", line.c_str());
        std::fclose(out);
    }
}

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER + 20) {
        Log("message " + std::to_string(message));
        return 0;
    }
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    Log(std::string("started ") + ::GetCommandLineA());
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "TLumora_Edit";
    ::RegisterClassA(&windowClass);
    ::CreateWindowExA(0, "TLumora_Edit", "Versewright", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance, nullptr);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::DispatchMessageA(&msg);
    }
    return 0;
}
