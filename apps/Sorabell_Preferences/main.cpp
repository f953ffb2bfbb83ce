// Sorabell_Preferences.exe: one copy at a time; its window keeps its place between runs.

#include <windows.h>

#include "platform/win32/Win32Platform.h"
#include "settings/RegIniFile.h"
#include "settings/Schema.h"

namespace {

using namespace sorabell;

constexpr const char* kMutexName = "そらべるぷれふぁれんす";
constexpr const char* kWindowClass = "Tlumora_pre";
constexpr const char* kCaption = "Sorabell - 設定";
constexpr int kClientWidth = 494;
constexpr int kClientHeight = 485;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

struct FormState {
    platform::Platform* platform = nullptr;
};

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<FormState*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
        case WM_CLOSE: {
            RECT r{};
            ::GetWindowRect(window, &r);
            settings::TRegIniFile store(state->platform->registry, settings::kRootPath);
            store.WriteInteger("Window", "Top", r.top);
            store.WriteInteger("Window", "Left", r.left);
            ::DestroyWindow(window);
            return 0;
        }
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    win32::Win32Platform system;
    auto& platform = system.platform();
    const auto mutex = platform.processes.CreateNamedMutex(kMutexName);
    if (!mutex || mutex->alreadyExisted()) {
        return 0;
    }

    RECT frame{0, 0, kClientWidth, kClientHeight};
    ::AdjustWindowRect(&frame, kStyle, FALSE);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    settings::DefaultContext context;
    context.centredTop = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    context.centredLeft = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const auto window = settings::LoadRecord(settings::TRegIniFile(platform.registry, settings::kRootPath), "Window",
                                             settings::WindowSchema(), settings::Side::Preferences, context);

    WNDCLASSA formClass{};
    formClass.lpfnWndProc = FormProc;
    formClass.hInstance = instance;
    formClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    formClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    formClass.lpszClassName = kWindowClass;
    if (!::RegisterClassA(&formClass)) {
        return 1;
    }
    FormState state{&platform};
    HWND form = ::CreateWindowExA(0, kWindowClass, kCaption, kStyle, window.Left, window.Top, width, height, nullptr,
                                  nullptr, instance, nullptr);
    if (form == nullptr) {
        return 1;
    }
    ::SetWindowLongPtrA(form, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    ::ShowWindow(form, show);

    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
