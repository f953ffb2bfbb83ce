#pragma once
// The INFO list of RMP files: parsing and rendering are pure functions over bytes; reading and
// writing go through an open file (a real one, or a MemoryFile in tests and fuzzers).

#include <functional>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "tags/TagRecords.h"

namespace sorabell::tags {

// Shown when the INFO list cannot be written because the file is no RMP file.
inline constexpr const char* kNotRmpMessage = "このファイルは RIFF MP3 ではないので RMP Info の書き込みに失敗しました";

// Where a message for the user goes: a message box, or a tool's standard error.
using ShowMessage = std::function<void(const std::string&)>;

// The fields of an INFO list's subchunks (the bytes after "INFO"). A later subchunk replaces an
// earlier one with the same identifier; texts end at their first zero byte and lose trailing
// blanks and control characters; unknown identifiers ("IID3" too) are skipped.
TRMPInfo ParseInfoList(std::string_view body);

// The whole "LIST" chunk: ISFT, INAM, IART, IPRD, ICMT, IGNR, ICRD, ICOP, INAM again, IENG,
// ISRC, each its text and a zero byte (padded to even), then with `slot` an "IID3" subchunk
// holding that ID3v1 tag, which as the file's last 128 bytes is the file's tag as well.
std::string RenderInfoList(const TRMPInfo& info, const TID3Tag* slot);
// With `id3Slot` the slot holds "TAG" and 125 zero bytes, for the tag to be written into.
std::string RenderInfoList(const TRMPInfo& info, bool id3Slot);

// Reads the INFO list; false (and empty fields) for a file without an RMP form or INFO list.
bool ReadRMPInfo(platform::BinaryFile& file, TRMPInfo& info);
// The same by path; a missing or unreadable file also gives false.
bool ReadRMPInfo(platform::FileSystem& files, const std::string& path, TRMPInfo& info);

enum class InfoWrite { Written, NotRmp };

// Puts a new INFO list at the end of the form and sets the RIFF size to the file's length minus
// 8. The form's other chunks after the "data" chunk stay, bytes and order, before the new list;
// older INFO lists, padding and what lies beyond the form (an appended ID3v1 tag) go. A file
// without an RMP form or "data" chunk is left unchanged (NotRmp). The audio is never cut: a
// "data" chunk that runs past the file's end is kept whole and its size corrected. A failed
// write throws EInOutError and leaves the file as it was. Its cost is that of the bytes after
// the audio, whatever the audio's size.
InfoWrite WriteInfoList(platform::BinaryFile& file, const TRMPInfo& info, const TID3Tag* slot);
InfoWrite WriteInfoList(platform::BinaryFile& file, const TRMPInfo& info, bool id3Slot);

// The same by path. A file that cannot be opened for writing shows the open error (the file
// and the system's reason), one that is no RMP file shows kNotRmpMessage; both give false. I/O
// errors after the open throw EInOutError.
bool WriteRMPInfo(platform::FileSystem& files, const std::string& path, const TRMPInfo& info, const TID3Tag* slot,
                  const ShowMessage& show);
bool WriteRMPInfo(platform::FileSystem& files, const std::string& path, const TRMPInfo& info, bool id3Slot,
                  const ShowMessage& show);

}  // namespace sorabell::tags
