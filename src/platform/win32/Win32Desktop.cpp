#include "platform/win32/Win32Desktop.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/Text.h"

namespace sorabell::win32 {

namespace {

// How long a message to another program's window may wait for its answer. The display program
// has one thread: a player that stops answering must not stop it from painting or closing.
constexpr UINT kSendLimitMs = 1000;

HWND Hwnd(platform::WindowHandle window) { return reinterpret_cast<HWND>(window); }

std::optional<LRESULT> SendWide(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendLimitMs, &result)) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(result);
}

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<platform::WindowHandle>*>(list)->push_back(
        reinterpret_cast<platform::WindowHandle>(child));
    return TRUE;
}

}  // namespace

platform::WindowHandle Win32Desktop::FindTopLevel(const char* className, const char* title) {
    return reinterpret_cast<platform::WindowHandle>(::FindWindowA(className, title));
}

std::string Win32Desktop::WindowText(platform::WindowHandle window, size_t bufferSize) {
    std::vector<char> buffer(bufferSize + 1, '\0');
    const int n = ::GetWindowTextA(Hwnd(window), buffer.data(), static_cast<int>(bufferSize));
    return std::string(buffer.data(), n > 0 ? static_cast<size_t>(n) : 0);
}

std::optional<platform::Rect> Win32Desktop::WindowRect(platform::WindowHandle window) {
    RECT r{};
    if (!::GetWindowRect(Hwnd(window), &r)) {
        return std::nullopt;
    }
    return platform::Rect{r.left, r.top, r.right, r.bottom};
}

std::string Win32Desktop::ClassName(platform::WindowHandle window) {
    char name[256] = {};
    const int n = ::GetClassNameA(Hwnd(window), name, sizeof name);
    return std::string(name, n > 0 ? static_cast<size_t>(n) : 0);
}

uint32_t Win32Desktop::WindowThread(platform::WindowHandle window) {
    return ::GetWindowThreadProcessId(Hwnd(window), nullptr);
}

std::vector<platform::WindowHandle> Win32Desktop::ChildWindows(platform::WindowHandle window) {
    std::vector<platform::WindowHandle> children;
    ::EnumChildWindows(Hwnd(window), CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

std::optional<intptr_t> Win32Desktop::Send(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                           intptr_t lParam) {
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(Hwnd(window), message, wParam, lParam, SMTO_ABORTIFHUNG, kSendLimitMs, &result)) {
        return std::nullopt;
    }
    return static_cast<intptr_t>(result);
}

bool Win32Desktop::Post(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return ::PostMessageA(Hwnd(window), message, wParam, lParam) != 0;
}

void Win32Desktop::InvalidateRect(platform::WindowHandle window) { ::InvalidateRect(Hwnd(window), nullptr, FALSE); }

platform::Point Win32Desktop::CursorPos() {
    POINT p{};
    ::GetCursorPos(&p);
    return {p.x, p.y};
}

std::optional<std::string> Win32Desktop::SelectedListBoxText(platform::WindowHandle listBox, size_t bufferSize) {
    const auto index = SendWide(Hwnd(listBox), LB_GETCURSEL, 0, 0);
    if (!index || *index == LB_ERR) {
        return std::nullopt;
    }
    // Asked in UTF-16 and converted here: Wine hands an ANSI request across processes back
    // unconverted.
    const auto length = SendWide(Hwnd(listBox), LB_GETTEXTLEN, static_cast<WPARAM>(*index), 0);
    if (!length || *length == LB_ERR) {
        return std::nullopt;
    }
    std::vector<wchar_t> wide(static_cast<size_t>(*length) + 1, L'\0');
    const auto answer =
        SendWide(Hwnd(listBox), LB_GETTEXT, static_cast<WPARAM>(*index), reinterpret_cast<LPARAM>(wide.data()));
    if (!answer || *answer == LB_ERR) {
        return std::nullopt;
    }
    const LRESULT got = std::min<LRESULT>(*answer, *length);
    const int bytes =
        ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(got), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(got), text.data(), bytes, nullptr, nullptr);
    return std::string(text::CutToBytes(text, bufferSize > 0 ? bufferSize - 1 : 0));
}

}  // namespace sorabell::win32
