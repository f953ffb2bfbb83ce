#include "platform/win32/Win32Graphics.h"

#include <algorithm>
#include <vector>

#include "platform/Bmp.h"
#include "platform/Errors.h"

namespace sorabell::win32 {

namespace {

RECT ToRect(const platform::Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

HDC DcOf(platform::Bitmap& bitmap) { return static_cast<Win32Bitmap&>(bitmap).dc(); }

}  // namespace

HBITMAP MakeDib(int width, int height, uint32_t** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP dib = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    *bits = static_cast<uint32_t*>(pixels);
    return dib;
}

HFONT MakeFont(const platform::FontSpec& font) {
    using namespace platform::fontstyle;
    return ::CreateFontA(font.height, 0, 0, 0, (font.style & Bold) ? FW_BOLD : FW_NORMAL, (font.style & Italic) != 0,
                         (font.style & Underline) != 0, (font.style & StrikeOut) != 0, SHIFTJIS_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                         font.name.c_str());
}

Win32Canvas::~Win32Canvas() { RestoreObjects(); }

void Win32Canvas::RestoreObjects() {
    if (originalFont_ != nullptr) {
        ::SelectObject(dc_, originalFont_);
        originalFont_ = nullptr;
        fontSelected_ = false;
    }
    if (originalPen_ != nullptr) {
        ::SelectObject(dc_, originalPen_);
        originalPen_ = nullptr;
    }
}

HFONT FontCache::Get(const platform::FontSpec& font) {
    auto& slot = fonts_[{font.name, font.height, font.style}];
    if (!slot) {
        slot.Reset(MakeFont(font));
    }
    return slot.get();
}

void Win32Canvas::SetFont(const platform::FontSpec& font) {
    if (!(font == font_)) {
        font_ = font;
        fontSelected_ = false;
    }
}

void Win32Canvas::SetPenColor(TColor color) {
    if (color != penColor_) {
        penColor_ = color;
        if (originalPen_ != nullptr) {
            ::SelectObject(dc_, originalPen_);
        }
        hpen_.Reset();
    }
}

void Win32Canvas::SetPenWidth(int width) {
    if (width != penWidth_) {
        penWidth_ = width;
        if (originalPen_ != nullptr) {
            ::SelectObject(dc_, originalPen_);
        }
        hpen_.Reset();
    }
}

void Win32Canvas::UseFont() {
    if (!fontSelected_) {
        fontSelected_ = true;
        HGDIOBJ old = ::SelectObject(dc_, fonts_->Get(font_));
        if (originalFont_ == nullptr) {
            originalFont_ = old;
        }
    }
}

void Win32Canvas::UsePen() {
    if (!hpen_) {
        hpen_.Reset(::CreatePen(PS_SOLID, penWidth_, static_cast<COLORREF>(penColor_)));
        HGDIOBJ old = ::SelectObject(dc_, hpen_.get());
        if (originalPen_ == nullptr) {
            originalPen_ = old;
        }
    }
}

void Win32Canvas::PrepareText() {
    UseFont();
    ::SetTextColor(dc_, static_cast<COLORREF>(fontColor_));
    ::SetBkColor(dc_, static_cast<COLORREF>(brushColor_));
    ::SetBkMode(dc_, brushClear_ ? TRANSPARENT : OPAQUE);
    ::SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
}

void Win32Canvas::Draw(int x, int y, platform::Bitmap& bitmap) {
    ::BitBlt(dc_, x, y, bitmap.width(), bitmap.height(), DcOf(bitmap), 0, 0, SRCCOPY);
}

void Win32Canvas::StretchDraw(const platform::Rect& dest, platform::Bitmap& bitmap) {
    ::SetStretchBltMode(dc_, COLORONCOLOR);
    ::StretchBlt(dc_, dest.left, dest.top, dest.width(), dest.height(), DcOf(bitmap), 0, 0, bitmap.width(),
                 bitmap.height(), SRCCOPY);
}

void Win32Canvas::CopyRect(const platform::Rect& dest, platform::Canvas& source, const platform::Rect& from) {
    ::SetStretchBltMode(dc_, COLORONCOLOR);
    ::StretchBlt(dc_, dest.left, dest.top, dest.width(), dest.height(), static_cast<Win32Canvas&>(source).dc(),
                 from.left, from.top, from.width(), from.height(), SRCCOPY);
}

void Win32Canvas::TextOut(int x, int y, const std::string& text) {
    PrepareText();
    ::TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
}

void Win32Canvas::TextRect(const platform::Rect& clip, int x, int y, const std::string& text) {
    PrepareText();
    const RECT r = ToRect(clip);
    ::ExtTextOutA(dc_, x, y, ETO_CLIPPED | (brushClear_ ? 0 : ETO_OPAQUE), &r, text.data(),
                  static_cast<UINT>(text.size()), nullptr);
}

int Win32Canvas::TextWidth(const std::string& text) {
    UseFont();
    SIZE size{};
    ::GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

void Win32Canvas::FillRect(const platform::Rect& rect) {
    ScopedBrush brush(::CreateSolidBrush(static_cast<COLORREF>(brushColor_)));
    const RECT r = ToRect(rect);
    ::FillRect(dc_, &r, brush.get());
}

void Win32Canvas::Rectangle(const platform::Rect& rect) {
    UsePen();
    ScopedBrush brush(brushClear_ ? nullptr : ::CreateSolidBrush(static_cast<COLORREF>(brushColor_)));
    ScopedSelect select(dc_, brush ? static_cast<HGDIOBJ>(brush.get()) : ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc_, rect.left, rect.top, rect.right, rect.bottom);
}

void Win32Canvas::MoveTo(int x, int y) { ::MoveToEx(dc_, x, y, nullptr); }

void Win32Canvas::LineTo(int x, int y) {
    UsePen();
    ::LineTo(dc_, x, y);
}

TColor Win32Canvas::Pixel(int x, int y) { return static_cast<TColor>(::GetPixel(dc_, x, y)); }

void Win32Canvas::SetPixel(int x, int y, TColor color) { ::SetPixel(dc_, x, y, static_cast<COLORREF>(color)); }

Win32Bitmap::Win32Bitmap(std::shared_ptr<FontCache> fonts)
    : dc_(::CreateCompatibleDC(nullptr)), canvas_(dc_.get(), std::move(fonts)) {}

Win32Bitmap::~Win32Bitmap() {
    if (originalBitmap_ != nullptr) {
        ::SelectObject(dc_.get(), originalBitmap_);
    }
}

void Win32Bitmap::SetSize(int width, int height) { Resize(width, height); }

bool Win32Bitmap::Resize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) {
        return true;
    }
    uint32_t* bits = nullptr;
    ScopedBitmap fresh(width > 0 && height > 0 ? MakeDib(width, height, &bits) : nullptr);
    if (width > 0 && height > 0 && bits == nullptr) {
        return false;  // the old picture stays
    }
    if (bits != nullptr) {
        ::GdiFlush();  // drawing still queued for the old picture must be in it before it is copied
        std::fill(bits, bits + static_cast<size_t>(width) * static_cast<size_t>(height), ToDib(canvas_.brushColor()));
        const int keepWidth = std::min(width, width_);
        for (int y = 0; y < std::min(height, height_); ++y) {
            std::copy_n(bits_ + static_cast<size_t>(y) * static_cast<size_t>(width_), keepWidth,
                        bits + static_cast<size_t>(y) * static_cast<size_t>(width));
        }
    }
    HGDIOBJ old = ::SelectObject(dc_.get(), fresh ? static_cast<HGDIOBJ>(fresh.get()) : originalBitmap_);
    if (originalBitmap_ == nullptr) {
        originalBitmap_ = old;
    }
    ::GdiFlush();
    bitmap_ = std::move(fresh);
    bits_ = bits;
    width_ = bits != nullptr ? width : 0;
    height_ = bits != nullptr ? height : 0;
    return true;
}

bool Win32Bitmap::LoadFromFile(platform::FileSystem& files, const std::string& path) {
    std::string bytes;
    try {
        bytes = platform::ReadWholeFile(files, path);
    } catch (const EInOutError&) {
        return false;
    }
    return LoadFromBytes(bytes);
}

bool Win32Bitmap::LoadFromBytes(std::string_view bytes) {
    const auto image = platform::DecodeBmp(bytes);
    if (!image) {
        return false;
    }
    if (!Resize(image->width, image->height) || bits_ == nullptr) {
        return false;
    }
    ::GdiFlush();  // a bitmap of the same size was not resized, and may have drawing queued
    for (size_t i = 0; i < image->pixels.size(); ++i) {
        bits_[i] = ToDib(image->pixels[i]);
    }
    return true;
}

namespace {

class Win32ImageList : public platform::ImageList {
public:
    Win32ImageList(int width, int height, std::shared_ptr<FontCache> fonts)
        : width_(width), height_(height), fonts_(std::move(fonts)) {}

    int count() const override { return static_cast<int>(cells_.size()); }
    void Clear() override { cells_.clear(); }

    void AddMasked(platform::Bitmap& image, TColor transparent) override {
        auto cell = std::make_unique<Win32Bitmap>(fonts_);
        cell->SetSize(width_, height_);
        ::BitBlt(cell->dc(), 0, 0, width_, height_, DcOf(image), 0, 0, SRCCOPY);
        cells_.push_back({std::move(cell), transparent});
    }

    void Draw(platform::Canvas& canvas, int x, int y, int index) override {
        if (index < 0 || index >= count()) {
            return;
        }
        const Cell& cell = cells_[static_cast<size_t>(index)];
        ::TransparentBlt(static_cast<Win32Canvas&>(canvas).dc(), x, y, width_, height_, cell.image->dc(), 0, 0, width_,
                         height_, static_cast<UINT>(cell.transparent));
    }

private:
    struct Cell {
        std::unique_ptr<Win32Bitmap> image;
        TColor transparent;
    };
    int width_;
    int height_;
    std::shared_ptr<FontCache> fonts_;
    std::vector<Cell> cells_;
};

// Another window's device context as a canvas; released when the canvas goes.
class Win32WindowCanvas : public Win32Canvas {
public:
    Win32WindowCanvas(std::unique_ptr<ScopedWindowDc> dc, std::shared_ptr<FontCache> fonts)
        : Win32Canvas(dc->get(), std::move(fonts)), dc_(std::move(dc)) {}
    // Our font and pen leave the DC before it goes back to the window.
    ~Win32WindowCanvas() override { RestoreObjects(); }

private:
    std::unique_ptr<ScopedWindowDc> dc_;
};

}  // namespace

std::unique_ptr<platform::Bitmap> Win32Graphics::CreateBitmap() { return std::make_unique<Win32Bitmap>(fonts_); }

std::unique_ptr<platform::ImageList> Win32Graphics::CreateImageList(int width, int height) {
    return std::make_unique<Win32ImageList>(width, height, fonts_);
}

std::unique_ptr<platform::Canvas> Win32Graphics::WindowCanvas(platform::WindowHandle window) {
    HWND hwnd = reinterpret_cast<HWND>(window);
    if (!::IsWindow(hwnd)) {
        return nullptr;
    }
    auto dc = std::make_unique<ScopedWindowDc>(hwnd);
    if (!*dc) {
        return nullptr;
    }
    return std::make_unique<Win32WindowCanvas>(std::move(dc), fonts_);
}

uintptr_t Win32Graphics::FontHandle(const platform::FontSpec& font) {
    return reinterpret_cast<uintptr_t>(fonts_->Get(font));
}

int Win32Graphics::ScreenPixelsPerInch() {
    const ScopedWindowDc screen(nullptr);
    // Without the screen's context, the size every screen starts at.
    return screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
}

}  // namespace sorabell::win32
