#pragma once
// A skin kept as a zip archive (.wsz, .zip), read without unpacking it. The archive is outside
// data: every size and offset of its directory is checked against the file, an entry is read
// only when it is whole (stored or deflated, its sizes and CRC as the directory says, its bytes
// shared with no other entry), and a damaged entry reads as a missing one.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace sorabell::skin {

// No skin image comes near this; an entry that claims more is refused.
inline constexpr uint32_t kMaxZipEntrySize = 16 * 1024 * 1024;

class ZipArchive {
public:
    // Reads the archive's directory; a file that is no zip archive has no entries. The file
    // must outlive the archive. Throws EInOutError when the file cannot be read.
    explicit ZipArchive(platform::BinaryFile& file);

    // The bytes of the entry called `name` (letters compared without regard to case), at the
    // archive's root or else inside one top folder; none when it is missing or damaged.
    std::optional<std::string> Read(std::string_view name);

    // The names of the directory, as stored.
    std::vector<std::string> Names() const;

private:
    struct Entry {
        std::string name;
        uint16_t flags = 0;
        uint16_t method = 0;
        uint32_t crc = 0;
        uint32_t packedSize = 0;
        uint32_t size = 0;
        uint32_t headerOffset = 0;
    };

    const Entry* Find(std::string_view name) const;
    std::optional<std::string> ReadEntry(const Entry& entry);
    // Whether another entry's local header lies inside [begin, end) or shares `begin`.
    bool Overlaps(const Entry& entry, uint64_t end) const;

    platform::BinaryFile& file_;
    std::vector<Entry> entries_;
    uint64_t directoryOffset_ = 0;  // where the entries' data must end
};

}  // namespace sorabell::skin
