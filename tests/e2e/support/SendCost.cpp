#include "support/SendCost.h"

#include <algorithm>
#include <vector>

namespace sorabell::testing {

namespace {

constexpr const char* kOwnClass = "SorabellSendCost";
// Outside every message the hook library watches.
constexpr UINT kTimedMessage = WM_APP + 17;

}  // namespace

OwnWindow::OwnWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kOwnClass;
    ::RegisterClassA(&windowClass);
    window_ =
        ::CreateWindowExA(0, kOwnClass, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, windowClass.hInstance, nullptr);
}

OwnWindow::~OwnWindow() {
    if (window_ != nullptr) {
        ::DestroyWindow(window_);
    }
}

double SendNanoseconds(HWND window, int count, int rounds) {
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        LARGE_INTEGER start{};
        LARGE_INTEGER end{};
        ::QueryPerformanceCounter(&start);
        for (int n = 0; n < count; ++n) {
            ::SendMessageA(window, kTimedMessage, static_cast<WPARAM>(n), 0);
        }
        ::QueryPerformanceCounter(&end);
        times.push_back(static_cast<double>(end.QuadPart - start.QuadPart) * 1e9 /
                        static_cast<double>(frequency.QuadPart) / count);
    }
    std::nth_element(times.begin(), times.begin() + rounds / 2, times.end());
    return times[static_cast<size_t>(rounds / 2)];
}

}  // namespace sorabell::testing
