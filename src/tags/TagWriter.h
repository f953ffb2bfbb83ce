#pragma once
// The tag editor's four ways of writing a file's song information.

#include <string>

#include "platform/FileSystem.h"
#include "tags/RmpInfo.h"
#include "tags/TagRecords.h"

namespace sorabell::tags {

enum class WriteMode {
    RmpInfoAndId3FromRmp = 0,  // "RMP Info + ID3TAG(toRMP)": the tag is made from the INFO fields
    RmpInfoAndId3 = 1,         // "RMP Info + ID3TAG": both records as they are
    RmpInfo = 2,               // "RMP Info": the INFO list alone; a tag the file had is gone
    Id3 = 3,                   // "ID3TAG": the tag alone; the INFO list is untouched
};

// Writes by `mode`. In mode 0 `id3` becomes the tag made from `info`. False when the INFO list
// could not be written (the message has been shown; nothing else is written then); file
// errors throw EInOutError.
bool WriteTags(platform::FileSystem& files, const std::string& path, WriteMode mode, const TRMPInfo& info, TID3Tag& id3,
               const ShowMessage& show);

}  // namespace sorabell::tags
