#pragma once
// One small owner per kind of Windows handle: closed exactly once, never copied.

#include <windows.h>
// After windows.h: the shell's item ID lists and the task allocator that frees them.
#include <objbase.h>
#include <shtypes.h>

#include <utility>

namespace sorabell::win32 {

template <class Traits>
class ScopedHandleT {
public:
    using Handle = typename Traits::Handle;

    ScopedHandleT() = default;
    explicit ScopedHandleT(Handle handle) : handle_(handle) {}
    ~ScopedHandleT() { Reset(); }
    ScopedHandleT(ScopedHandleT&& other) noexcept : handle_(std::exchange(other.handle_, Traits::Invalid())) {}
    ScopedHandleT& operator=(ScopedHandleT&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.handle_, Traits::Invalid()));
        }
        return *this;
    }
    ScopedHandleT(const ScopedHandleT&) = delete;
    ScopedHandleT& operator=(const ScopedHandleT&) = delete;

    Handle get() const { return handle_; }
    bool valid() const { return handle_ != Traits::Invalid(); }
    explicit operator bool() const { return valid(); }
    Handle* receive() {
        Reset();
        return &handle_;
    }
    Handle release() { return std::exchange(handle_, Traits::Invalid()); }
    void Reset(Handle handle = Traits::Invalid()) {
        if (valid()) {
            Traits::Close(handle_);
        }
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::Invalid();
};

struct KernelHandleTraits {  // CreateMutex, CreateFileMapping, OpenFileMapping: null on failure
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::CloseHandle(h); }
};

struct FileHandleTraits {  // CreateFile: INVALID_HANDLE_VALUE on failure
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::CloseHandle(h); }
};

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::FindClose(h); }
};

struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::RegCloseKey(h); }
};

template <class T>
struct GdiObjectTraits {  // fonts, pens, brushes, bitmaps
    using Handle = T;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DeleteObject(h); }
};

struct MemoryDcTraits {  // CreateCompatibleDC
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DeleteDC(h); }
};

struct WindowTraits {  // CreateWindowEx; the window's children go with it
    using Handle = HWND;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DestroyWindow(h); }
};

struct MenuTraits {  // CreatePopupMenu; not one attached to a window
    using Handle = HMENU;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DestroyMenu(h); }
};

struct ItemIdListTraits {  // the shell's item ID lists, from its task allocator
    using Handle = LPITEMIDLIST;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::CoTaskMemFree(h); }
};

using ScopedHandle = ScopedHandleT<KernelHandleTraits>;
using ScopedFile = ScopedHandleT<FileHandleTraits>;
using ScopedFind = ScopedHandleT<FindHandleTraits>;
using ScopedKey = ScopedHandleT<RegKeyTraits>;
using ScopedFont = ScopedHandleT<GdiObjectTraits<HFONT>>;
using ScopedPen = ScopedHandleT<GdiObjectTraits<HPEN>>;
using ScopedBrush = ScopedHandleT<GdiObjectTraits<HBRUSH>>;
using ScopedBitmap = ScopedHandleT<GdiObjectTraits<HBITMAP>>;
using ScopedMemoryDc = ScopedHandleT<MemoryDcTraits>;
using ScopedWindow = ScopedHandleT<WindowTraits>;
using ScopedMenu = ScopedHandleT<MenuTraits>;
using ScopedItemIdList = ScopedHandleT<ItemIdListTraits>;

// COM on this thread for a scope, as the shell's dialogs need it; a thread that already has it
// keeps it.
class ScopedComInit {
public:
    ScopedComInit() : result_(::CoInitialize(nullptr)) {}
    ~ScopedComInit() {
        if (SUCCEEDED(result_)) {
            ::CoUninitialize();
        }
    }
    ScopedComInit(const ScopedComInit&) = delete;
    ScopedComInit& operator=(const ScopedComInit&) = delete;

private:
    HRESULT result_;
};

// A window's device context, released with the window it came from.
class ScopedWindowDc {
public:
    explicit ScopedWindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~ScopedWindowDc() {
        if (dc_ != nullptr) {
            ::ReleaseDC(window_, dc_);
        }
    }
    ScopedWindowDc(const ScopedWindowDc&) = delete;
    ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a device context for a scope and puts the old one back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
    ~ScopedSelect() { ::SelectObject(dc_, old_); }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace sorabell::win32
