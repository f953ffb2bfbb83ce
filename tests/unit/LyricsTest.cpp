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
    EXPECT_TRUE(ParseLyrics({"no tag [00:10]"}).empty());
    EXPECT_TRUE(ParseLyrics({"[ar:artist]", "[ti:x]", "[by:x]", "[length:03:20]", "[xx:yy]", "", "["}).empty());
    EXPECT_TRUE(ParseLyrics({"[:05]", "[1000:00]x", "[1:5]x", "[1:05.]x", "[1:05.1234]x", "<00:01>x"}).empty());
    // A broken tag before a good one is skipped a character at a time.
    EXPECT_EQ(Keys(ParseLyrics({"[[00:05]x"})), (std::vector<std::string>{"0005000x"}));
}

TEST(LyricsParser, EveryShapeOfTimeTagIsReadToTheMillisecond) {
    const std::vector<std::pair<std::string, int32_t>> shapes = {
        {"[1:02]", 62000},     {"[01:02]", 62000},    {"[100:02]", 6002000}, {"[01:02.5]", 62500},
        {"[01:02.50]", 62500}, {"[1:02.500]", 62500}, {"[01:02:50]", 62500}, {"[999:99.999]", kMaxLyricsTime},
        {"[00:00.007]", 7},    {"[0:00.07]", 70},     {"[000:00:01]", 10},
    };
    for (const auto& [tag, ms] : shapes) {
        const auto entries = ParseLyrics({tag + tag + "la"});
        ASSERT_EQ(entries.size(), 2u) << tag;
        EXPECT_EQ(entries[0], (LyricsEntry{ms, "la"})) << tag;
    }
}

TEST(LyricsParser, LinesTheOlderReadingTookGiveTheSameEntriesWithFinerTimes) {
    // What the reading of "[mm:ss" tags gave for each line, whatever followed the seconds.
    const std::vector<std::pair<std::string, std::vector<LyricsEntry>>> lines = {
        {"[00:10][01:30]la", {{10000, "la"}, {90000, "la"}}},
        {"[99:99]end", {{6039000, "end"}}},
        {"[00:12.50]text]more", {{12500, "more"}}},
        {"[00:01", {{1000, ""}}},
        {"[00:05x]abc", {{5000, "abc"}}},
        {"[00:05x][00:07]abc", {{5000, "abc"}}},
        {"[01:02:5]x", {{62000, "x"}}},
        {"[01:02.5x]x", {{62000, "x"}}},
        {"[00:03]a [b] c", {{3000, " c"}}},
    };
    for (const auto& [line, entries] : lines) {
        EXPECT_EQ(ParseLyrics({line}), entries) << line;
    }
}

TEST(LyricsParser, WordTagsLeaveTheShownText) {
    const auto entries = ParseLyrics({"[00:01.00]<00:01.00>春の<00:01.50>歌 <1:02.5>la<00:02>!<x:00.00>"});
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].text, "春の歌 la!<x:00.00>");
    EXPECT_EQ(WithoutWordTags("<00:01.00"), "<00:01.00") << "an unclosed tag is text";
}

TEST(LyricsParser, TextsAreCutAt256BytesOnAWholeCharacter) {
    const std::string longText = std::string(255, 'a') + "曲曲";
    const auto entries = ParseLyrics({"[00:00]" + longText});
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].text, std::string(255, 'a'));
}

TEST(LyricsParser, EntriesAreSortedByTimeAndOneTimeKeepsTheFilesOrder) {
    const auto entries = ParseLyrics({"[01:00]b", "[00:30]a", "[00:30.0]0", "[10:00][00:30]c", "[00:29.999]z"});
    EXPECT_EQ(Keys(entries), (std::vector<std::string>{"0029999z", "0030000a",
                                                       "0030000"
                                                       "0",
                                                       "0030000c", "0060000b", "0600000c"}));
}

TEST(LyricsParser, TheEntriesOfOneFileAreCapped) {
    std::string line;
    for (size_t i = 0; i <= kMaxLyricsEntries; ++i) {
        line += "[00:01]";
    }
    EXPECT_EQ(ParseLyrics({line, "[00:02]x"}).size(), kMaxLyricsEntries);
}

TEST(LyricsParser, AnOffsetLineShiftsEveryTimeOfTheFileButNotBelowZero) {
    const auto with = [](const std::string& offset) { return Keys(ParseLyrics({"[00:00]a", offset, "[01:00]b"})); };
    EXPECT_EQ(with("[offset:+500]"), (std::vector<std::string>{"0000000a", "0059500b"}));
    EXPECT_EQ(with("[offset:500]"), with("[offset:+500]"));
    EXPECT_EQ(with("[offset:-500]"), (std::vector<std::string>{"0000500a", "0060500b"}));
    const std::string latest = std::to_string(kMaxLyricsTime);
    EXPECT_EQ(with("[Offset: -99999999999 ]"), (std::vector<std::string>{latest + "a", latest + "b"}));
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

TEST(LyricsLine, TheFirstLineOfATimeShowsAndTheSecondIsItsTranslation) {
    const auto entries = ParseLyrics({"[00:10]original", "[00:20]alone", "[00:10]translation", "[00:30]a", "[00:30] "});
    EXPECT_EQ(LyricsLineAt(entries, 15000), "original");
    EXPECT_EQ(LyricsSecondLineAt(entries, 15000), "translation");
    EXPECT_EQ(LyricsSecondLineAt(entries, 30000), "　") << "a blank second line keeps its place";
    // Lyrics with translations keep the second line occupied wherever a time has none; others give none.
    for (const int32_t position : {20000, 9999, -1}) {
        EXPECT_EQ(LyricsSecondLineAt(entries, position), "　") << position;
        EXPECT_EQ(LyricsSecondLineAt(ParseLyrics({"[00:10]a", "[00:20]b"}), position), "") << position;
    }
}

TEST(LyricsLine, AShiftMovesEveryTimeWithinTheBounds) {
    const auto entries = ParseLyrics({"[00:00.200]a", "[00:00.400]b", "[999:99.999]c"});
    EXPECT_EQ(Keys(ShiftLyrics(entries, 300)),
              (std::vector<std::string>{"0000000a", "0000100b", std::to_string(kMaxLyricsTime - 300) + "c"}));
    EXPECT_EQ(Keys(ShiftLyrics(entries, -300)),
              (std::vector<std::string>{"0000500a", "0000700b", std::to_string(kMaxLyricsTime) + "c"}));
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
