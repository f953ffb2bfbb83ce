#pragma once
// Other programs' windows: finding them, reading them, and messaging them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Geometry.h"
#include "platform/Toolkit.h"

namespace sorabell::platform {

class Desktop {
public:
    virtual ~Desktop() = default;

    // A top-level window by class and title; null stands for any. 0 when there is none.
    virtual WindowHandle FindTopLevel(const char* className, const char* title) = 0;
    // The title as GetWindowText gives it into a buffer of `bufferSize` characters.
    virtual std::string WindowText(WindowHandle window, size_t bufferSize) = 0;
    virtual std::optional<Rect> WindowRect(WindowHandle window) = 0;
    virtual std::string ClassName(WindowHandle window) = 0;
    // The thread that created the window; 0 when there is no such window.
    virtual uint32_t WindowThread(WindowHandle window) = 0;
    virtual std::vector<WindowHandle> ChildWindows(WindowHandle window) = 0;
    // Waits a short while for the window's answer and gives up on a window that does not answer
    // (gone, or its program hung): nullopt then.
    virtual std::optional<intptr_t> Send(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
    virtual bool Post(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
    // The whole window, without erasing the background.
    virtual void InvalidateRect(WindowHandle window) = 0;
    virtual Point CursorPos() = 0;
    // The selected item of another program's list box; empty when nothing is selected or the
    // list box does not answer.
    virtual std::optional<std::string> SelectedListBoxText(WindowHandle listBox, size_t bufferSize) = 0;
};

}  // namespace sorabell::platform
