#include "tags/TagWriter.h"

#include "tags/Id3v1.h"
#include "tags/TagConversion.h"

namespace sorabell::tags {

bool WriteTags(platform::FileSystem& files, const std::string& path, WriteMode mode, const TRMPInfo& info, TID3Tag& id3,
               const ShowMessage& show) {
    if (mode == WriteMode::Id3) {
        WriteID3Tag(files, path, id3);
        return true;
    }
    if (mode == WriteMode::RmpInfo) {
        return WriteRMPInfo(files, path, info, nullptr, show);
    }
    // The tag is the INFO list's last subchunk and the file's last 128 bytes: written with the
    // list, in one open, and put back with it if the write fails.
    const TID3Tag tag = mode == WriteMode::RmpInfoAndId3FromRmp ? RMPToID3(info) : id3;
    if (!WriteRMPInfo(files, path, info, &tag, show)) {
        return false;
    }
    id3 = tag;
    return true;
}

}  // namespace sorabell::tags
