#pragma once
// What the hook library posts to the display program for a message seen on Winamp's windows.
// Pure rules over numbers, shared by SorabellSub.dll and the tests; nothing here allocates.

#include <cstdint>

namespace sorabell::hook {

inline constexpr uint32_t kWmUser = 0x400;
inline constexpr uint32_t UM_HOOK_PAINT = kWmUser + 6;
inline constexpr uint32_t UM_HOOK_SETTEXT = kWmUser + 7;
inline constexpr uint32_t UM_RELOAD_SETTINGS = kWmUser + 8;  // posted by the preferences program
inline constexpr uint32_t UM_HOOK_LBUTTONDOWN = kWmUser + 9;
inline constexpr uint32_t UM_HOOK_LBUTTONUP = kWmUser + 10;
inline constexpr uint32_t UM_HOOK_WINDOWCHANGE = kWmUser + 11;
inline constexpr uint32_t UM_HOOK_SIZE = kWmUser + 12;
inline constexpr uint32_t UM_HOOK_GETMINMAX = kWmUser + 13;
inline constexpr uint32_t UM_HOOK_TIMER = kWmUser + 14;

// The display program's main window, as the preferences program finds it.
inline constexpr const char* kDisplayWindowClass = "Tlumora";
inline constexpr const char* kDisplayWindowTitle = "Sorabell";

// The window messages the rules name.
inline constexpr uint32_t kWmSize = 0x0005;
inline constexpr uint32_t kWmClose = 0x0010;
inline constexpr uint32_t kWmEnable = 0x000A;
inline constexpr uint32_t kWmSetText = 0x000C;
inline constexpr uint32_t kWmPaint = 0x000F;
inline constexpr uint32_t kWmGetMinMaxInfo = 0x0024;
inline constexpr uint32_t kWmDisplayChange = 0x007E;
inline constexpr uint32_t kWmTimer = 0x0113;
inline constexpr uint32_t kWmLButtonDown = 0x0201;
inline constexpr uint32_t kWmLButtonUp = 0x0202;
inline constexpr uint32_t kWmImeSetContext = 0x0281;

inline constexpr const char* kMainWindowClass = "Winamp v1.x";
inline constexpr const char* kPlayListWindowClass = "Winamp PE";
inline constexpr const char* kShareName = "Sorabell_hook";

// Which of Winamp's windows a message must be on to count, in the order they are looked up.
enum class Watch { Nothing, Main, MainThenPlayList };
// Which one it was on.
enum class Seen { Neither, Main, PlayList };

struct Post {
    uint32_t message = 0;  // 0: nothing to post
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

// The WH_GETMESSAGE hook (queued messages).
Watch MessageHookWatch(uint32_t message);
Post MessageHookPost(uint32_t message, Seen seen, intptr_t lParam);

// The WH_CALLWNDPROC hook (sent messages).
Watch CallHookWatch(uint32_t message);
Post CallHookPost(uint32_t message, Seen seen, intptr_t lParam);

// The click on Winamp's main window reached only Winamp's process, which Windows therefore lets
// come to the front. The button-up lends that right to the display program's process before it
// is posted, for the menu the click may open and the windows the menu opens.
constexpr bool LendsForeground(const Post& post) { return post.message == UM_HOOK_LBUTTONUP; }

// A hook call reads the shared record while its process's copy is empty, but never while a read
// is already under way in the process: the message box of a failed read runs its own messages
// through the hooks.
constexpr bool ReadsShare(bool copyEmpty, bool readUnderWay) { return copyEmpty && !readUnderWay; }
// A failed read is shown each time in the process that installed the hooks, whose user started
// it, and once at most in any other process (Winamp's), which never asked for it.
constexpr bool ShowsReadFailure(bool installedHere, bool shownBefore) { return installedHere || !shownBefore; }

// A message's window is Winamp's when it is that window. A window-less thread message (null) is
// never Winamp's, also while Winamp is absent and its look-up gives null too.
constexpr bool IsWindow(uintptr_t messageWindow, uintptr_t found) {
    return messageWindow != 0 && messageWindow == found;
}

// The 12-byte record "Sorabell_hook": three 32-bit values, little-endian.
struct HookShare {
    uint32_t messageHook = 0;
    uint32_t callHook = 0;
    uint32_t displayWindow = 0;
    // The copy is empty, and read again, while the message hook handle is zero.
    bool empty() const { return messageHook == 0; }
};
static_assert(sizeof(HookShare) == 12);

}  // namespace sorabell::hook
