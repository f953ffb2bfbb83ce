#include "harness/ScreenCapture.h"

#include "platform/win32/ScopedWin.h"
#include "platform/win32/Win32Graphics.h"

namespace sorabell::testing {

using win32::FromDib;
using win32::MakeDib;
using win32::ScopedBitmap;
using win32::ScopedMemoryDc;
using win32::ScopedSelect;
using win32::ScopedWindowDc;

ScreenCapture::ScreenCapture(HWND window) {
    RECT rect{};
    if (!::GetWindowRect(window, &rect)) {
        return;
    }
    width_ = rect.right - rect.left;
    height_ = rect.bottom - rect.top;
    const ScopedWindowDc screen(nullptr);
    const ScopedMemoryDc memory(::CreateCompatibleDC(screen.get()));
    uint32_t* bits = nullptr;
    const ScopedBitmap dib(MakeDib(width_, height_, &bits));
    if (!memory || !dib) {
        width_ = height_ = 0;
        return;
    }
    {
        const ScopedSelect selected(memory.get(), dib.get());
        ::BitBlt(memory.get(), 0, 0, width_, height_, screen.get(), rect.left, rect.top, SRCCOPY);
    }
    ::GdiFlush();
    pixels_.assign(bits, bits + static_cast<size_t>(width_) * static_cast<size_t>(height_));
}

TColor ScreenCapture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return -1;
    }
    return FromDib(pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)]);
}

int ScreenCapture::FirstColumnOf(TColor color, int left, int top, int right, int bottom) const {
    for (int x = left; x < right; ++x) {
        for (int y = top; y < bottom; ++y) {
            if (At(x, y) == color) {
                return x;
            }
        }
    }
    return -1;
}

int ScreenCapture::Count(TColor color, int left, int top, int right, int bottom) const {
    int n = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            n += At(x, y) == color;
        }
    }
    return n;
}

bool ScreenCapture::SameRegion(const ScreenCapture& other, int left, int top, int right, int bottom) const {
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (At(x, y) != other.At(x, y)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace sorabell::testing
