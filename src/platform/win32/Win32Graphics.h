#pragma once
// Drawing on GDI: bitmaps are 32-bit DIB sections in memory device contexts; every GDI object is
// owned by one RAII wrapper, so the process's object count stays flat however often it draws.

#include <windows.h>

#include <map>
#include <memory>
#include <tuple>

#include "platform/Graphics.h"
#include "platform/win32/ScopedWin.h"

namespace sorabell::win32 {

// The fonts of one Graphics, made once per face, height and style and shared by every canvas:
// the display paints on the player's window several times a second.
class FontCache {
public:
    HFONT Get(const platform::FontSpec& font);

private:
    std::map<std::tuple<std::string, int, int>, ScopedFont> fonts_;
};

class Win32Canvas : public platform::Canvas {
public:
    Win32Canvas(HDC dc, std::shared_ptr<FontCache> fonts) : dc_(dc), fonts_(std::move(fonts)) {}
    ~Win32Canvas() override;
    Win32Canvas(const Win32Canvas&) = delete;
    Win32Canvas& operator=(const Win32Canvas&) = delete;

    HDC dc() const { return dc_; }

    void SetFont(const platform::FontSpec& font) override;
    const platform::FontSpec& font() const override { return font_; }
    void SetFontColor(TColor color) override { fontColor_ = color; }
    void SetBrushColor(TColor color) override { brushColor_ = color; }
    void SetBrushClear(bool clear) override { brushClear_ = clear; }
    void SetPenColor(TColor color) override;
    void SetPenWidth(int width) override;

    void Draw(int x, int y, platform::Bitmap& bitmap) override;
    void StretchDraw(const platform::Rect& dest, platform::Bitmap& bitmap) override;
    void CopyRect(const platform::Rect& dest, platform::Canvas& source, const platform::Rect& from) override;
    void TextOut(int x, int y, const std::string& text) override;
    void TextRect(const platform::Rect& clip, int x, int y, const std::string& text) override;
    int TextWidth(const std::string& text) override;
    void FillRect(const platform::Rect& rect) override;
    void Rectangle(const platform::Rect& rect) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    TColor Pixel(int x, int y) override;
    void SetPixel(int x, int y, TColor color) override;

    TColor brushColor() const { return brushColor_; }

protected:
    // Puts the device context's own font and pen back, so that ours can be deleted.
    void RestoreObjects();

private:
    void UseFont();
    void UsePen();
    void PrepareText();

    HDC dc_;
    std::shared_ptr<FontCache> fonts_;  // outlives the selection of its fonts in dc_
    platform::FontSpec font_{"ＭＳ Ｐゴシック", -12, 0};
    bool fontSelected_ = false;
    HGDIOBJ originalFont_ = nullptr;
    TColor fontColor_ = 0;
    TColor brushColor_ = 0xFFFFFF;
    bool brushClear_ = false;
    TColor penColor_ = 0;
    int penWidth_ = 1;
    ScopedPen hpen_;
    HGDIOBJ originalPen_ = nullptr;
};

class Win32Bitmap : public platform::Bitmap {
public:
    explicit Win32Bitmap(std::shared_ptr<FontCache> fonts);
    ~Win32Bitmap() override;
    Win32Bitmap(const Win32Bitmap&) = delete;
    Win32Bitmap& operator=(const Win32Bitmap&) = delete;

    int width() const override { return width_; }
    int height() const override { return height_; }
    void SetSize(int width, int height) override;
    platform::Canvas& canvas() override { return canvas_; }
    bool LoadFromFile(platform::FileSystem& files, const std::string& path) override;
    bool LoadFromBytes(std::string_view bytes) override;

    HDC dc() const { return dc_.get(); }

private:
    // False, and the bitmap as it was, when the system cannot make one of that size.
    bool Resize(int width, int height);

    ScopedMemoryDc dc_;
    ScopedBitmap bitmap_;
    HGDIOBJ originalBitmap_ = nullptr;
    uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    Win32Canvas canvas_;
};

class Win32Graphics : public platform::Graphics {
public:
    std::unique_ptr<platform::Bitmap> CreateBitmap() override;
    std::unique_ptr<platform::ImageList> CreateImageList(int width, int height) override;
    std::unique_ptr<platform::Canvas> WindowCanvas(platform::WindowHandle window) override;
    std::string DefaultFontName() override { return "ＭＳ Ｐゴシック"; }
    uintptr_t FontHandle(const platform::FontSpec& font) override;
    int ScreenPixelsPerInch() override;

private:
    std::shared_ptr<FontCache> fonts_ = std::make_shared<FontCache>();
};

// A font of the system's own: the face name, height and style bits of a FontSpec.
HFONT MakeFont(const platform::FontSpec& font);

// A top-down 32-bit DIB section; `bits` receives its pixels.
HBITMAP MakeDib(int width, int height, uint32_t** bits);

// A DIB pixel holds 0x00RRGGBB; a TColor is 0x00BBGGRR.
inline uint32_t ToDib(TColor color) {
    const auto c = static_cast<uint32_t>(color);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline TColor FromDib(uint32_t pixel) {
    return RGBColor(static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
                    static_cast<int>(pixel & 0xFF));
}

}  // namespace sorabell::win32
