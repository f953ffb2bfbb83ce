#include "platform/win32/ScreenCapture.h"

#include <cstdio>

namespace sorabell::win32 {

ScreenCapture::ScreenCapture(HWND window) {
    RECT rect{};
    if (!::GetWindowRect(window, &rect)) {
        return;
    }
    width_ = rect.right - rect.left;
    height_ = rect.bottom - rect.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP dib = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, dib);
    ::BitBlt(memory, 0, 0, width_, height_, screen, rect.left, rect.top, SRCCOPY);
    ::GdiFlush();
    const auto* source = static_cast<const uint32_t*>(bits);
    pixels_.assign(source, source + static_cast<size_t>(width_) * static_cast<size_t>(height_));
    ::SelectObject(memory, old);
    ::DeleteObject(dib);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
}

TColor ScreenCapture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return -1;
    }
    const uint32_t p = pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
    return RGBColor(static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF));
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

bool ScreenCapture::Save(const std::string& path) const {
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        return false;
    }
    const int rowBytes = (width_ * 3 + 3) & ~3;
    const uint32_t dataSize = static_cast<uint32_t>(rowBytes * height_);
    const auto put = [out](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            std::fputc(static_cast<int>((value >> (8 * i)) & 0xFF), out);
        }
    };
    std::fputs("BM", out);
    put(54 + dataSize, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(static_cast<uint32_t>(width_), 4);
    put(static_cast<uint32_t>(height_), 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(dataSize, 4);
    put(2835, 4);
    put(2835, 4);
    put(0, 4);
    put(0, 4);
    for (int y = height_ - 1; y >= 0; --y) {
        for (int x = 0; x < width_; ++x) {
            put(pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)], 3);
        }
        for (int pad = width_ * 3; pad < rowBytes; ++pad) {
            std::fputc(0, out);
        }
    }
    return std::fclose(out) == 0;
}

}  // namespace sorabell::win32
