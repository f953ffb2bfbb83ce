#pragma once

#include "tags/TagRecords.h"

namespace sorabell::tags {

// An ID3v1 tag made from an INFO list: title, artist, album and comment cut to 30 bytes, the
// first 4 bytes of the release as the year (each at a whole character), the genre byte of the
// genre's name, or 0 for a name the table does not hold.
TID3Tag RMPToID3(const TRMPInfo& info);

// Overwrites artist, title, album, comment, release and genre of `info` with the tag's fields
// (their bytes up to the first zero, untrimmed; the genre byte's name). The other four stay.
void ID3ToRMP(const TID3Tag& tag, TRMPInfo& info);

}  // namespace sorabell::tags
