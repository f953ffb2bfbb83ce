#pragma once
// The ID3v1 tag: the 128 bytes at the very end of a file that begin with "TAG".

#include <optional>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "tags/TagRecords.h"

namespace sorabell::tags {

inline constexpr size_t kId3Size = 128;

// The tag in 128 bytes, or nothing when they do not begin with "TAG".
std::optional<TID3Tag> ParseId3Tag(std::string_view last128);
std::string RenderId3Tag(const TID3Tag& tag);

// One positioned read of the last 128 bytes. A file shorter than that has no tag.
bool ReadID3Tag(platform::BinaryFile& file, TID3Tag& tag);
// The same by path: a missing file has no tag; one that cannot be opened or read throws
// EInOutError.
bool ReadID3Tag(platform::FileSystem& files, const std::string& path, TID3Tag& tag);

// Overwrites the file's tag in place, or appends one (also to a file shorter than 128 bytes).
void WriteID3Tag(platform::BinaryFile& file, const TID3Tag& tag);
// The same by path; file errors throw EInOutError.
void WriteID3Tag(platform::FileSystem& files, const std::string& path, const TID3Tag& tag);

}  // namespace sorabell::tags
