// The ID3v2 reader on tags made byte by byte: its versions, encodings and the lies of tags.

#include <gtest/gtest.h>

#include <cstdio>
#include <utility>

#include "platform/MemoryFile.h"
#include "support/Id3v2Builder.h"
#include "support/TagFixtures.h"
#include "tags/GenreTable.h"
#include "tags/Id3v2.h"

namespace sorabell::testing {
namespace {

using tags::Id3v2Tag;

// Shows each character beyond ASCII as its number, so that the decoding is seen as it is.
class MarkingCodePage : public platform::CodePage {
public:
    std::string FromUtf16(std::u16string_view text) override {
        std::string out;
        for (const char16_t c : text) {
            if (c < 0x80) {
                out += static_cast<char>(c);
            } else {
                char mark[8];
                std::snprintf(mark, sizeof mark, "<%04X>", static_cast<unsigned>(c));
                out += mark;
            }
        }
        return out;
    }
    // Tag texts only go the other way.
    std::u16string ToUtf16(std::string_view cp932) override { return std::u16string(cp932.begin(), cp932.end()); }
};

std::string Utf16(std::u16string_view text, bool little) {
    std::string out;
    for (const char16_t c : text) {
        const auto high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
        out += little ? low : high;
        out += little ? high : low;
    }
    return out;
}

Id3v2Tag Parse(std::string_view bytes) {
    MarkingCodePage codePage;
    const auto tag = tags::ParseId3v2Tag(bytes, codePage);
    EXPECT_TRUE(tag.has_value());
    return tag.value_or(Id3v2Tag{});
}

std::string TitleOf(const std::string& tag) { return Parse(tag).title; }

std::string Comment(int version, std::string_view description, std::string_view text) {
    return Id3v2Frame(version, version == 2 ? "COM" : "COMM",
                      std::string("\0jpn", 4) + std::string(description) + '\0' + std::string(text));
}

TEST(Id3v2Versions, EachVersionYieldsTheDisplayTextsUnderItsFrameNames) {
    const auto v2 = Parse(
        Id3v2Bytes(2, Id3v2Frame(2, "TT2", FrameText(0, "Title")) + Id3v2Frame(2, "TP1", FrameText(0, "Artist")) +
                          Id3v2Frame(2, "TAL", FrameText(0, "Album")) + Id3v2Frame(2, "TYE", FrameText(0, "1999")) +
                          Comment(2, "", "Note") + Id3v2Frame(2, "TCO", FrameText(0, "Jazz"))));
    EXPECT_EQ(v2.version, 2);
    EXPECT_EQ(std::vector<std::string>({v2.title, v2.artist, v2.album, v2.year, v2.comment, v2.genre}),
              std::vector<std::string>({"Title", "Artist", "Album", "1999", "Note", "Jazz"}));
    for (const int version : {3, 4}) {
        const auto tag = Parse(Id3v2Bytes(version, Id3v2Frame(version, "TIT2", FrameText(0, "Title")) +
                                                       Id3v2Frame(version, "TPE1", FrameText(0, "Artist")) +
                                                       Id3v2Frame(version, "TALB", FrameText(0, "Album")) +
                                                       Id3v2Frame(version, "TDRC", FrameText(0, "2004-05-06")) +
                                                       Comment(version, "", "Note") +
                                                       Id3v2Frame(version, "TCON", FrameText(0, "Pop"))));
        EXPECT_EQ(tag.version, version);
        EXPECT_EQ(std::vector<std::string>({tag.title, tag.artist, tag.album, tag.year, tag.comment, tag.genre}),
                  std::vector<std::string>({"Title", "Artist", "Album", "2004", "Note", "Pop"}));
    }
    // TYER wins over TDRC, and the first of two frames wins.
    const auto both = Parse(Id3v2Bytes(
        3, Id3v2Frame(3, "TDRC", FrameText(0, "2004")) + Id3v2Frame(3, "TYER", FrameText(0, "1987")) +
               Id3v2Frame(3, "TIT2", FrameText(0, "First")) + Id3v2Frame(3, "TIT2", FrameText(0, "Second"))));
    EXPECT_EQ(both.year, "1987");
    EXPECT_EQ(Parse(Id3v2Bytes(4, Id3v2Frame(4, "TDRC", FrameText(0, "99  -01")))).year, "99");
    EXPECT_EQ(both.title, "First");
}

TEST(Id3v2Texts, EachEncodingBecomesTheCodePageAndJapaneseLatin1BytesStayAsCp932) {
    EXPECT_EQ(TitleOf(Id3v2Bytes(3, Id3v2Frame(3, "TIT2", FrameText(0, "歌詞はｶﾅ")))), "歌詞はｶﾅ");
    EXPECT_EQ(TitleOf(Id3v2Bytes(3, Id3v2Frame(3, "TIT2", FrameText(0, "Caf\xE9")))), "Caf<00E9>");
    // Half-width kana alone, or a lead byte without its trail byte, is ISO-8859-1.
    EXPECT_EQ(TitleOf(Id3v2Bytes(3, Id3v2Frame(3, "TIT2", FrameText(0, "\xB1\xB2")))), "<00B1><00B2>");
    EXPECT_EQ(TitleOf(Id3v2Bytes(3, Id3v2Frame(3, "TIT2", FrameText(0, "x\x89")))), "x<0089>");
    const std::u16string song = u"A\u6B4C\u00E9";
    EXPECT_EQ(TitleOf(Id3v2Bytes(3, Id3v2Frame(3, "TIT2", FrameText(1, "\xFF\xFE" + Utf16(song, true))))),
              "A<6B4C><00E9>");
    EXPECT_EQ(TitleOf(Id3v2Bytes(3, Id3v2Frame(3, "TIT2", FrameText(1, "\xFE\xFF" + Utf16(song, false))))),
              "A<6B4C><00E9>");
    EXPECT_EQ(TitleOf(Id3v2Bytes(3, Id3v2Frame(3, "TIT2", FrameText(1, Utf16(song, true))))), "A<6B4C><00E9>");
    EXPECT_EQ(TitleOf(Id3v2Bytes(4, Id3v2Frame(4, "TIT2", FrameText(2, Utf16(song, false))))), "A<6B4C><00E9>");
    EXPECT_EQ(TitleOf(Id3v2Bytes(4, Id3v2Frame(4, "TIT2", FrameText(3, "A\xE6\xAD\x8C\xC3\xA9")))), "A<6B4C><00E9>");
    // Trailing blanks go, in every encoding.
    EXPECT_EQ(TitleOf(Id3v2Bytes(3, Id3v2Frame(3, "TIT2", FrameText(0, "Short   ")))), "Short");
    EXPECT_EQ(TitleOf(Id3v2Bytes(4, Id3v2Frame(4, "TIT2", FrameText(2, Utf16(u"Wide  ", false))))), "Wide");
}

TEST(Id3v2Texts, AsciiTextsInEveryUtf16FormKeepTheirCharactersAndOnlyThem) {
    // Units whose low byte alone is ASCII are no ASCII.
    const std::pair<std::u16string, std::string> cases[] = {{u"Plain ~\\", "Plain ~\\"},
                                                            {u"A\u0141\u4100", "A<0141><4100>"}};
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(TitleOf(Id3v2Bytes(3, Id3v2Frame(3, "TIT2", FrameText(1, "\xFF\xFE" + Utf16(text, true))))),
                  expected);
        EXPECT_EQ(TitleOf(Id3v2Bytes(3, Id3v2Frame(3, "TIT2", FrameText(1, "\xFE\xFF" + Utf16(text, false))))),
                  expected);
        EXPECT_EQ(TitleOf(Id3v2Bytes(3, Id3v2Frame(3, "TIT2", FrameText(1, Utf16(text, true))))), expected);
        EXPECT_EQ(TitleOf(Id3v2Bytes(4, Id3v2Frame(4, "TIT2", FrameText(2, Utf16(text, false))))), expected);
    }
}

TEST(Id3v2Texts, AValueEndsAtItsFirstTerminatorAndAnUnendedOrOddValueYieldsWhatItHolds) {
    EXPECT_EQ(TitleOf(Id3v2Bytes(4, Id3v2Frame(4, "TIT2", std::string("\0One\0Two", 8)))), "One");
    // In UTF-16 only a zero unit ends the value, not zero bytes across two units.
    EXPECT_EQ(TitleOf(Id3v2Bytes(3, Id3v2Frame(3, "TIT2",
                                               FrameText(1, "\xFF\xFE" + Utf16(u"A\u0100", true) +
                                                                std::string(2, '\0') + Utf16(u"B", true))))),
              "A<0100>");
    EXPECT_EQ(TitleOf(Id3v2Bytes(3, Id3v2Frame(3, "TIT2", std::string("\3Open", 5)))), "Open");
    EXPECT_EQ(TitleOf(Id3v2Bytes(3, Id3v2Frame(3, "TIT2", std::string("\2\0A\0", 4)))), "A?");
    EXPECT_EQ(
        Parse(Id3v2Bytes(3, Id3v2Frame(3, "TIT2", std::string()) + Id3v2Frame(3, "TPE1", FrameText(0, "Next")))).artist,
        "Next");
}

TEST(Id3v2Structure, BothUnsynchronisationsAreUndone) {
    const std::string wide = FrameText(1, "\xFF\xFE" + Utf16(u"\u00FF\u00E0", true));
    EXPECT_EQ(TitleOf(Id3v2Bytes(
                  3, Unsynchronise(Id3v2Frame(3, "TIT2", wide) + Id3v2Frame(3, "TPE1", FrameText(0, "A"))), 0x80)),
              "<00FF><00E0>");
    EXPECT_EQ(TitleOf(Id3v2Bytes(2, Unsynchronise(Id3v2Frame(2, "TT2", wide)), 0x80)), "<00FF><00E0>");
    // 2.4: per frame, after the data length indicator.
    const std::string data = Unsynchronise(wide);
    EXPECT_EQ(TitleOf(Id3v2Bytes(
                  4, Id3v2Frame(4, "TIT2", SyncSafe(static_cast<uint32_t>(wide.size())) + data, {.format = 0x03}) +
                         Id3v2Frame(4, "TPE1", FrameText(0, "A")))),
              "<00FF><00E0>");
}

TEST(Id3v2Structure, ExtendedHeadersArePassedAsTheirVersionCountsThemAndPaddingEndsTheFrames) {
    const std::string title = Id3v2Frame(3, "TIT2", FrameText(0, "After"));
    EXPECT_EQ(TitleOf(Id3v2Bytes(3, BigEndian(6, 4) + std::string(6, '\0') + title + std::string(64, '\0'), 0x40)),
              "After");
    EXPECT_EQ(TitleOf(Id3v2Bytes(4, SyncSafe(6) + std::string("\1\0", 2) + Id3v2Frame(4, "TIT2", FrameText(0, "After")),
                                 0x40)),
              "After");
    // Nothing after the padding is a frame.
    EXPECT_EQ(Parse(Id3v2Bytes(3, title + std::string(4, '\0') + Id3v2Frame(3, "TPE1", FrameText(0, "Lost")))).artist,
              "");
}

TEST(Id3v2Structure, A24TagWithPlainFrameSizesIsReadWhenOnlyThePlainReadingLandsOnAFrame) {
    const std::string long256 = FrameText(0, std::string(250, 'x') + "tail");  // plain 00 00 01 00
    const std::string next = Id3v2Frame(4, "TPE1", FrameText(0, "Next"));
    for (const bool plain : {true, false}) {
        const auto tag =
            Parse(Id3v2Bytes(4, Id3v2Frame(4, "TIT2", long256, {.plainSize = plain}) + next + std::string(16, '\0')));
        EXPECT_EQ(tag.title.size(), 254u) << plain;
        EXPECT_EQ(tag.artist, "Next") << plain;
    }
    // A plain size byte above 0x7F is no syncsafe number at all.
    const std::string long200 = FrameText(0, std::string(198, 'y'));
    EXPECT_EQ(Parse(Id3v2Bytes(4, Id3v2Frame(4, "TIT2", long200, {.plainSize = true}) + next)).artist, "Next");
}

TEST(Id3v2Structure, CompressedAndEncryptedFramesAreSkipped) {
    for (const int version : {3, 4}) {
        for (const uint8_t format :
             version == 3 ? std::vector<uint8_t>{0x80, 0x40} : std::vector<uint8_t>{0x08, 0x04}) {
            const auto tag =
                Parse(Id3v2Bytes(version, Id3v2Frame(version, "TIT2", FrameText(0, "Hidden"), {.format = format}) +
                                              Id3v2Frame(version, "TIT2", FrameText(0, "Plain"))));
            EXPECT_EQ(tag.title, "Plain") << version << " " << int{format};
        }
    }
    // A grouped frame's group byte is not text.
    EXPECT_EQ(TitleOf(Id3v2Bytes(3, Id3v2Frame(3, "TIT2", "\x07" + FrameText(0, "Grouped"), {.format = 0x20}))),
              "Grouped");
}

TEST(Id3v2Lies, SizesPastTheTagOrTheFileYieldWhatIsThere) {
    EXPECT_EQ(TitleOf(Id3v2Bytes(3, Id3v2Frame(3, "TIT2", std::string("\0Cut", 4), {.claimedSize = 0x7FFFFFFF}))),
              "Cut");
    EXPECT_EQ(TitleOf(Id3v2Bytes(4, Id3v2Frame(4, "TIT2", std::string("\0Cut", 4), {.claimedSize = 0x0FFFFFFF}))),
              "Cut");
    // A tag that claims more than the bytes hold.
    std::string tag = Id3v2Bytes(3, Id3v2Frame(3, "TIT2", FrameText(0, "Whole")) + std::string(1000, '\0'));
    tag.resize(30);
    EXPECT_EQ(TitleOf(tag), "Whole");
    platform::MemoryFile file(tag + std::string(5, 'x'));
    MarkingCodePage codePage;
    EXPECT_EQ(tags::ReadId3v2Tag(file, codePage).value_or(Id3v2Tag{}).title, "Whole");
    for (const std::string& notATag : {std::string("ID3\4"), std::string("ID3\5\0\0\0\0\0\0", 10),
                                       std::string("ID3\3\0\0\0\0\x80\0", 10), std::string("TAG\3\0\0\0\0\0\0", 10)}) {
        platform::MemoryFile other(notATag);
        EXPECT_FALSE(tags::ReadId3v2Tag(other, codePage).has_value()) << notATag;
    }
}

TEST(Id3v2Lies, ATagLargerThanTheFirstReadIsReadWhole) {
    const std::string picture = Id3v2Frame(3, "APIC", std::string(6000, 'p'));
    const std::string tag = Id3v2Bytes(3, picture + Id3v2Frame(3, "TIT2", FrameText(0, "After")));
    platform::MemoryFile file(tag + MpegPayload(100));
    MarkingCodePage codePage;
    EXPECT_EQ(tags::ReadId3v2Tag(file, codePage).value_or(Id3v2Tag{}).title, "After");
}

TEST(Id3v2Fields, GenreNumbersAreNamedFromTheTableAndOtherTextStands) {
    const std::pair<std::string, std::string> cases[] = {{"(17)", tags::GenreName(17)},
                                                         {"(17)Rocky", tags::GenreName(17)},
                                                         {"17", tags::GenreName(17)},
                                                         {"(RX)", "Remix"},
                                                         {"(CR)", "Cover"},
                                                         {"((Live)", "(Live)"},
                                                         {"Jazz Funk", "Jazz Funk"},
                                                         {"(300)", "(300)"},
                                                         {"(8", "(8"},
                                                         {"1234", "1234"}};
    for (const auto& [value, name] : cases) {
        EXPECT_EQ(Parse(Id3v2Bytes(3, Id3v2Frame(3, "TCON", FrameText(0, value)))).genre, name) << value;
    }
}

TEST(Id3v2Fields, TheCommentIsTheFirstWithoutADescriptionElseTheFirst) {
    EXPECT_EQ(Parse(Id3v2Bytes(3, Comment(3, "iTunNORM", " 0000") + Comment(3, "", "Plain") + Comment(3, "", "Later")))
                  .comment,
              "Plain");
    EXPECT_EQ(Parse(Id3v2Bytes(3, Comment(3, "iTunNORM", "First") + Comment(3, "Other", "Second"))).comment, "First");
}

TEST(Id3v2Fields, LyricsFramesKeepTheirTextsAndTimes) {
    const std::string uslt = "\1jpn" + std::string("\xFF\xFE\0\0", 4) + "\xFF\xFE" + Utf16(u"[00:01]La\r\n", true);
    const std::string sylt = std::string("\0jpn\2\1", 6) + std::string("Desc\0", 5) + std::string("One\0", 4) +
                             BigEndian(1500, 4) + std::string("\nTwo\0", 5) + BigEndian(3000, 4) + "Cut";
    const auto tag = Parse(Id3v2Bytes(3, Id3v2Frame(3, "USLT", uslt) + Id3v2Frame(3, "SYLT", sylt)));
    EXPECT_EQ(tag.unsyncedLyrics, "[00:01]La\r\n");
    ASSERT_TRUE(tag.syncedLyrics.has_value());
    EXPECT_EQ(tag.syncedLyrics->timeFormat, 2);
    EXPECT_EQ(tag.syncedLyrics->lines, (std::vector<tags::Id3v2SyncedText>{{"One", 1500}, {"\nTwo", 3000}}));
    EXPECT_FALSE(Parse(Id3v2Bytes(3, Id3v2Frame(3, "TIT2", FrameText(0, "x")))).syncedLyrics.has_value());
}

}  // namespace
}  // namespace sorabell::testing
