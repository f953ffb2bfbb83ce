#pragma once
// The display program's own records.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Color.h"
#include "platform/FilePath.h"
#include "platform/Graphics.h"
#include "settings/Schema.h"
#include "tags/Id3v2.h"
#include "tags/TagRecords.h"

namespace sorabell::display {

// The settings of one display line: format, scroll flag, colour, shadow colour.
using TDisp = settings::LineSettings;

// The display settings of the skin in use.
struct TSkinView {
    std::string SkinSection;  // a skin's name, or "(Default)"
    int32_t DispSw = 0;       // the effective line mode: 0 one line, 1 two, 2 three
    std::array<TDisp, 3> Disp{};
    bool Skin = false;
    bool Color = false;
    bool ExtTime = false;
    bool ColorPick = false;
    TColor BGColor = 0;
    TColor LumoraColor = 0;
    platform::FontSpec NFont;  // normal size
    platform::FontSpec DFont;  // double size
};

// The run-time state of one display line.
struct TDispOption {
    std::string text;          // the expanded line
    bool lyrics = false;       // its format holds a lyrics placeholder (%B or %G)
    int32_t scrollMode = 0;    // 0 at rest at the start, 1 moving left, 2 moving back
    int32_t scrollOffset = 0;  // unscaled pixels
    int32_t waitCount = 0;
};

// The file of the current play list entry and its song information.
struct Tmp3info {
    std::string path;         // as shown: CP932, "?" for what the code page lacks
    platform::FilePath file;  // as it opens, by its true name
    tags::TID3Tag id3;
    bool hasId3 = false;
    tags::TRMPInfo info;
    bool hasInfo = false;
    // Its texts for the fields, and its lyrics frames for a song without a lyrics file.
    std::optional<tags::Id3v2Tag> id3v2;
};

}  // namespace sorabell::display
