#include "skin/ZipArchive.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

namespace sorabell::skin {

namespace {

constexpr uint32_t kEndSignature = 0x06054B50;
constexpr uint32_t kDirectorySignature = 0x02014B50;
constexpr uint32_t kLocalSignature = 0x04034B50;
constexpr size_t kEndSize = 22;
constexpr size_t kDirectoryHeaderSize = 46;
constexpr size_t kLocalHeaderSize = 30;
constexpr size_t kMaxComment = 0xFFFF;
// A skin's directory is a few kilobytes; this bounds what a hostile one makes us hold.
constexpr uint32_t kMaxDirectorySize = 4 * 1024 * 1024;
// Deflate may store incompressible data with a few bytes per 64 KiB block on top.
constexpr uint32_t kMaxPackedSize = kMaxZipEntrySize + kMaxZipEntrySize / 1024 + 64;
constexpr uint16_t kStored = 0;
constexpr uint16_t kDeflated = 8;
constexpr uint16_t kEncrypted = 0x0001;

uint16_t Le16(std::string_view bytes, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1])
                                                                             << 8);
}

uint32_t Le32(std::string_view bytes, size_t at) {
    return static_cast<uint32_t>(Le16(bytes, at)) | static_cast<uint32_t>(Le16(bytes, at + 2)) << 16;
}

std::string ReadBytes(platform::BinaryFile& file, uint64_t offset, size_t count) {
    std::string bytes(count, '\0');
    bytes.resize(file.ReadAt(offset, bytes.data(), count));
    return bytes;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameAsciiText(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

std::optional<std::string> Inflate(std::string_view packed, uint32_t size) {
    std::string out(size, '\0');
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) {
        return std::nullopt;
    }
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    stream.avail_in = static_cast<uInt>(packed.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    // One call with the whole input and the room the directory promises: it ends when either
    // runs out, so a stream that claims less than it holds stops there.
    const int result = inflate(&stream, Z_FINISH);
    const uLong produced = stream.total_out;
    inflateEnd(&stream);
    if (result != Z_STREAM_END || produced != size) {
        return std::nullopt;
    }
    return out;
}

}  // namespace

ZipArchive::ZipArchive(platform::BinaryFile& file) : file_(file) {
    const uint64_t fileSize = file_.Size();
    if (fileSize < kEndSize || fileSize > std::numeric_limits<uint32_t>::max()) {
        return;
    }
    // The end record sits at the very end, after a comment of at most 64 KiB.
    const size_t tailSize = static_cast<size_t>(std::min<uint64_t>(fileSize, kEndSize + kMaxComment));
    const uint64_t tailOffset = fileSize - tailSize;
    const std::string tail = ReadBytes(file_, tailOffset, tailSize);
    if (tail.size() != tailSize) {
        return;
    }
    size_t end = std::string::npos;
    for (size_t at = tailSize - kEndSize + 1; at-- > 0;) {
        if (Le32(tail, at) == kEndSignature && at + kEndSize + Le16(tail, at + 20) == tailSize) {
            end = at;
            break;
        }
    }
    if (end == std::string::npos) {
        return;
    }
    const uint16_t count = Le16(tail, end + 10);
    const uint32_t directorySize = Le32(tail, end + 12);
    const uint32_t directoryOffset = Le32(tail, end + 16);
    const uint64_t endOffset = tailOffset + end;
    // One disk only, and the directory wholly before the end record.
    if (Le16(tail, end + 4) != 0 || Le16(tail, end + 6) != 0 || directorySize > kMaxDirectorySize ||
        static_cast<uint64_t>(directoryOffset) + directorySize > endOffset) {
        return;
    }
    directoryOffset_ = directoryOffset;
    const std::string directory = ReadBytes(file_, directoryOffset, directorySize);
    size_t at = 0;
    for (uint16_t n = 0; n < count; ++n) {
        if (directory.size() - at < kDirectoryHeaderSize || Le32(directory, at) != kDirectorySignature) {
            break;
        }
        const size_t nameLength = Le16(directory, at + 28);
        const size_t recordSize =
            kDirectoryHeaderSize + nameLength + Le16(directory, at + 30) + Le16(directory, at + 32);
        if (directory.size() - at < recordSize) {
            break;
        }
        Entry entry;
        entry.flags = Le16(directory, at + 8);
        entry.method = Le16(directory, at + 10);
        entry.crc = Le32(directory, at + 16);
        entry.packedSize = Le32(directory, at + 20);
        entry.size = Le32(directory, at + 24);
        entry.headerOffset = Le32(directory, at + 42);
        entry.name = directory.substr(at + kDirectoryHeaderSize, nameLength);
        entries_.push_back(std::move(entry));
        at += recordSize;
    }
}

std::vector<std::string> ZipArchive::Names() const {
    std::vector<std::string> names;
    names.reserve(entries_.size());
    for (const Entry& entry : entries_) {
        names.push_back(entry.name);
    }
    return names;
}

const ZipArchive::Entry* ZipArchive::Find(std::string_view name) const {
    for (const Entry& entry : entries_) {
        if (SameAsciiText(entry.name, name)) {
            return &entry;
        }
    }
    for (const Entry& entry : entries_) {
        const size_t slash = entry.name.find('/');
        if (slash != std::string::npos && slash > 0 && entry.name.find('/', slash + 1) == std::string::npos &&
            SameAsciiText(std::string_view(entry.name).substr(slash + 1), name)) {
            return &entry;
        }
    }
    return nullptr;
}

std::optional<std::string> ZipArchive::Read(std::string_view name) {
    const Entry* entry = Find(name);
    if (entry == nullptr) {
        return std::nullopt;
    }
    return ReadEntry(*entry);
}

bool ZipArchive::Overlaps(const Entry& entry, uint64_t end) const {
    for (const Entry& other : entries_) {
        if (&other != &entry && other.headerOffset >= entry.headerOffset && other.headerOffset < end) {
            return true;
        }
    }
    return false;
}

std::optional<std::string> ZipArchive::ReadEntry(const Entry& entry) {
    if ((entry.flags & kEncrypted) != 0 || (entry.method != kStored && entry.method != kDeflated) ||
        entry.size > kMaxZipEntrySize || entry.packedSize > kMaxPackedSize ||
        (entry.method == kStored && entry.packedSize != entry.size)) {
        return std::nullopt;
    }
    const uint64_t headerOffset = entry.headerOffset;
    if (headerOffset + kLocalHeaderSize > directoryOffset_) {
        return std::nullopt;
    }
    const std::string header = ReadBytes(file_, headerOffset, kLocalHeaderSize);
    if (header.size() != kLocalHeaderSize || Le32(header, 0) != kLocalSignature || Le16(header, 8) != entry.method) {
        return std::nullopt;
    }
    const size_t nameLength = Le16(header, 26);
    const uint64_t dataOffset = headerOffset + kLocalHeaderSize + nameLength + Le16(header, 28);
    const uint64_t dataEnd = dataOffset + entry.packedSize;
    if (dataEnd > directoryOffset_ || Overlaps(entry, dataEnd)) {
        return std::nullopt;
    }
    // The local header must name the same entry as the directory.
    if (ReadBytes(file_, headerOffset + kLocalHeaderSize, nameLength) != entry.name) {
        return std::nullopt;
    }
    const std::string packed = ReadBytes(file_, dataOffset, entry.packedSize);
    if (packed.size() != entry.packedSize) {
        return std::nullopt;
    }
    std::optional<std::string> bytes = entry.method == kStored ? packed : Inflate(packed, entry.size);
    if (!bytes) {
        return std::nullopt;
    }
    const uLong crc =
        crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(bytes->data()), static_cast<uInt>(bytes->size()));
    if (crc != entry.crc) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace sorabell::skin
