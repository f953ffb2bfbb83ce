#pragma once
// The song information records of an RMP INFO list and of an ID3v1 tag.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace sorabell::tags {

// The ten texts of an INFO list, as stored (CP932 bytes, no length limit).
struct TRMPInfo {
    std::string Artist;     // IART
    std::string Title;      // INAM
    std::string Album;      // IPRD
    std::string Release;    // ICRD
    std::string Comment;    // ICMT
    std::string Genre;      // IGNR, the genre's name
    std::string Copyright;  // ICOP
    std::string Engineer;   // IENG
    std::string Source;     // ISRC
    std::string Software;   // ISFT

    bool operator==(const TRMPInfo&) const = default;
};

// The 125 bytes after "TAG": fixed fields padded with zero bytes (a full field has no zero).
struct TID3Tag {
    std::array<char, 30> Title{};
    std::array<char, 30> Artist{};
    std::array<char, 30> Album{};
    std::array<char, 4> Year{};
    std::array<char, 30> Comment{};
    uint8_t Genre = 0;

    bool operator==(const TID3Tag&) const = default;
};

// A fixed field's text: its bytes up to the first zero byte.
std::string FieldText(std::span<const char> field);
// Fills a fixed field: the text cut at the last whole character that fits, then zero bytes.
void SetField(std::span<char> field, std::string_view text);

}  // namespace sorabell::tags
