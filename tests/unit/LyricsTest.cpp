#include <gtest/gtest.h>

#include "display/Lyrics.h"

namespace sorabell::display {
namespace {

std::vector<std::string> Keys(const std::vector<LyricsEntry>& entries) {
    std::vector<std::string> keys;
    for (const auto& e : entries) {
        keys.push_back(e.Key());
    }
    return keys;
}

TEST(LyricsParser, EveryLeadingTagAddsAnEntryWithTheLinesText) {
    EXPECT_EQ(Keys(ParseLyrics({"[00:10][01:30]la"})), (std::vector<std::string>{"0010000la", "0090000la"}));
    EXPECT_EQ(Keys(ParseLyrics({"[99:99]end"})), (std::vector<std::string>{"6039000end"}));
}

TEST(LyricsParser, MalformedTagsAddNothing) {
    EXPECT_TRUE(ParseLyrics({"[1:05]one digit"}).empty());
    EXPECT_TRUE(ParseLyrics({"no tag [00:10]"}).empty());
    EXPECT_TRUE(ParseLyrics({"[ar:artist]", "[xx:yy]", "", "["}).empty());
    // A broken tag before a good one is skipped a character at a time.
    EXPECT_EQ(Keys(ParseLyrics({"[[00:05]x"})), (std::vector<std::string>{"0005000x"}));
}

TEST(LyricsParser, HundredthsAreIgnoredAndTheTextFollowsTheLastBracket) {
    EXPECT_EQ(Keys(ParseLyrics({"[00:12.50]text]more"})), (std::vector<std::string>{"0012000more"}));
    EXPECT_EQ(Keys(ParseLyrics({"[00:01"})), (std::vector<std::string>{"0001000"}));
}

TEST(LyricsParser, TextsAreCutAt256BytesOnAWholeCharacter) {
    const std::string longText = std::string(255, 'a') + "曲曲";
    const auto entries = ParseLyrics({"[00:00]" + longText});
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].text, std::string(255, 'a'));
}

TEST(LyricsParser, EntriesAreSortedByTime) {
    const auto entries = ParseLyrics({"[01:00]b", "[00:30]a", "[00:30]0", "[10:00]c"});
    EXPECT_EQ(Keys(entries), (std::vector<std::string>{"0030000"
                                                       "0",
                                                       "0030000a", "0060000b", "0600000c"}));
}

TEST(LyricsParser, AnOffsetLineShiftsEveryTimeOfTheFileButNotBelowZero) {
    const auto with = [](const std::string& offset) { return Keys(ParseLyrics({"[00:00]a", offset, "[01:00]b"})); };
    EXPECT_EQ(with("[offset:+500]"), (std::vector<std::string>{"0000000a", "0059500b"}));
    EXPECT_EQ(with("[offset:500]"), with("[offset:+500]"));
    EXPECT_EQ(with("[offset:-500]"), (std::vector<std::string>{"0000500a", "0060500b"}));
    EXPECT_EQ(with("[Offset: -99999999999 ]"), (std::vector<std::string>{"9999999a", "9999999b"}));
    for (const char* none : {"[offset:]", "[offset:+]", "[offset:5x]", "[offset:500", "x[offset:500]", "[ar:500]"}) {
        EXPECT_EQ(with(none), (std::vector<std::string>{"0000000a", "0060000b"})) << none;
    }
}

TEST(LyricsLine, FollowsThePositionAtTheEdges) {
    const auto entries = ParseLyrics({"[00:10]first", "[00:20]  ", "[00:30]third"});
    EXPECT_EQ(LyricsLineAt({}, 15000), "");
    EXPECT_EQ(LyricsLineAt(entries, -1), "(LyricsFile Ready)");
    EXPECT_EQ(LyricsLineAt(entries, 0), "　");
    EXPECT_EQ(LyricsLineAt(entries, 9999), "　");
    EXPECT_EQ(LyricsLineAt(entries, 10000), "first");
    EXPECT_EQ(LyricsLineAt(entries, 19999), "first");
    EXPECT_EQ(LyricsLineAt(entries, 20000), "　") << "a blank lyric keeps the line occupied";
    EXPECT_EQ(LyricsLineAt(entries, 9999999), "third");
}

TEST(LyricsLine, BinaryAndLongLinesDoNoHarm) {
    std::vector<std::string> lines;
    lines.push_back(std::string("[00:05]\x01\x02\xFF\x81", 11));
    lines.push_back("[00:06]" + std::string(100000, 'x'));
    lines.push_back(std::string(5000, '['));
    const auto entries = ParseLyrics(lines);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].text.size(), 256u);
    EXPECT_EQ(LyricsLineAt(entries, 5500), std::string("\x01\x02\xFF\x81", 4));
}

}  // namespace
}  // namespace sorabell::display
