#include "platform/Stream.h"

#include <algorithm>
#include <cstring>

namespace sorabell::platform {

size_t TMemoryStream::Read(void* buffer, size_t count) {
    if (position_ >= bytes_.size()) {
        return 0;
    }
    const size_t n = std::min<size_t>(count, bytes_.size() - static_cast<size_t>(position_));
    std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

void TMemoryStream::Write(const void* data, size_t count) {
    const size_t at = static_cast<size_t>(position_);
    if (bytes_.size() < at + count) {
        bytes_.resize(at + count);
    }
    std::memcpy(bytes_.data() + at, data, count);
    position_ += count;
}

}  // namespace sorabell::platform
