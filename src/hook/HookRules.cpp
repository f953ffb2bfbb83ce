#include "hook/HookRules.h"

namespace sorabell::hook {

Watch MessageHookWatch(uint32_t message) {
    switch (message) {
        case kWmPaint:
        case kWmTimer:
        case kWmLButtonDown:
        case kWmLButtonUp:
            return Watch::Main;
        default:
            return Watch::Nothing;
    }
}

Post MessageHookPost(uint32_t message, Seen seen, intptr_t lParam) {
    if (seen != Seen::Main) {
        return {};
    }
    switch (message) {
        case kWmPaint:
            return {UM_HOOK_PAINT, 0, 0};
        case kWmTimer:
            return {UM_HOOK_TIMER, 0, 0};
        case kWmLButtonDown:
            return {UM_HOOK_LBUTTONDOWN, 0, 0};
        case kWmLButtonUp:
            return {UM_HOOK_LBUTTONUP, 0, lParam};  // the click position in client coordinates
        default:
            return {};
    }
}

Watch CallHookWatch(uint32_t message) {
    switch (message) {
        case kWmSize:
        case kWmGetMinMaxInfo:
        case kWmDisplayChange:
            return Watch::Main;
        case kWmEnable:
        case kWmSetText:
        case kWmImeSetContext:
            return Watch::MainThenPlayList;
        default:
            return Watch::Nothing;
    }
}

Post CallHookPost(uint32_t message, Seen seen, intptr_t lParam) {
    if (seen == Seen::Neither) {
        return {};
    }
    switch (message) {
        case kWmSize:
            return seen == Seen::Main ? Post{UM_HOOK_SIZE, 0, 0} : Post{};
        case kWmGetMinMaxInfo:
        case kWmDisplayChange:
            return seen == Seen::Main ? Post{UM_HOOK_GETMINMAX, 0, 0} : Post{};
        case kWmSetText:
            // The new title's address travels as wParam; the display program never reads it.
            return seen == Seen::Main ? Post{UM_HOOK_SETTEXT, static_cast<uintptr_t>(lParam), 0}
                                      : Post{UM_HOOK_WINDOWCHANGE, 0, lParam};
        case kWmEnable:
        case kWmImeSetContext:
            return {UM_HOOK_WINDOWCHANGE, 0, lParam};
        default:
            return {};
    }
}

}  // namespace sorabell::hook
