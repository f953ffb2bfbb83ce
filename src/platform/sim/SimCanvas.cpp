#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/sim/SimFont.h"
#include "platform/sim/SimGraphics.h"

namespace sorabell::sim {

using platform::Rect;

namespace {

// A raster holds plain RGB; the high byte of a TColor means nothing to a pixel.
constexpr TColor Solid(TColor color) { return color & 0xFFFFFF; }

Rect Intersect(const Rect& a, const Rect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

bool Empty(const Rect& r) { return r.left >= r.right || r.top >= r.bottom; }

// Coordinates beyond this lie outside every bitmap; keeping to it, sums and products of
// coordinates cannot overflow.
constexpr long long kFar = 1LL << 30;

bool Near(long long v) { return v >= -kFar && v <= kFar; }

bool Near(const Rect& r) { return Near(r.left) && Near(r.top) && Near(r.right) && Near(r.bottom); }

long long WidthOf(const Rect& r) { return static_cast<long long>(r.right) - r.left; }

long long HeightOf(const Rect& r) { return static_cast<long long>(r.bottom) - r.top; }

// A rectangle worked out in wide arithmetic, its sides held within reach.
Rect Wide(long long left, long long top, long long right, long long bottom) {
    const auto side = [](long long v) { return static_cast<int>(std::clamp(v, -kFar, kFar)); };
    return {side(left), side(top), side(right), side(bottom)};
}

// The source column (or row) for the destination pixel `d` places from the destination's start,
// when `length` destination pixels take `sourceLength` source pixels from `sourceStart`. Whole
// pixels are copied, none blended (COLORONCOLOR), and an exact integer scale repeats every source
// pixel the same number of times.
long long SourceIndex(long long d, long long length, long long sourceStart, long long sourceLength) {
    return sourceStart + d * sourceLength / length;
}

}  // namespace

SimCanvas::SimCanvas(SimBitmap& target, std::shared_ptr<FontEngine> fonts, std::shared_ptr<SimBitmap> keepAlive)
    : target_(target),
      fonts_(std::move(fonts)),
      keepAlive_(std::move(keepAlive)),
      font_{SimDefaultFontName(), -12, 0} {}

SimCanvas::~SimCanvas() = default;

Rect SimCanvas::Bounds() const { return {0, 0, target_.width(), target_.height()}; }

void SimCanvas::SetFont(const platform::FontSpec& font) {
    font_ = font;
    sized_ = nullptr;
}

SizedFont& SimCanvas::Font() {
    if (sized_ == nullptr) {
        if (!fonts_) {
            fonts_ = std::make_shared<FontEngine>();
        }
        sized_ = &fonts_->Font(font_);
    }
    return *sized_;
}

int SimCanvas::TextHeight() { return Font().ascent() + Font().descent(); }

int SimCanvas::TextAscent() { return Font().ascent(); }

void SimCanvas::Fill(Rect rect, TColor color, const Rect& clip) {
    rect = Intersect(Intersect(rect, clip), Bounds());
    if (Empty(rect)) {
        return;
    }
    const TColor pixel = Solid(color);
    for (int y = rect.top; y < rect.bottom; ++y) {
        TColor* row = target_.Row(y);
        std::fill(row + rect.left, row + rect.right, pixel);
    }
}

void SimCanvas::Stretch(const Rect& dest, SimBitmap& source, const Rect& from) {
    if (!Near(dest) || !Near(from) || WidthOf(dest) <= 0 || HeightOf(dest) <= 0 || WidthOf(from) <= 0 ||
        HeightOf(from) <= 0) {
        return;
    }
    const Rect area = Intersect(dest, Bounds());
    if (Empty(area)) {
        return;
    }
    // Drawing a bitmap onto itself reads the picture as it was before the copy.
    std::vector<TColor> copy;
    if (&source == &target_) {
        copy = source.pixels();
    }
    const std::vector<TColor>& pixels = &source == &target_ ? copy : source.pixels();
    const int sourceWidth = source.width();
    const int sourceHeight = source.height();

    std::vector<int> columns(static_cast<size_t>(area.width()));
    for (int x = area.left; x < area.right; ++x) {
        const long long sx =
            SourceIndex(static_cast<long long>(x) - dest.left, WidthOf(dest), from.left, WidthOf(from));
        // Pixels whose source lies outside the source bitmap keep what they were.
        columns[static_cast<size_t>(x - area.left)] = sx >= 0 && sx < sourceWidth ? static_cast<int>(sx) : -1;
    }
    for (int y = area.top; y < area.bottom; ++y) {
        const long long sy =
            SourceIndex(static_cast<long long>(y) - dest.top, HeightOf(dest), from.top, HeightOf(from));
        if (sy < 0 || sy >= sourceHeight) {
            continue;
        }
        const TColor* sourceRow = pixels.data() + static_cast<size_t>(sy) * static_cast<size_t>(sourceWidth);
        TColor* row = target_.Row(y);
        for (int x = area.left; x < area.right; ++x) {
            const int sx = columns[static_cast<size_t>(x - area.left)];
            if (sx >= 0) {
                row[x] = sourceRow[sx];
            }
        }
    }
}

void SimCanvas::Draw(int x, int y, platform::Bitmap& bitmap) {
    StretchDraw(Wide(x, y, static_cast<long long>(x) + bitmap.width(), static_cast<long long>(y) + bitmap.height()),
                bitmap);
}

void SimCanvas::StretchDraw(const Rect& dest, platform::Bitmap& bitmap) {
    // The simulated platform has no other kind of bitmap.
    auto& source = static_cast<SimBitmap&>(bitmap);
    Stretch(dest, source, {0, 0, source.width(), source.height()});
}

void SimCanvas::CopyRect(const Rect& dest, platform::Canvas& source, const Rect& from) {
    Stretch(dest, static_cast<SimCanvas&>(source).target(), from);
}

void SimCanvas::FillRect(const Rect& rect) {
    if (!brushClear_) {
        Fill(rect, brushColor_, Bounds());
    }
}

void SimCanvas::Rectangle(const Rect& rect) {
    const Rect r{std::min(rect.left, rect.right), std::min(rect.top, rect.bottom), std::max(rect.left, rect.right),
                 std::max(rect.top, rect.bottom)};
    if (Empty(r)) {
        return;
    }
    FillRect(r);
    // The frame lies inside the rectangle: its last column and row are right - 1 and bottom - 1;
    // a wider pen spreads across those edges as a line does.
    const long long width = std::max(1, penWidth_);
    const long long before = width / 2;
    const long long left = r.left - before;
    const long long top = r.top - before;
    const long long right = r.right - 1LL - before + width;
    const long long bottom = r.bottom - 1LL - before + width;
    Fill(Wide(left, top, right, top + width), penColor_, Bounds());
    Fill(Wide(left, bottom - width, right, bottom), penColor_, Bounds());
    Fill(Wide(left, top, left + width, bottom), penColor_, Bounds());
    Fill(Wide(right - width, top, right, bottom), penColor_, Bounds());
}

void SimCanvas::LineTo(int x, int y) {
    const platform::Point from = pen_;
    pen_ = {x, y};
    const long long width = std::max(1, penWidth_);
    const long long before = width / 2;
    const long long dx = static_cast<long long>(x) - from.x;
    const long long dy = static_cast<long long>(y) - from.y;
    if (dx == 0 && dy == 0) {
        return;
    }
    // The end point is left out: a line covers its start and stops one pixel short of its end.
    if (dy == 0) {
        const long long left = dx > 0 ? from.x : x + 1LL;
        const long long right = dx > 0 ? x : from.x + 1LL;
        Fill(Wide(left, y - before, right, y - before + width), penColor_, Bounds());
        return;
    }
    if (dx == 0) {
        const long long top = dy > 0 ? from.y : y + 1LL;
        const long long bottom = dy > 0 ? y : from.y + 1LL;
        Fill(Wide(x - before, top, x - before + width, bottom), penColor_, Bounds());
        return;
    }
    // Slanted lines step along their longer axis; only the steps that can touch the bitmap are
    // walked, so that a line from far away costs no more than one across the picture.
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    const long long steps = alongX ? std::llabs(dx) : std::llabs(dy);
    const long long start = alongX ? from.x : from.y;
    const long long direction = (alongX ? dx : dy) > 0 ? 1 : -1;
    const long long low = -width;
    const long long high = static_cast<long long>(alongX ? target_.width() : target_.height()) + width;
    long long first = direction > 0 ? low - start : start - high;
    long long last = direction > 0 ? high - start : start - low;
    first = std::max(first, 0LL);
    last = std::min(last, steps - 1);
    for (long long i = first; i <= last; ++i) {
        const long long major = start + direction * i;
        const long long minor =
            (alongX ? from.y : from.x) +
            std::llround(static_cast<double>(i) * static_cast<double>(alongX ? dy : dx) / static_cast<double>(steps));
        Dot(alongX ? major : minor, alongX ? minor : major);
    }
}

void SimCanvas::Dot(long long x, long long y) {
    const long long width = std::max(1, penWidth_);
    const long long before = width / 2;
    Fill(Wide(x - before, y - before, x - before + width, y - before + width), penColor_, Bounds());
}

TColor SimCanvas::Pixel(int x, int y) { return target_.At(x, y); }

void SimCanvas::SetPixel(int x, int y, TColor color) {
    if (x >= 0 && y >= 0 && x < target_.width() && y < target_.height()) {
        target_.Row(y)[x] = Solid(color);
    }
}

int SimCanvas::TextWidth(const std::string& text) {
    SizedFont& font = Font();
    return font.Width(fonts_->Decode(text));
}

void SimCanvas::TextOut(int x, int y, const std::string& text) {
    const int width = DrawText(x, y, text, Bounds());
    // The pen moves to the end of the text, as the canvas's TextOut leaves it (wrapping round,
    // as its integer sum does, at the far end of the coordinates).
    pen_ = {static_cast<int>(static_cast<unsigned>(x) + static_cast<unsigned>(width)), y};
}

void SimCanvas::TextRect(const Rect& clip, int x, int y, const std::string& text) {
    // With a solid brush the whole rectangle takes the background colour (ETO_OPAQUE).
    if (!brushClear_) {
        Fill(clip, brushColor_, Bounds());
    }
    DrawText(x, y, text, clip);
}

int SimCanvas::DrawText(int x, int y, const std::string& text, const Rect& clip) {
    SizedFont& font = Font();
    const std::u32string codes = fonts_->Decode(text);
    const int width = font.Width(codes);
    if (!Near(x) || !Near(y)) {
        return width;
    }
    // The cell's top-left corner is (x, y); the glyphs stand on the baseline `ascent` rows lower.
    const int baseline = y + font.ascent();
    if (!brushClear_) {
        Fill({x, y, x + width, y + font.ascent() + font.descent()}, brushColor_, clip);
    }
    const Rect area = Intersect(clip, Bounds());
    if (Empty(area)) {
        return width;
    }
    const TColor color = Solid(fontColor_);
    int penX = x;
    for (const char32_t code : codes) {
        const Glyph& glyph = font.GlyphOf(code);
        for (const GlyphSpan& span : glyph.spans) {
            const int row = baseline + span.y;
            if (row < area.top || row >= area.bottom) {
                continue;
            }
            const int left = std::max(penX + span.x0, area.left);
            const int right = std::min(penX + span.x1, area.right);
            if (left < right) {
                TColor* pixels = target_.Row(row);
                std::fill(pixels + left, pixels + right, color);
            }
        }
        penX += glyph.advance;
    }
    if ((font.style() & platform::fontstyle::Underline) != 0) {
        const TextLine& line = font.underline();
        Fill({x, baseline + line.top, x + width, baseline + line.top + line.thickness}, color, area);
    }
    if ((font.style() & platform::fontstyle::StrikeOut) != 0) {
        const TextLine& line = font.strikeOut();
        Fill({x, baseline + line.top, x + width, baseline + line.top + line.thickness}, color, area);
    }
    return width;
}

}  // namespace sorabell::sim
