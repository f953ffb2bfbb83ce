#pragma once
// Zip archives made by the tests, independently of the reader: deflated members through zlib's
// own deflate, and every field of the directory open to a lie.

#include <zlib.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace sorabell::testing {

struct ZipMember {
    std::string name;
    std::string bytes;
    bool deflate = false;
    // What the directory claims instead of the truth.
    std::optional<uint32_t> claimedSize;
    std::optional<uint32_t> claimedPackedSize;
    std::optional<uint32_t> claimedCrc;
    std::optional<uint32_t> claimedOffset;  // of the local header

    ZipMember ClaimingSize(uint32_t size) const { return With(&ZipMember::claimedSize, size); }
    ZipMember ClaimingPackedSize(uint32_t size) const { return With(&ZipMember::claimedPackedSize, size); }
    ZipMember ClaimingCrc(uint32_t crc) const { return With(&ZipMember::claimedCrc, crc); }
    ZipMember ClaimingOffset(uint32_t offset) const { return With(&ZipMember::claimedOffset, offset); }

private:
    ZipMember With(std::optional<uint32_t> ZipMember::*field, uint32_t value) const {
        ZipMember member = *this;
        member.*field = value;
        return member;
    }
};

inline ZipMember Stored(std::string name, std::string bytes) {
    return {std::move(name), std::move(bytes), false, {}, {}, {}, {}};
}
inline ZipMember Deflated(std::string name, std::string bytes) {
    return {std::move(name), std::move(bytes), true, {}, {}, {}, {}};
}

inline void PutZipLe(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

// Raw deflate (no zlib header), as zip archives hold it.
inline std::string RawDeflate(const std::string& bytes) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        throw std::runtime_error("deflateInit2");
    }
    std::string out(deflateBound(&stream, static_cast<uLong>(bytes.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END) {
        throw std::runtime_error("deflate");
    }
    return out;
}

inline std::string ZipBytes(const std::vector<ZipMember>& members, const std::string& comment = {}) {
    std::string out;
    std::string directory;
    for (const ZipMember& member : members) {
        const std::string packed = member.deflate ? RawDeflate(member.bytes) : member.bytes;
        const uint32_t crc = static_cast<uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(member.bytes.data()), static_cast<uInt>(member.bytes.size())));
        const auto offset = static_cast<uint32_t>(out.size());
        const uint16_t method = member.deflate ? 8 : 0;
        auto fields = [&](std::string& to, bool claimed) {
            PutZipLe(to, method, 2);
            PutZipLe(to, 0, 4);  // time and date
            PutZipLe(to, claimed ? member.claimedCrc.value_or(crc) : crc, 4);
            PutZipLe(to, claimed ? member.claimedPackedSize.value_or(packed.size()) : packed.size(), 4);
            PutZipLe(to, claimed ? member.claimedSize.value_or(member.bytes.size()) : member.bytes.size(), 4);
            PutZipLe(to, static_cast<uint32_t>(member.name.size()), 2);
            PutZipLe(to, 0, 2);  // extra field
        };
        PutZipLe(out, 0x04034B50, 4);
        PutZipLe(out, 20, 2);  // version needed
        PutZipLe(out, 0, 2);   // flags
        fields(out, false);
        out += member.name + packed;

        PutZipLe(directory, 0x02014B50, 4);
        PutZipLe(directory, 20, 2);  // version made by
        PutZipLe(directory, 20, 2);
        PutZipLe(directory, 0, 2);
        fields(directory, true);
        PutZipLe(directory, 0, 2);  // comment
        PutZipLe(directory, 0, 2);  // disk
        PutZipLe(directory, 0, 2);  // internal attributes
        PutZipLe(directory, 0, 4);  // external attributes
        PutZipLe(directory, member.claimedOffset.value_or(offset), 4);
        directory += member.name;
    }
    const auto directoryOffset = static_cast<uint32_t>(out.size());
    out += directory;
    PutZipLe(out, 0x06054B50, 4);
    PutZipLe(out, 0, 4);  // disks
    PutZipLe(out, static_cast<uint32_t>(members.size()), 2);
    PutZipLe(out, static_cast<uint32_t>(members.size()), 2);
    PutZipLe(out, static_cast<uint32_t>(directory.size()), 4);
    PutZipLe(out, directoryOffset, 4);
    PutZipLe(out, static_cast<uint32_t>(comment.size()), 2);
    return out + comment;
}

}  // namespace sorabell::testing
