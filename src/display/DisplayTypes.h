#pragma once
// The display program's own records.

#include <array>
#include <cstdint>
#include <string>

#include "tags/TagRecords.h"

namespace sorabell::display {

// The run-time state of one display line.
struct TDispOption {
    std::string text;      // the expanded line
    bool lyrics = false;   // its format holds the lyrics placeholder
    int32_t scrollMode = 0;    // 0 at rest at the start, 1 moving left, 2 moving back
    int32_t scrollOffset = 0;  // unscaled pixels
    int32_t waitCount = 0;
};

// The file of the current play list entry and its song information.
struct Tmp3info {
    std::string path;
    tags::TID3Tag id3;
    bool hasId3 = false;
    tags::TRMPInfo info;
    bool hasInfo = false;
};

}  // namespace sorabell::display
