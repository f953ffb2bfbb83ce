#include "harness/Input.h"

#include <vector>

#include "harness/Waits.h"

namespace sorabell::testing {

namespace {

void Send(std::vector<INPUT> inputs) { ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)); }

INPUT Mouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

INPUT Key(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

INPUT Character(wchar_t c, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = c;
    input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

}  // namespace

void Click(HWND window, int x, int y) {
    POINT at{x, y};
    ::ClientToScreen(window, &at);
    const HWND root = ::GetAncestor(window, GA_ROOT);
    ::SetForegroundWindow(root);
    // The window of an earlier case may still lie over the place while it goes away, and would
    // take the click.
    WaitFor([&] { return ::GetAncestor(::WindowFromPoint(at), GA_ROOT) == root; }, 5000);
    ClickAt(at);
}

void ClickMiddle(HWND window) {
    RECT r{};
    ::GetClientRect(window, &r);
    Click(window, r.right / 2, r.bottom / 2);
}

void ClickAt(POINT screen) {
    ::SetCursorPos(screen.x, screen.y);
    Send({Mouse(MOUSEEVENTF_LEFTDOWN), Mouse(MOUSEEVENTF_LEFTUP)});
}

void LeftButton(bool down) { Send({Mouse(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP)}); }

void MoveMouseTo(POINT screen) {
    // The pointer is not placed first: a move to where it already lies is no movement, and
    // Wine then posts no mouse move at all.
    const LONG width = ::GetSystemMetrics(SM_CXSCREEN);
    const LONG height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input = Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    // Rounded up, as the system maps back by rounding down.
    input.mi.dx = (screen.x * 65536 + width - 1) / width;
    input.mi.dy = (screen.y * 65536 + height - 1) / height;
    Send({input});
    POINT now{};
    if (!::GetCursorPos(&now) || now.x != screen.x || now.y != screen.y) {
        ::SetCursorPos(screen.x, screen.y);
    }
}

void Type(const std::wstring& text) {
    for (const wchar_t c : text) {
        Send({Character(c, false), Character(c, true)});
    }
}

void PressKey(WORD virtualKey, WORD modifier) {
    if (modifier == 0) {
        Send({Key(virtualKey, false), Key(virtualKey, true)});
    } else {
        Send({Key(modifier, false), Key(virtualKey, false), Key(virtualKey, true), Key(modifier, true)});
    }
}

}  // namespace sorabell::testing
