#pragma once
// A window of the test's own that records the hook library's posted messages.

#include <windows.h>

#include <vector>

#include "hook/HookRules.h"

namespace sorabell::testing {

class HookReceiver {
public:
    struct Got {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    HookReceiver() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "SorabellTestReceiver";
        ::RegisterClassA(&windowClass);
        window_ = ::CreateWindowExA(0, "SorabellTestReceiver", "receiver", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                    windowClass.hInstance, nullptr);
        ::SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~HookReceiver() { ::DestroyWindow(window_); }
    HookReceiver(const HookReceiver&) = delete;
    HookReceiver& operator=(const HookReceiver&) = delete;

    HWND window() const { return window_; }
    bool Has(UINT message) const { return Find(message) != nullptr; }
    const Got* Find(UINT message) const {
        for (const Got& g : got) {
            if (g.message == message) {
                return &g;
            }
        }
        return nullptr;
    }

    std::vector<Got> got;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<HookReceiver*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self != nullptr && message >= hook::UM_HOOK_PAINT && message <= hook::UM_HOOK_TIMER) {
            self->got.push_back({message, wParam, lParam});
            return 0;
        }
        return ::DefWindowProcA(window, message, wParam, lParam);
    }

    HWND window_;
};

}  // namespace sorabell::testing
