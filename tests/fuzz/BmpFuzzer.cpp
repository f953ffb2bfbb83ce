// The BMP reader on arbitrary bytes (skin images are outside data). Aborts when a picture breaks
// its shape or the caps, or when more bytes after a file take its picture away or resize it.

#include <cstdlib>
#include <string>

#include "fuzz/FuzzInput.h"
#include "platform/Bmp.h"

using sorabell::fuzz::Require;

namespace {

using namespace sorabell::platform;
using sorabell::TColor;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto image = DecodeBmp(bytes);
    if (!image) {
        return 0;
    }
    Require(image->width > 0 && image->height > 0);
    Require(image->width <= kBmpMaxSide && image->height <= kBmpMaxSide);
    Require(static_cast<long long>(image->width) * image->height <= kBmpMaxPixels);
    Require(image->pixels.size() == static_cast<size_t>(image->width) * static_cast<size_t>(image->height));
    for (TColor pixel : image->pixels) {
        Require((pixel & ~0xFFFFFF) == 0);
    }
    // Only a lack of bytes makes a file broken: trailing bytes keep it a picture of its size.
    const auto longer = DecodeBmp(bytes + std::string(8, '\x01'));
    Require(longer && longer->width == image->width && longer->height == image->height);
    return 0;
}
