#include "skin/SkinLook.h"

#include <algorithm>
#include <cstdlib>

namespace sorabell::skin {

std::unique_ptr<platform::Bitmap> LoadImage(platform::Graphics& graphics, platform::FileSystem& files,
                                            const std::string& path) {
    if (!platform::FileExists(files, path)) {
        return nullptr;
    }
    auto image = graphics.CreateBitmap();
    return image->LoadFromFile(files, path) ? std::move(image) : nullptr;
}

TColor BottomRight(platform::Bitmap& image) { return image.canvas().Pixel(image.width() - 1, image.height() - 1); }

namespace {

// Outside the picture the system answers with a value no colour has (CLR_INVALID).
TColor PixelOr(platform::Bitmap& image, int x, int y, TColor fallback) {
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) {
        return fallback;
    }
    const TColor color = image.canvas().Pixel(x, y);
    return color >= 0 && color <= 0xFFFFFF ? color : fallback;
}

}  // namespace

std::optional<TextColors> PickTextColors(platform::Bitmap* image) {
    if (image == nullptr) {
        return std::nullopt;
    }
    TextColors colors;
    colors.background = PixelOr(*image, image->width() - 1, image->height() - 1, kWinampBackColor);
    for (int i = 0; i < 6; ++i) {
        colors.text[static_cast<size_t>(i)] = PixelOr(*image, 5, i, kWinampTextColor);
    }
    return colors;
}

void DrawText(platform::Canvas& canvas, int x, int y, const std::string& text,
              const std::optional<platform::Rect>& clip) {
    if (clip) {
        canvas.TextRect(*clip, x, y, text);
    } else {
        canvas.TextOut(x, y, text);
    }
}

void DrawShadow(platform::Canvas& canvas, int x, int y, const std::string& text, int step, int passes,
                const std::optional<platform::Rect>& clip) {
    for (int k = 1; k <= passes; ++k) {
        DrawText(canvas, x + k * step, y + k * step, text, clip);
    }
}

void DrawColorBands(platform::Canvas& canvas, const platform::Rect& area, int x, int y, const std::string& text,
                    const std::array<TColor, 6>& colors) {
    const int band = std::abs(canvas.font().height) / 6;
    for (int k = 1; k <= 5; ++k) {
        canvas.SetFontColor(colors[static_cast<size_t>(k)]);
        canvas.TextRect({area.left, std::max(area.top, y + k * band), area.right, area.bottom}, x, y, text);
    }
    canvas.SetFontColor(colors[0]);
}

void DrawMark(platform::Canvas& canvas, platform::Point place, const std::string& mark, TColor color) {
    canvas.SetFontColor(color);
    canvas.TextOut(place.x, place.y, mark);
}

}  // namespace sorabell::skin
