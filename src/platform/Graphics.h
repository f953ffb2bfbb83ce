#pragma once
// Drawing, with the semantics of GDI where the display depends on them: a bitmap draws at
// negative offsets, LineTo leaves out its end point and draws with the pen's width, TextRect
// clips, a stretch copies whole pixels (COLORONCOLOR).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Color.h"
#include "platform/Desktop.h"
#include "platform/FileSystem.h"

namespace sorabell::platform {

// A font as the forms keep it: face, height (negative: character height in pixels) and the
// style bits bold 1, italic 2, underline 4, strike-out 8.
struct FontSpec {
    std::string name;
    int height = -12;
    int style = 0;

    bool operator==(const FontSpec&) const = default;
};

namespace fontstyle {
constexpr int Bold = 1;
constexpr int Italic = 2;
constexpr int Underline = 4;
constexpr int StrikeOut = 8;
}  // namespace fontstyle

class Bitmap;

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void SetFont(const FontSpec& font) = 0;
    virtual const FontSpec& font() const = 0;
    virtual void SetFontColor(TColor color) = 0;
    // A clear brush leaves the background of text as it is.
    virtual void SetBrushColor(TColor color) = 0;
    virtual void SetBrushClear(bool clear) = 0;
    virtual void SetPenColor(TColor color) = 0;
    virtual void SetPenWidth(int width) = 0;

    // The whole bitmap with its top-left corner at (x, y).
    virtual void Draw(int x, int y, Bitmap& bitmap) = 0;
    // The whole bitmap stretched into `dest`.
    virtual void StretchDraw(const Rect& dest, Bitmap& bitmap) = 0;
    // `from` of another canvas stretched into `dest` of this one.
    virtual void CopyRect(const Rect& dest, Canvas& source, const Rect& from) = 0;
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    // The text at (x, y), clipped to `clip`.
    virtual void TextRect(const Rect& clip, int x, int y, const std::string& text) = 0;
    virtual int TextWidth(const std::string& text) = 0;
    // Fills with the brush's colour.
    virtual void FillRect(const Rect& rect) = 0;
    // Fills with the brush and frames with the pen.
    virtual void Rectangle(const Rect& rect) = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    virtual TColor Pixel(int x, int y) = 0;
    virtual void SetPixel(int x, int y, TColor color) = 0;
};

class Bitmap {
public:
    virtual ~Bitmap() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    // Keeps what fits of the old picture; new pixels take the brush colour of the canvas.
    virtual void SetSize(int width, int height) = 0;
    virtual Canvas& canvas() = 0;
    // A BMP file; false, and the bitmap as it was, when the file is missing or no readable BMP.
    virtual bool LoadFromFile(FileSystem& files, const std::string& path) = 0;
    // The same from a BMP file's bytes read already (a skin archive's member).
    virtual bool LoadFromBytes(std::string_view bytes) = 0;
};

// Same-sized images with masks, drawn with their transparent colour left out.
class ImageList {
public:
    virtual ~ImageList() = default;
    virtual int count() const = 0;
    virtual void Clear() = 0;
    // Adds the bitmap; pixels of `transparent` colour become the mask.
    virtual void AddMasked(Bitmap& image, TColor transparent) = 0;
    virtual void Draw(Canvas& canvas, int x, int y, int index) = 0;
};

class Graphics {
public:
    virtual ~Graphics() = default;
    virtual std::unique_ptr<Bitmap> CreateBitmap() = 0;
    virtual std::unique_ptr<ImageList> CreateImageList(int width, int height) = 0;
    // Another program's window as a canvas (its device context, released with the canvas);
    // null when the window is gone.
    virtual std::unique_ptr<Canvas> WindowCanvas(WindowHandle window) = 0;
    // The face a newly made font has.
    virtual std::string DefaultFontName() = 0;
    // A font object other windows can be given (WM_SETFONT); it lives as long as this object.
    virtual uintptr_t FontHandle(const FontSpec& font) = 0;
    // The screen's pixels per logical inch, down the screen: what a font's point size is
    // converted to a height with.
    virtual int ScreenPixelsPerInch() = 0;
};

}  // namespace sorabell::platform
