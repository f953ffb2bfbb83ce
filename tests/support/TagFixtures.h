#pragma once
// Music files made by the tests: tiny MPEG-like payloads in RIFF "RMP3" forms, INFO lists and
// ID3v1 tags built byte by byte, independently of the code under test.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sorabell::testing {

inline std::string Le32(uint32_t v) {
    std::string out;
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
    return out;
}

inline uint32_t ReadLe32(std::string_view bytes, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) {
        v = (v << 8) | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
    }
    return v;
}

// Frames that look like MPEG audio: a frame sync, then bytes that vary.
inline std::string MpegPayload(size_t size, unsigned seed = 1) {
    std::string out(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        out[i] = static_cast<char>((i % 417 == 0) ? 0xFF : (i % 417 == 1) ? 0xFB : ((i * 31 + seed * 7) & 0xFF));
    }
    return out;
}

// A chunk: identifier, size, data, and the pad byte of an odd size.
inline std::string Chunk(std::string_view id, std::string_view data) {
    std::string out(id);
    out += Le32(static_cast<uint32_t>(data.size()));
    out += data;
    if (data.size() % 2) {
        out += '\0';
    }
    return out;
}

// A subchunk of an INFO list holding a text and its zero byte.
inline std::string TextChunk(std::string_view id, std::string_view text) {
    return Chunk(id, std::string(text) + std::string(1, '\0'));
}

inline std::string InfoList(const std::vector<std::string>& subchunks) {
    std::string body = "INFO";
    for (const auto& s : subchunks) {
        body += s;
    }
    return Chunk("LIST", body);
}

// A RIFF "RMP3" form with a "data" chunk and further chunks; its size field is right.
inline std::string RmpFile(std::string_view audio, const std::vector<std::string>& after = {}) {
    std::string body = "RMP3" + Chunk("data", audio);
    for (const auto& c : after) {
        body += c;
    }
    return "RIFF" + Le32(static_cast<uint32_t>(body.size())) + body;
}

inline std::string Field(std::string_view text, size_t width) {
    std::string out(text.substr(0, width));
    out.resize(width, '\0');
    return out;
}

inline std::string Id3Block(std::string_view title, std::string_view artist = "", std::string_view album = "",
                            std::string_view year = "", std::string_view comment = "", uint8_t genre = 0) {
    return "TAG" + Field(title, 30) + Field(artist, 30) + Field(album, 30) + Field(year, 4) + Field(comment, 30) +
           std::string(1, static_cast<char>(genre));
}

// The offset of the first occurrence of an identifier at or after `from`, or npos.
inline size_t FindId(std::string_view bytes, std::string_view id, size_t from = 0) { return bytes.find(id, from); }

inline size_t CountOf(std::string_view bytes, std::string_view needle) {
    size_t n = 0;
    for (size_t at = bytes.find(needle); at != std::string_view::npos; at = bytes.find(needle, at + 1)) {
        ++n;
    }
    return n;
}

}  // namespace sorabell::testing
