#pragma once
// The simulated graphics: bitmaps are rasters of 0x00BBGGRR pixels, canvases draw on them with
// the rules of GDI that the display's coordinates depend on, and text comes from FreeType.

#include <memory>
#include <string>
#include <vector>

#include "platform/Graphics.h"

namespace sorabell::sim {

class FontEngine;
class SimDesktop;
class SizedFont;
class SimBitmap;

class SimCanvas : public platform::Canvas {
public:
    // A canvas on `target`, with the state of a fresh device context: white solid brush, black
    // pen of width 1, black text in the default face. `keepAlive` holds a surface that the canvas
    // does not own otherwise; `fonts` may be null until text is first drawn.
    SimCanvas(SimBitmap& target, std::shared_ptr<FontEngine> fonts, std::shared_ptr<SimBitmap> keepAlive = nullptr);
    ~SimCanvas() override;

    void SetFont(const platform::FontSpec& font) override;
    const platform::FontSpec& font() const override { return font_; }
    void SetFontColor(TColor color) override { fontColor_ = color; }
    void SetBrushColor(TColor color) override { brushColor_ = color; }
    void SetBrushClear(bool clear) override { brushClear_ = clear; }
    void SetPenColor(TColor color) override { penColor_ = color; }
    void SetPenWidth(int width) override { penWidth_ = width; }

    void Draw(int x, int y, platform::Bitmap& bitmap) override;
    void StretchDraw(const platform::Rect& dest, platform::Bitmap& bitmap) override;
    void CopyRect(const platform::Rect& dest, platform::Canvas& source, const platform::Rect& from) override;
    void TextOut(int x, int y, const std::string& text) override;
    void TextRect(const platform::Rect& clip, int x, int y, const std::string& text) override;
    int TextWidth(const std::string& text) override;
    void FillRect(const platform::Rect& rect) override;
    void Rectangle(const platform::Rect& rect) override;
    void MoveTo(int x, int y) override { pen_ = {x, y}; }
    void LineTo(int x, int y) override;
    TColor Pixel(int x, int y) override;
    void SetPixel(int x, int y, TColor color) override;

    TColor brushColor() const { return brushColor_; }
    platform::Point penPos() const { return pen_; }
    // The text cell's height for the current font: ascent + descent.
    int TextHeight();
    // Rows from the cell's top to the baseline for the current font.
    int TextAscent();
    SimBitmap& target() { return target_; }

private:
    SizedFont& Font();
    // Fills `rect` with `color`, within the bitmap and within `clip`.
    void Fill(platform::Rect rect, TColor color, const platform::Rect& clip);
    // Pixels of `from` in `source` stretched into `dest`, each taking its nearest source pixel.
    void Stretch(const platform::Rect& dest, SimBitmap& source, const platform::Rect& from);
    // Draws the text and answers its width.
    int DrawText(int x, int y, const std::string& text, const platform::Rect& clip);
    // The pixels of the pen's width across a point, for lines that are neither level nor upright.
    void Dot(long long x, long long y);
    platform::Rect Bounds() const;

    SimBitmap& target_;
    std::shared_ptr<FontEngine> fonts_;
    std::shared_ptr<SimBitmap> keepAlive_;
    platform::FontSpec font_;
    SizedFont* sized_ = nullptr;
    TColor fontColor_ = 0;
    TColor brushColor_ = 0xFFFFFF;
    bool brushClear_ = false;
    TColor penColor_ = 0;
    int penWidth_ = 1;
    platform::Point pen_;
};

class SimBitmap : public platform::Bitmap {
public:
    explicit SimBitmap(std::shared_ptr<FontEngine> fonts = nullptr);
    SimBitmap(const SimBitmap&) = delete;
    SimBitmap& operator=(const SimBitmap&) = delete;

    int width() const override { return width_; }
    int height() const override { return height_; }
    void SetSize(int width, int height) override;
    platform::Canvas& canvas() override { return canvas_; }
    bool LoadFromFile(platform::FileSystem& files, const std::string& path) override;
    bool LoadFromBytes(std::string_view bytes) override;

    // The pixels, row by row from the top; At is -1 outside the picture.
    const std::vector<TColor>& pixels() const { return pixels_; }
    TColor At(int x, int y) const;
    TColor* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_); }
    // A picture of its own, replacing the old one.
    void Assign(int width, int height, std::vector<TColor> pixels);

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<TColor> pixels_;
    SimCanvas canvas_;
};

class SimImageList : public platform::ImageList {
public:
    SimImageList(int width, int height) : width_(width), height_(height) {}

    int count() const override { return static_cast<int>(images_.size()); }
    void Clear() override { images_.clear(); }
    void AddMasked(platform::Bitmap& image, TColor transparent) override;
    void Draw(platform::Canvas& canvas, int x, int y, int index) override;

private:
    struct Cell {
        std::vector<TColor> pixels;
        std::vector<bool> shown;  // false where the mask leaves the background
    };

    int width_;
    int height_;
    std::vector<Cell> images_;
};

class SimGraphics : public platform::Graphics {
public:
    // `desktop` gives the windows that WindowCanvas draws on; without one there are none.
    explicit SimGraphics(SimDesktop* desktop = nullptr);
    ~SimGraphics() override;

    std::unique_ptr<platform::Bitmap> CreateBitmap() override;
    std::unique_ptr<platform::ImageList> CreateImageList(int width, int height) override;
    std::unique_ptr<platform::Canvas> WindowCanvas(platform::WindowHandle window) override;
    std::string DefaultFontName() override;
    // A number of its own for every distinct font, as a handle would be.
    uintptr_t FontHandle(const platform::FontSpec& font) override;
    // The 96 of a screen at its normal size.
    int ScreenPixelsPerInch() override { return 96; }

private:
    SimDesktop* desktop_;
    std::vector<platform::FontSpec> fontHandles_;
    std::shared_ptr<FontEngine> fonts_;
};

// The face a fresh canvas and a font without a name draw with.
std::string SimDefaultFontName();

}  // namespace sorabell::sim
