#pragma once
// ID3v2 tags made by the tests, byte by byte, independently of the code under test.

#include <cstdint>
#include <string>
#include <string_view>

namespace sorabell::testing {

inline std::string BigEndian(uint32_t v, int bytes) {
    std::string out;
    for (int i = bytes - 1; i >= 0; --i) {
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
    return out;
}

inline std::string SyncSafe(uint32_t v) {
    std::string out;
    for (int i = 3; i >= 0; --i) {
        out += static_cast<char>((v >> (7 * i)) & 0x7F);
    }
    return out;
}

// A 0xFF before a zero byte or a byte of 0xE0 and above gets a zero byte after it.
inline std::string Unsynchronise(std::string_view bytes) {
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        out += bytes[i];
        if (static_cast<unsigned char>(bytes[i]) == 0xFF &&
            (i + 1 == bytes.size() || bytes[i + 1] == '\0' || static_cast<unsigned char>(bytes[i + 1]) >= 0xE0)) {
            out += '\0';
        }
    }
    return out;
}

struct FrameOptions {
    uint8_t format = 0;        // the second flag byte (2.3 and 2.4)
    bool plainSize = false;    // a 2.4 size written as a plain number
    int64_t claimedSize = -1;  // a size that lies
};

// A frame of version 2 (three-letter name, 24-bit size), 3 or 4.
inline std::string Id3v2Frame(int version, std::string_view id, std::string_view data, FrameOptions options = {}) {
    const auto size =
        options.claimedSize >= 0 ? static_cast<uint32_t>(options.claimedSize) : static_cast<uint32_t>(data.size());
    std::string out(id);
    if (version == 2) {
        out += BigEndian(size, 3);
    } else {
        out += version == 4 && !options.plainSize ? SyncSafe(size) : BigEndian(size, 4);
        out += '\0';
        out += static_cast<char>(options.format);
    }
    return out + std::string(data);
}

// A text frame's data: the encoding byte, the text and its terminator.
inline std::string FrameText(uint8_t encoding, std::string_view text) {
    const bool wide = encoding == 1 || encoding == 2;
    return std::string(1, static_cast<char>(encoding)) + std::string(text) + std::string(wide ? 2 : 1, '\0');
}

// The header (flags as given, the size syncsafe) before the body.
inline std::string Id3v2Bytes(int version, std::string_view body, uint8_t flags = 0) {
    std::string out = "ID3";
    out += static_cast<char>(version);
    out += '\0';
    out += static_cast<char>(flags);
    return out + SyncSafe(static_cast<uint32_t>(body.size())) + std::string(body);
}

}  // namespace sorabell::testing
