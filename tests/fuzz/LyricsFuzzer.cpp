// The lyrics reader and the offset writer on arbitrary bytes: a byte chooses how far the offset
// moves, the rest is the file. Aborts when the entries leave their bounds or order, or when the
// rewritten file reads back with another offset or lines other than the offset's changed.

#include <algorithm>
#include <string>
#include <vector>

#include "display/Lyrics.h"
#include "display/LyricsFile.h"
#include "fuzz/AsciiCodePage.h"
#include "fuzz/FuzzInput.h"
#include "platform/TextFile.h"
#include "tags/LightStrings.h"

using sorabell::fuzz::Require;
namespace display = sorabell::display;

namespace {

std::vector<std::string> Lines(const std::string& bytes) {
    sorabell::fuzz::AsciiCodePage codePage;
    sorabell::tags::TLightStrings file;
    file.SetFileText(sorabell::platform::TextFileToAnsi(bytes, codePage));
    std::vector<std::string> lines;
    for (int32_t i = 0; i < file.Count(); ++i) {
        lines.push_back(file.Get(i));
    }
    return lines;
}

int32_t OffsetOf(const std::vector<std::string>& lines) {
    int32_t offset = 0;
    for (const std::string& line : lines) {
        if (const auto value = display::LyricsOffset(line)) {
            offset = *value;
        }
    }
    return offset;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    sorabell::fuzz::FuzzInput input(data, size);
    const int32_t earlierBy = (static_cast<int32_t>(input.Byte()) - 128) * 500;
    const std::string bytes = input.Rest();

    const std::vector<std::string> lines = Lines(bytes);
    const auto entries = display::ParseLyrics(lines);
    Require(entries.size() <= display::kMaxLyricsEntries);
    for (size_t i = 0; i < entries.size(); ++i) {
        Require(entries[i].milliseconds >= 0 && entries[i].milliseconds <= display::kMaxLyricsTime);
        Require(entries[i].text.size() <= 256);
        Require(i == 0 || entries[i - 1].milliseconds <= entries[i].milliseconds);
    }
    for (const int32_t position : {-1, 0, 1000, display::kMaxLyricsTime}) {
        display::LyricsLineAt(entries, position);
        display::LyricsSecondLineAt(entries, position);
    }
    const auto shifted = display::ShiftLyrics(entries, earlierBy);
    Require(std::is_sorted(shifted.begin(), shifted.end()));

    const display::MovedOffset moved = display::MoveLyricsOffset(bytes, earlierBy);
    Require(sorabell::platform::DetectTextEncoding(moved.bytes) == sorabell::platform::DetectTextEncoding(bytes));
    const std::vector<std::string> after = Lines(moved.bytes);
    Require(OffsetOf(after) == moved.offset);
    Require(moved.offset == std::clamp(OffsetOf(lines) + earlierBy, -display::kMaxLyricsTime, display::kMaxLyricsTime));
    // One line is new, or one line changed.
    if (after.size() == lines.size() + 1) {
        Require(std::equal(lines.begin(), lines.end(), after.begin() + 1));
    } else {
        Require(after.size() == lines.size());
        size_t changed = 0;
        for (size_t i = 0; i < lines.size(); ++i) {
            changed += lines[i] != after[i];
        }
        Require(changed <= 1);
    }
    return 0;
}
