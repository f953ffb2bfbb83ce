// SorabellSub.dll: watches Winamp's windows from inside every GUI process and posts what it sees
// to the display program's window. It sits in the message path of every thread on the desktop:
// nothing here allocates or throws, and an unlisted message costs one comparison chain.

#include <windows.h>

#include <cstring>

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

}  // namespace

extern "C" {

void sethook(HWND display) noexcept {
    g_installedHere = true;
    g_mapping = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(HookShare), kShareName);
    if (g_mapping == nullptr) {
        ShowError("FileMapping Error!");
        return;
    }
    void* view = ::MapViewOfFile(g_mapping, FILE_MAP_WRITE, 0, 0, 0);
    if (view == nullptr) {
        ShowError("MapViewOfFile Error!");
        ::CloseHandle(g_mapping);
        g_mapping = nullptr;
        return;
    }
    auto* share = static_cast<HookShare*>(view);
    share->displayWindow = g_copy.displayWindow = ToShared(display);
    const HHOOK messageHook = ::SetWindowsHookExA(WH_GETMESSAGE, getmsgproc, g_module, 0);
    const HHOOK callHook =
        messageHook != nullptr ? ::SetWindowsHookExA(WH_CALLWNDPROC, callwndproc, g_module, 0) : nullptr;
    if (callHook == nullptr) {
        // One hook without the other would report half of Winamp's changes: none is what every
        // other failed sethook leaves, and the display program copes with that.
        if (messageHook != nullptr) {
            ::UnhookWindowsHookEx(messageHook);
        }
        *share = HookShare{};
        g_copy = HookShare{};
        ::UnmapViewOfFile(view);
        ::CloseHandle(g_mapping);
        g_mapping = nullptr;
        ShowError("SetWindowsHookEx Error!");
        return;
    }
    g_copy.messageHook = ToShared(messageHook);
    g_copy.callHook = ToShared(callHook);
    share->messageHook = g_copy.messageHook;
    share->callHook = g_copy.callHook;
    ::UnmapViewOfFile(view);
}

void freehook() noexcept {
    ReadShare();
    ::UnhookWindowsHookEx(FromShared<HHOOK>(g_copy.messageHook));
    ::UnhookWindowsHookEx(FromShared<HHOOK>(g_copy.callHook));
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
