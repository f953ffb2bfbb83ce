#pragma once

#include "platform/Desktop.h"

namespace sorabell::win32 {

class Win32Desktop : public platform::Desktop {
public:
    platform::WindowHandle FindTopLevel(const char* className, const char* title) override;
    std::string WindowText(platform::WindowHandle window, size_t bufferSize) override;
    std::optional<platform::Rect> WindowRect(platform::WindowHandle window) override;
    std::string ClassName(platform::WindowHandle window) override;
    uint32_t WindowThread(platform::WindowHandle window) override;
    std::vector<platform::WindowHandle> ChildWindows(platform::WindowHandle window) override;
    std::optional<intptr_t> Send(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                 intptr_t lParam) override;
    bool Post(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    void InvalidateRect(platform::WindowHandle window) override;
    platform::Point CursorPos() override;
    std::optional<std::string> SelectedListBoxText(platform::WindowHandle listBox, size_t bufferSize) override;
};

}  // namespace sorabell::win32
