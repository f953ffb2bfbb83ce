#include "platform/MemoryFile.h"

#include <algorithm>
#include <cstring>

#include "platform/Errors.h"

namespace sorabell::platform {

size_t MemoryFile::ReadAt(uint64_t offset, void* buffer, size_t count) {
    if (offset >= bytes_.size()) {
        return 0;
    }
    const size_t n = std::min<uint64_t>(count, bytes_.size() - offset);
    std::memcpy(buffer, bytes_.data() + offset, n);
    return n;
}

void MemoryFile::WriteAt(uint64_t offset, const void* data, size_t count) {
    constexpr uint32_t kDiskFull = 112;
    uint64_t end = offset + count;
    if (sizeLimit_ != 0 && end > sizeLimit_) {
        // Like a full disk: what fits is written, then the write fails.
        if (offset < sizeLimit_) {
            WriteAt(offset, data, static_cast<size_t>(sizeLimit_ - offset));
        }
        throw EInOutError(EInOutError::Operation::Write, name_, kDiskFull);
    }
    if (bytes_.size() < end) {
        bytes_.resize(static_cast<size_t>(end), '\0');
    }
    std::memcpy(bytes_.data() + offset, data, count);
}

void MemoryFile::Truncate(uint64_t size) { bytes_.resize(static_cast<size_t>(size), '\0'); }

}  // namespace sorabell::platform
