#include "platform/win32/Win32Subclass.h"

#include <commctrl.h>

#include <utility>

namespace sorabell::win32 {

ScopedSubclass::ScopedSubclass(HWND window, Handler handler) : window_(window), handler_(std::move(handler)) {
    attached_ =
        window_ != nullptr && ::SetWindowSubclass(window_, &ScopedSubclass::Procedure, reinterpret_cast<UINT_PTR>(this),
                                                  reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

ScopedSubclass::~ScopedSubclass() { Remove(); }

void ScopedSubclass::Remove() {
    if (std::exchange(attached_, false)) {
        ::RemoveWindowSubclass(window_, &ScopedSubclass::Procedure, reinterpret_cast<UINT_PTR>(this));
    }
}

LRESULT ScopedSubclass::CallOld(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::DefSubclassProc(window_, message, wParam, lParam);
}

LRESULT CALLBACK ScopedSubclass::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR data) {
    auto* self = reinterpret_cast<ScopedSubclass*>(data);
    if (message == WM_NCDESTROY) {
        self->Remove();
    }
    // The handler may free this object: nothing of it is touched after.
    if (const auto result = self->handler_(message, wParam, lParam)) {
        return *result;
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

void RegisterWindowClass(HINSTANCE instance, const char* name) {
    WNDCLASSA existing{};
    if (::GetClassInfoA(instance, name, &existing)) {
        return;
    }
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    ::RegisterClassA(&windowClass);
}

}  // namespace sorabell::win32
