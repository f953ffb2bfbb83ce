#include <gtest/gtest.h>

#include "display/TagLyrics.h"

namespace sorabell::display {
namespace {

using Entries = std::vector<LyricsEntry>;

tags::Id3v2SyncedLyrics Synced(uint8_t format, std::vector<tags::Id3v2SyncedText> lines) {
    return {format, std::move(lines)};
}

TEST(TagLyrics, MillisecondStampsGiveEachTextAtItsTimeInTheFramesOrderForEqualTimes) {
    const auto frame = Synced(2, {{"\nsecond", 2500}, {"first\r\n", 1000}, {"zz", 2500}, {"aa", 2500}, {"\n", 3000}});
    EXPECT_EQ(SyncedTagLyrics(frame),
              (Entries{{1000, "first"}, {2500, "second"}, {2500, "zz"}, {2500, "aa"}, {3000, ""}}));
    // Capped as a lyrics file's entries are.
    const Entries capped = SyncedTagLyrics(Synced(2, {{std::string(300, 'x'), 0xFFFFFFFF}}));
    EXPECT_EQ(capped, (Entries{{9999999, std::string(256, 'x')}}));
}

TEST(TagLyrics, UnsyncedTextIsReadLineByLineAsALyricsFile) {
    EXPECT_EQ(UnsyncedTagLyrics("[00:02]two\r\n[00:01]one\nno time\r[00:03]three\n"),
              (Entries{{1000, "one"}, {2000, "two"}, {3000, "three"}}));
    EXPECT_TRUE(UnsyncedTagLyrics("plain words\nwithout times").empty());
}

TEST(TagLyrics, SyncedLyricsComeFirstAndFrameStampsAreIgnored) {
    tags::Id3v2Tag tag;
    tag.unsyncedLyrics = "[00:05]from USLT";
    tag.syncedLyrics = Synced(2, {{"from SYLT", 100}});
    EXPECT_EQ(TagLyrics(tag), (Entries{{100, "from SYLT"}}));
    tag.syncedLyrics = Synced(1, {{"frame 40", 40}});
    EXPECT_EQ(TagLyrics(tag), (Entries{{5000, "from USLT"}}));
    tag.unsyncedLyrics.reset();
    EXPECT_TRUE(TagLyrics(tag).empty());
}

}  // namespace
}  // namespace sorabell::display
