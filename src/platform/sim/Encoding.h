#pragma once
// CP932 <-> UTF-8 at the simulated platform's edges (host file names, FreeType, test output).
// Nothing inside the system sees UTF-8.

#include <optional>
#include <string>
#include <string_view>

#include "platform/posix/Iconv.h"

namespace sorabell::sim {

using posix::EncodingConverter;

// Empty when the bytes are not valid CP932.
std::optional<std::string> Cp932ToUtf8(std::string_view cp932);
// CP932 text for display: bytes that are not valid CP932 appear as \xNN.
std::string Cp932ToUtf8Lossy(std::string_view cp932);
// Empty when the text has characters CP932 cannot hold.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

}  // namespace sorabell::sim
