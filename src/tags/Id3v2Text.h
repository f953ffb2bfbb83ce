#pragma once
// The texts of ID3v2 frames: their four encodings, and their values cut at a terminator, into
// the code page.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/CodePage.h"

namespace sorabell::tags {

// The first value of `bytes` in the frame's encoding, up to its terminator (one zero byte, or a
// zero unit at an even offset in UTF-16); `bytes` moves past the terminator, or to its end when
// there is none.
std::string_view TakeId3Value(uint8_t encoding, std::string_view& bytes);

// A value in the code page. Encoding 0 (ISO-8859-1) stays as it is when it is valid CP932
// holding a double-byte character, as Japanese taggers wrote it; 1 (UTF-16 after a byte-order
// mark, little-endian without one), 2 (UTF-16BE) and 3 (UTF-8) are converted; an unknown
// encoding counts as 0. Blanks and control bytes at the end are dropped when `trim` is set.
std::string Id3ValueToAnsi(uint8_t encoding, std::string_view value, platform::CodePage& codePage, bool trim = true);

}  // namespace sorabell::tags
