#include "tags/TagWriter.h"

#include "tags/Id3v1.h"
#include "tags/TagConversion.h"

namespace sorabell::tags {

bool WriteTags(platform::FileSystem& files, const std::string& path, WriteMode mode, const TRMPInfo& info, TID3Tag& id3,
               const ShowMessage& show) {
    if (mode != WriteMode::Id3) {
        const bool slot = mode != WriteMode::RmpInfo;
        if (!WriteRMPInfo(files, path, info, slot, show)) {
            return false;
        }
    }
    if (mode == WriteMode::RmpInfoAndId3FromRmp) {
        id3 = RMPToID3(info);
    }
    if (mode == WriteMode::RmpInfo) {
        return true;
    }
    WriteID3Tag(files, path, id3);
    return true;
}

}  // namespace sorabell::tags
