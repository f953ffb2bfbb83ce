#pragma once
// Real input, through the system's input queue, as a user gives it: clicks, pointer moves and
// key strokes reach whichever window the system gives them to.

#include <windows.h>

#include <string>

namespace sorabell::testing {

// A left click at a client position of a window; the window's top-level window is brought to
// the front first, and the click waits (a while, not for ever) until nothing else lies there.
void Click(HWND window, int x, int y);
// A left click in the middle of a window, as on a button.
void ClickMiddle(HWND window);
// A left click at a screen position, whatever lies there (a menu, for one).
void ClickAt(POINT screen);
// The left button alone, pressed or let go where the pointer is.
void LeftButton(bool down);
// Moves the pointer to a screen position as a mouse would, with the move's own message.
void MoveMouseTo(POINT screen);

// Key strokes: each character as the keyboard's input method delivers it.
void Type(const std::wstring& text);
// A key pressed and let go, with a modifier (such as VK_SHIFT) held around it when given.
void PressKey(WORD virtualKey, WORD modifier = 0);

}  // namespace sorabell::testing
