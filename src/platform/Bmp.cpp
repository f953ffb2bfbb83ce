#include "platform/Bmp.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>

namespace sorabell::platform {

namespace {

constexpr size_t kFileHeaderSize = 14;

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

uint32_t U8(std::string_view bytes, uint64_t at) { return static_cast<unsigned char>(bytes[at]); }
uint32_t U16(std::string_view bytes, uint64_t at) { return U8(bytes, at) | U8(bytes, at + 1) << 8; }
uint32_t U32(std::string_view bytes, uint64_t at) { return U16(bytes, at) | U16(bytes, at + 2) << 16; }

// One colour channel of a 16- or 32-bit pixel.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    // Eight bits of the channel; narrower fields repeat their bits, wider ones keep the top ones.
    uint32_t Of(uint32_t pixel) const {
        if (bits == 0) {
            return 0;
        }
        const uint32_t value = (pixel & mask) >> shift;
        if (bits >= 8) {
            return value >> (bits - 8);
        }
        uint32_t out = 0;
        for (int free = 8; free > 0;) {
            free -= bits;
            out |= free >= 0 ? value << free : value >> -free;
        }
        return out;
    }
};

// A mask that is no run of bits inside the pixel is broken.
std::optional<Channel> ChannelOf(uint32_t mask, int bitCount) {
    Channel channel;
    channel.mask = mask;
    if (mask == 0) {
        return channel;
    }
    if (bitCount < 32 && (mask >> bitCount) != 0) {
        return std::nullopt;
    }
    while (((mask >> channel.shift) & 1) == 0) {
        ++channel.shift;
    }
    const uint32_t run = mask >> channel.shift;
    if ((run & (run + 1)) != 0) {
        return std::nullopt;
    }
    while (channel.shift + channel.bits < 32 && ((mask >> (channel.shift + channel.bits)) & 1) != 0) {
        ++channel.bits;
    }
    return channel;
}

struct Layout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitCount = 0;
    uint32_t compression = kRgb;
    std::array<Channel, 3> channels;  // red, green, blue
    std::vector<TColor> palette;      // the entries present in the file, at most 2^bitCount
    uint64_t dataAt = 0;
};

bool IsKnownInfoSize(uint32_t size) {
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 64 || size == 108 || size == 124;
}

bool IsReadableFormat(int bitCount, uint32_t compression, bool topDown) {
    switch (compression) {
        case kRgb:
            return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
                   bitCount == 32;
        case kRle8:
            return bitCount == 8 && !topDown;
        case kRle4:
            return bitCount == 4 && !topDown;
        case kBitFields:
            return bitCount == 16 || bitCount == 32;
        default:
            return false;
    }
}

std::optional<Layout> ReadLayout(std::string_view bytes) {
    if (bytes.size() < kFileHeaderSize + 4 || bytes.substr(0, 2) != "BM") {
        return std::nullopt;
    }
    const uint32_t offBits = U32(bytes, 10);
    const uint32_t infoSize = U32(bytes, kFileHeaderSize);
    if (!IsKnownInfoSize(infoSize) || bytes.size() < uint64_t{kFileHeaderSize} + infoSize) {
        return std::nullopt;
    }
    const bool core = infoSize == 12;
    Layout layout;
    int64_t width = 0;
    int64_t height = 0;
    uint32_t colorsUsed = 0;
    if (core) {
        width = U16(bytes, 18);
        height = U16(bytes, 20);
        layout.bitCount = static_cast<int>(U16(bytes, 24));
    } else {
        width = static_cast<int32_t>(U32(bytes, 18));
        height = static_cast<int32_t>(U32(bytes, 22));
        layout.bitCount = static_cast<int>(U16(bytes, 28));
        layout.compression = U32(bytes, 30);
        colorsUsed = U32(bytes, 46);
        // OS/2 2.x numbers Huffman and RLE24 where Windows has bit fields and JPEG.
        if (infoSize == 64 && layout.compression > kRle4) {
            return std::nullopt;
        }
    }
    layout.topDown = height < 0;
    height = height < 0 ? -height : height;
    if (width <= 0 || height <= 0 || width > kBmpMaxSide || height > kBmpMaxSide || width * height > kBmpMaxPixels ||
        !IsReadableFormat(layout.bitCount, layout.compression, layout.topDown)) {
        return std::nullopt;
    }
    layout.width = static_cast<int>(width);
    layout.height = static_cast<int>(height);

    uint64_t paletteAt = kFileHeaderSize + infoSize;
    if (layout.compression == kBitFields) {
        // A 40-byte header has its masks after it; the longer headers hold them.
        const uint64_t masksAt = kFileHeaderSize + 40;
        if (infoSize == 40) {
            paletteAt += 12;
            if (bytes.size() < paletteAt) {
                return std::nullopt;
            }
        }
        for (size_t i = 0; i < 3; ++i) {
            const auto channel = ChannelOf(U32(bytes, masksAt + 4 * i), layout.bitCount);
            if (!channel) {
                return std::nullopt;
            }
            layout.channels[i] = *channel;
        }
    } else if (layout.bitCount == 16) {
        layout.channels = {*ChannelOf(0x7C00, 16), *ChannelOf(0x03E0, 16), *ChannelOf(0x001F, 16)};
    } else if (layout.bitCount == 32) {
        layout.channels = {*ChannelOf(0xFF0000, 32), *ChannelOf(0x00FF00, 32), *ChannelOf(0x0000FF, 32)};
    }

    // The palette as declared; above 8 bits per pixel a declared one only takes room.
    const uint64_t indexed = layout.bitCount <= 8 ? uint64_t{1} << layout.bitCount : 0;
    const uint64_t declared = core ? indexed : (colorsUsed != 0 ? colorsUsed : indexed);
    const uint64_t entrySize = core ? 3 : 4;
    layout.dataAt = offBits != 0 ? offBits : paletteAt + declared * entrySize;
    if (layout.dataAt < paletteAt || layout.dataAt > bytes.size()) {
        return std::nullopt;
    }
    const uint64_t present = std::min({declared, indexed, (layout.dataAt - paletteAt) / entrySize});
    for (uint64_t i = 0; i < present; ++i) {
        const uint64_t at = paletteAt + i * entrySize;
        layout.palette.push_back(RGBColor(static_cast<int>(U8(bytes, at + 2)), static_cast<int>(U8(bytes, at + 1)),
                                          static_cast<int>(U8(bytes, at))));
    }
    return layout;
}

TColor PaletteColor(const Layout& layout, uint32_t index) {
    return index < layout.palette.size() ? layout.palette[index] : RGBColor(0, 0, 0);
}

TColor MaskedColor(const Layout& layout, uint32_t pixel) {
    return RGBColor(static_cast<int>(layout.channels[0].Of(pixel)), static_cast<int>(layout.channels[1].Of(pixel)),
                    static_cast<int>(layout.channels[2].Of(pixel)));
}

TColor PixelOf(const Layout& layout, std::string_view bytes, uint64_t row, int x) {
    const auto column = static_cast<uint64_t>(x);
    switch (layout.bitCount) {
        case 1:
            return PaletteColor(layout, (U8(bytes, row + column / 8) >> (7 - column % 8)) & 1);
        case 4:
            return PaletteColor(layout, (U8(bytes, row + column / 2) >> (column % 2 ? 0 : 4)) & 0xF);
        case 8:
            return PaletteColor(layout, U8(bytes, row + column));
        case 16:
            return MaskedColor(layout, U16(bytes, row + column * 2));
        case 24: {
            const uint64_t at = row + column * 3;
            return RGBColor(static_cast<int>(U8(bytes, at + 2)), static_cast<int>(U8(bytes, at + 1)),
                            static_cast<int>(U8(bytes, at)));
        }
        default:
            return MaskedColor(layout, U32(bytes, row + column * 4));
    }
}

std::optional<Image> DecodeRows(const Layout& layout, std::string_view bytes) {
    const auto bitsPerRow = static_cast<uint64_t>(layout.width) * static_cast<uint64_t>(layout.bitCount);
    const uint64_t stride = (bitsPerRow + 31) / 32 * 4;
    const uint64_t lastRow = (bitsPerRow + 7) / 8;
    const auto rows = static_cast<uint64_t>(layout.height);
    if (bytes.size() - layout.dataAt < (rows - 1) * stride + lastRow) {
        return std::nullopt;
    }
    Image image{layout.width, layout.height, {}};
    image.pixels.resize(static_cast<size_t>(layout.width) * static_cast<size_t>(layout.height));
    for (int r = 0; r < layout.height; ++r) {
        const int y = layout.topDown ? r : layout.height - 1 - r;
        const uint64_t row = layout.dataAt + static_cast<uint64_t>(r) * stride;
        TColor* out = image.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(layout.width);
        for (int x = 0; x < layout.width; ++x) {
            out[x] = PixelOf(layout, bytes, row, x);
        }
    }
    return image;
}

// RLE8 and RLE4 draw from the bottom line up; whatever the stream leaves out keeps index 0.
Image DecodeRle(const Layout& layout, std::string_view bytes) {
    const bool four = layout.compression == kRle4;
    Image image{layout.width, layout.height, {}};
    image.pixels.assign(static_cast<size_t>(layout.width) * static_cast<size_t>(layout.height),
                        PaletteColor(layout, 0));
    const std::string_view stream = bytes.substr(static_cast<size_t>(layout.dataAt));
    size_t pos = 0;
    int x = 0;
    int line = 0;
    // Pixels past the right edge are dropped, not wrapped to the next line.
    const auto put = [&](uint32_t index) {
        if (x < layout.width) {
            const auto y = static_cast<size_t>(layout.height - 1 - line);
            image.pixels[y * static_cast<size_t>(layout.width) + static_cast<size_t>(x)] = PaletteColor(layout, index);
            ++x;
        }
    };
    while (line < layout.height && stream.size() - pos >= 2) {
        const uint32_t count = U8(stream, pos);
        const uint32_t value = U8(stream, pos + 1);
        pos += 2;
        if (count > 0) {
            for (uint32_t i = 0; i < count && x < layout.width; ++i) {
                put(four ? (i % 2 ? value & 0xF : value >> 4) : value);
            }
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++line;
        } else if (value == 1) {  // end of bitmap
            break;
        } else if (value == 2) {  // delta: right and up
            if (stream.size() - pos < 2) {
                break;
            }
            x = std::min(layout.width, x + static_cast<int>(U8(stream, pos)));
            line += static_cast<int>(U8(stream, pos + 1));
            pos += 2;
        } else {  // an absolute run of `value` indices, padded to a 16-bit word
            const size_t size = four ? (value + 1) / 2 : value;
            const size_t present = std::min(size, stream.size() - pos);
            for (uint32_t i = 0; i < value && (four ? i / 2 : i) < present; ++i) {
                const uint32_t byte = U8(stream, pos + (four ? i / 2 : i));
                put(four ? (i % 2 ? byte & 0xF : byte >> 4) : byte);
            }
            if (present < size) {
                break;
            }
            pos += std::min(size + size % 2, stream.size() - pos);
        }
    }
    return image;
}

}  // namespace

TColor Image::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        throw std::out_of_range("pixel outside the image");
    }
    return pixels.at(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x));
}

std::optional<Image> DecodeBmp(std::string_view bytes) {
    const auto layout = ReadLayout(bytes);
    if (!layout) {
        return std::nullopt;
    }
    if (layout->compression == kRle8 || layout->compression == kRle4) {
        return DecodeRle(*layout, bytes);
    }
    return DecodeRows(*layout, bytes);
}

}  // namespace sorabell::platform
