#include "harness/Waits.h"

#include <algorithm>
#include <cstdlib>

namespace sorabell::testing {

namespace {

constexpr DWORD kPollMs = 20;

void HandleMessages() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

}  // namespace

DWORD TimeScale() {
    static const DWORD scale = [] {
        char value[8] = {};
        const DWORD length = ::GetEnvironmentVariableA("SORABELL_TEST_TIME_SCALE", value, sizeof value);
        const int factor = length > 0 && length < sizeof value ? std::atoi(value) : 1;
        return static_cast<DWORD>(factor >= 1 && factor <= 20 ? factor : 1);
    }();
    return scale;
}

DWORD Scaled(DWORD milliseconds) { return milliseconds * TimeScale(); }

void Rest() {
    HandleMessages();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
}

void Pause(DWORD milliseconds) {
    const DWORD start = ::GetTickCount();
    const DWORD length = Scaled(milliseconds);
    for (DWORD passed = 0; passed < length; passed = ::GetTickCount() - start) {
        HandleMessages();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min(kPollMs, length - passed), QS_ALLINPUT);
    }
    HandleMessages();
}

}  // namespace sorabell::testing
