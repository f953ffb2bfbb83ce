// SorabellSub.dll: watches Winamp's windows from inside Winamp's process and posts what it sees
// to the display program's window. Its hooks are installed for the threads of Winamp's windows
// only, so no other program runs them; still, nothing here allocates or throws, and an unlisted
// message costs one comparison chain.

#include <windows.h>

#include <cstring>
#include <initializer_list>

#include "hook/HookRules.h"

using namespace sorabell::hook;

namespace {

HINSTANCE g_module = nullptr;
// Only in the process that called sethook: keeps the shared record alive.
HANDLE g_mapping = nullptr;
// This process's copy of the shared record.
HookShare g_copy;
// This process called sethook: its failures are all shown, as its user started it.
bool g_installedHere = false;
// Only in the process that called sethook: the call hook of the play list editor's thread when
// that is not Winamp's main thread. The record names the main thread's two hooks; CallNextHookEx
// ignores the handle it is given, so that thread's calls may pass the record's call hook.
HHOOK g_playListHook = nullptr;
// Interlocked flags: a read of the record is under way in this process, and a failed read has
// been shown here.
LONG g_reading = 0;
LONG g_failureShown = 0;

uint32_t ToShared(const void* handle) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle)); }

// Handles are 32-bit values on every Windows; a 64-bit process widens them with their sign.
template <class Handle>
Handle FromShared(uint32_t value) {
    return reinterpret_cast<Handle>(static_cast<intptr_t>(static_cast<int32_t>(value)));
}

void ShowError(const char* text) noexcept {
    char caption[MAX_PATH] = "";
    char path[MAX_PATH] = "";
    if (::GetModuleFileNameA(nullptr, path, MAX_PATH) > 0) {
        const char* name = std::strrchr(path, '\\');
        ::lstrcpynA(caption, name ? name + 1 : path, MAX_PATH);
        if (char* dot = std::strrchr(caption, '.')) {
            *dot = '\0';
        }
    }
    ::MessageBoxA(nullptr, text, caption, MB_OK);
}

// A process that cannot open the record (another user's, a sandboxed one, or any process in the
// moment around freehook) would otherwise show the failure at every message it handles.
void ShowReadFailure(const char* text) noexcept {
    const bool shownBefore = ::InterlockedExchange(&g_failureShown, 1) != 0;
    if (ShowsReadFailure(g_installedHere, shownBefore)) {
        ShowError(text);
    }
}

// Fills the copy from the shared record with a handle of its own.
void ReadShare() noexcept {
    HANDLE mapping = ::OpenFileMappingA(FILE_MAP_READ, FALSE, kShareName);
    if (mapping == nullptr) {
        ShowReadFailure("FileMapping Error!");
        return;
    }
    const void* view = ::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    if (view == nullptr) {
        ShowReadFailure("MapViewOfFile Error!");
        ::CloseHandle(mapping);
        return;
    }
    std::memcpy(&g_copy, view, sizeof g_copy);
    ::UnmapViewOfFile(view);
    ::CloseHandle(mapping);
}

// The lazy read of a hook call.
void ReadShareFromHook() noexcept {
    if (!ReadsShare(g_copy.empty(), g_reading != 0) || ::InterlockedExchange(&g_reading, 1) != 0) {
        return;
    }
    ReadShare();
    ::InterlockedExchange(&g_reading, 0);
}

Seen Locate(HWND window, Watch watch) noexcept {
    const auto handle = reinterpret_cast<uintptr_t>(window);
    if (IsWindow(handle, reinterpret_cast<uintptr_t>(::FindWindowA(kMainWindowClass, nullptr)))) {
        return Seen::Main;
    }
    if (watch == Watch::MainThenPlayList &&
        IsWindow(handle, reinterpret_cast<uintptr_t>(::FindWindowA(kPlayListWindowClass, nullptr)))) {
        return Seen::PlayList;
    }
    return Seen::Neither;
}

void Deliver(const Post& post) noexcept {
    // A copy still empty after a failed read has no window to post to.
    if (post.message == 0 || g_copy.displayWindow == 0) {
        return;
    }
    const HWND display = FromShared<HWND>(g_copy.displayWindow);
    if (LendsForeground(post)) {
        DWORD process = 0;
        if (::GetWindowThreadProcessId(display, &process) != 0) {
            ::AllowSetForegroundWindow(process);
        }
    }
    ::PostMessageA(display, post.message, post.wParam, post.lParam);
}

LRESULT CALLBACK getmsgproc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    ReadShareFromHook();
    if (code >= 0) {
        const MSG* msg = reinterpret_cast<const MSG*>(lParam);
        const Watch watch = MessageHookWatch(msg->message);
        if (watch != Watch::Nothing) {
            Deliver(MessageHookPost(msg->message, Locate(msg->hwnd, watch), msg->lParam));
        }
    }
    return ::CallNextHookEx(FromShared<HHOOK>(g_copy.messageHook), code, wParam, lParam);
}

LRESULT CALLBACK callwndproc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    ReadShareFromHook();
    if (code >= 0) {
        const CWPSTRUCT* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
        const Watch watch = CallHookWatch(msg->message);
        if (watch != Watch::Nothing) {
            Deliver(CallHookPost(msg->message, Locate(msg->hwnd, watch), msg->lParam));
        }
    }
    return ::CallNextHookEx(FromShared<HHOOK>(g_copy.callHook), code, wParam, lParam);
}

// Removes the hooks in force, in the process that installed them, and says so in the record.
void RemoveHooks(HookShare* share) noexcept {
    for (const uint32_t hook : {g_copy.messageHook, g_copy.callHook}) {
        if (hook != 0) {
            ::UnhookWindowsHookEx(FromShared<HHOOK>(hook));
        }
    }
    if (g_playListHook != nullptr) {
        ::UnhookWindowsHookEx(g_playListHook);
        g_playListHook = nullptr;
    }
    g_copy.messageHook = 0;
    g_copy.callHook = 0;
    if (share != nullptr) {
        share->messageHook = 0;
        share->callHook = 0;
    }
}

HHOOK Install(int type, HOOKPROC procedure, DWORD thread) noexcept {
    return ::SetWindowsHookExA(type, procedure, g_module, thread);
}

}  // namespace

extern "C" {

BOOL sethook(HWND display, DWORD thread, DWORD playListThread) noexcept {
    g_installedHere = true;
    if (g_mapping == nullptr) {
        g_mapping =
            ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(HookShare), kShareName);
    }
    void* view = g_mapping != nullptr ? ::MapViewOfFile(g_mapping, FILE_MAP_WRITE, 0, 0, 0) : nullptr;
    auto* share = static_cast<HookShare*>(view);
    RemoveHooks(share);
    if (share == nullptr) {
        // Without the record Winamp's process could not know where to post: no hooks. The
        // display program asks again later.
        return FALSE;
    }
    share->displayWindow = g_copy.displayWindow = ToShared(display);
    // Thread 0 would hook every thread of the desktop; here it only removes the hooks.
    HHOOK messageHook = thread != 0 ? Install(WH_GETMESSAGE, getmsgproc, thread) : nullptr;
    HHOOK callHook = messageHook != nullptr ? Install(WH_CALLWNDPROC, callwndproc, thread) : nullptr;
    // Only sent messages of the play list editor are watched: its thread needs the call hook alone.
    const bool otherPlayListThread = playListThread != 0 && playListThread != thread;
    HHOOK playListHook =
        callHook != nullptr && otherPlayListThread ? Install(WH_CALLWNDPROC, callwndproc, playListThread) : nullptr;
    if (callHook == nullptr || (otherPlayListThread && playListHook == nullptr)) {
        // Some of Winamp's changes would go unreported: none is what a refused install leaves.
        for (HHOOK hook : {messageHook, callHook}) {
            if (hook != nullptr) {
                ::UnhookWindowsHookEx(hook);
            }
        }
        ::UnmapViewOfFile(view);
        return FALSE;
    }
    g_copy.messageHook = ToShared(messageHook);
    g_copy.callHook = ToShared(callHook);
    g_playListHook = playListHook;
    share->messageHook = g_copy.messageHook;
    share->callHook = g_copy.callHook;
    ::UnmapViewOfFile(view);
    return TRUE;
}

void freehook() noexcept {
    RemoveHooks(nullptr);
    if (g_mapping != nullptr) {
        ::CloseHandle(g_mapping);
        g_mapping = nullptr;
    }
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
    }
    return TRUE;
}

}  // extern "C"
