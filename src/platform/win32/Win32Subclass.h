#pragma once
// How a window of the toolkit finds its object: the one way, a comctl32 subclass that carries
// the object, whether the window is a system control, one of the toolkit's own classes or the
// shell's dialog. The toolkit's own classes have the default procedure; their objects bind the
// same way once their windows exist.

#include <windows.h>

#include <functional>
#include <optional>

namespace sorabell::win32 {

// Puts `handler` in front of a window's procedure for the life of the object; what it does not
// take goes on to the window's own procedure. It ends with the window, too: the handler still
// gets WM_NCDESTROY, after which nothing more arrives, and it may free this object there.
class ScopedSubclass {
public:
    using Handler = std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)>;
    ScopedSubclass(HWND window, Handler handler);
    ~ScopedSubclass();
    ScopedSubclass(const ScopedSubclass&) = delete;
    ScopedSubclass& operator=(const ScopedSubclass&) = delete;

    // The window's own handling of a message, for a handler that works before or after it.
    LRESULT CallOld(UINT message, WPARAM wParam, LPARAM lParam) const;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);
    void Remove();

    HWND window_;
    Handler handler_;
    bool attached_ = false;
};

// A window class of the toolkit's own, registered at its first use: the default procedure, the
// arrow cursor and the colour of dialogs.
void RegisterWindowClass(HINSTANCE instance, const char* name);

}  // namespace sorabell::win32
