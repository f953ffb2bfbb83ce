#include "platform/sim/SimGraphics.h"

#include <algorithm>
#include <exception>

#include "platform/Bmp.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimFont.h"

namespace sorabell::sim {

uintptr_t SimGraphics::FontHandle(const platform::FontSpec& font) {
    const auto it = std::find(fontHandles_.begin(), fontHandles_.end(), font);
    const auto index = static_cast<uintptr_t>(it - fontHandles_.begin());
    if (it == fontHandles_.end()) {
        fontHandles_.push_back(font);
    }
    return 0xF0000 + index;
}

std::string SimDefaultFontName() { return "ＭＳ Ｐゴシック"; }

SimBitmap::SimBitmap(std::shared_ptr<FontEngine> fonts) : canvas_(*this, std::move(fonts)) {}

void SimBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) {
        return;
    }
    std::vector<TColor> pixels(static_cast<size_t>(width) * static_cast<size_t>(height),
                               canvas_.brushColor() & 0xFFFFFF);
    const int keepWidth = std::min(width, width_);
    const int keepHeight = std::min(height, height_);
    for (int y = 0; y < keepHeight; ++y) {
        const auto from = pixels_.begin() + static_cast<ptrdiff_t>(y) * width_;
        std::copy(from, from + keepWidth, pixels.begin() + static_cast<ptrdiff_t>(y) * width);
    }
    Assign(width, height, std::move(pixels));
}

bool SimBitmap::LoadFromFile(platform::FileSystem& files, const std::string& path) {
    std::string bytes;
    try {
        bytes = platform::ReadWholeFile(files, path);
    } catch (const std::exception&) {
        return false;
    }
    return LoadFromBytes(bytes);
}

bool SimBitmap::LoadFromBytes(std::string_view bytes) {
    std::optional<platform::Image> image = platform::DecodeBmp(bytes);
    if (!image) {
        return false;
    }
    Assign(image->width, image->height, std::move(image->pixels));
    return true;
}

TColor SimBitmap::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return -1;
    }
    return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

void SimBitmap::Assign(int width, int height, std::vector<TColor> pixels) {
    width_ = width;
    height_ = height;
    pixels_ = std::move(pixels);
    pixels_.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
}

void SimImageList::AddMasked(platform::Bitmap& image, TColor transparent) {
    Cell cell;
    const size_t size = static_cast<size_t>(std::max(width_, 0)) * static_cast<size_t>(std::max(height_, 0));
    cell.pixels.assign(size, 0);
    cell.shown.assign(size, false);
    platform::Canvas& source = image.canvas();
    const int width = std::min(width_, image.width());
    const int height = std::min(height_, image.height());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const size_t at = static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
            cell.pixels[at] = source.Pixel(x, y);
            cell.shown[at] = (cell.pixels[at] & 0xFFFFFF) != (transparent & 0xFFFFFF);
        }
    }
    images_.push_back(std::move(cell));
}

void SimImageList::Draw(platform::Canvas& canvas, int x, int y, int index) {
    if (index < 0 || index >= count()) {
        return;
    }
    const Cell& cell = images_[static_cast<size_t>(index)];
    for (int row = 0; row < height_; ++row) {
        for (int column = 0; column < width_; ++column) {
            const size_t at = static_cast<size_t>(row) * static_cast<size_t>(width_) + static_cast<size_t>(column);
            if (cell.shown[at]) {
                canvas.SetPixel(x + column, y + row, cell.pixels[at]);
            }
        }
    }
}

SimGraphics::SimGraphics(SimDesktop* desktop) : desktop_(desktop), fonts_(std::make_shared<FontEngine>()) {}

SimGraphics::~SimGraphics() = default;

std::unique_ptr<platform::Bitmap> SimGraphics::CreateBitmap() { return std::make_unique<SimBitmap>(fonts_); }

std::unique_ptr<platform::ImageList> SimGraphics::CreateImageList(int width, int height) {
    return std::make_unique<SimImageList>(width, height);
}

std::unique_ptr<platform::Canvas> SimGraphics::WindowCanvas(platform::WindowHandle window) {
    SimDesktop::Window* found = desktop_ != nullptr ? desktop_->Find(window) : nullptr;
    if (found == nullptr || !found->surface) {
        return nullptr;
    }
    return std::make_unique<SimCanvas>(*found->surface, fonts_, found->surface);
}

std::string SimGraphics::DefaultFontName() { return SimDefaultFontName(); }

}  // namespace sorabell::sim
