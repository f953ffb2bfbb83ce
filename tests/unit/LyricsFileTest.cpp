#include <gtest/gtest.h>

#include "display/Lyrics.h"
#include "display/LyricsFile.h"

namespace sorabell::display {
namespace {

TEST(LyricsFileName, CharactersAFileNameCannotHoldBecomeUnderscoresButDoubleByteOnesStayWhole) {
    // "ソ" and "ポ" end in the bytes of "\" and "|".
    EXPECT_EQ(FileNameSafe("a\\b/c:d*e?f\"g<h>i|j \x83\x5C\x83\x7C"), "a_b_c_d_e_f_g_h_i_j \x83\x5C\x83\x7C");
}

// The lines, each ended by `end`, in the encodings of lyrics files: CP932, UTF-8 without and with
// its mark, UTF-16 LE and BE. "#" stands for "歌".
std::string Encode(const std::vector<std::string>& lines, const std::string& end, int encoding) {
    const char* const kMark[] = {"", "", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    std::string out = kMark[encoding];
    for (const std::string& line : lines) {
        for (const char c : line + end) {
            const auto u = static_cast<char16_t>(c == '#' ? 0x6B4C : c);
            if (encoding >= 3) {
                const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
                out += encoding == 3 ? std::string{lo, hi} : std::string{hi, lo};
            } else {
                out += c != '#' ? std::string(1, c) : encoding == 0 ? "\x89\xCC" : "\xE6\xAD\x8C";
            }
        }
    }
    return out;
}

TEST(OffsetWrite, TheOffsetLineIsPutFirstOrChangedInPlaceInEveryEncodingAndLineEnd) {
    for (int encoding = 0; encoding < 5; ++encoding) {
        for (const std::string end : {"\r\n", "\n"}) {
            SCOPED_TRACE(::testing::Message() << "encoding " << encoding << ", line end " << end.size());
            const auto moved = [&](const std::vector<std::string>& lines, int32_t earlierBy) {
                return MoveLyricsOffset(Encode(lines, end, encoding), earlierBy).bytes;
            };
            EXPECT_EQ(moved({"[ti:#]", "[00:01.00]# <00:01.50>la"}, 500),
                      Encode({"[offset:500]", "[ti:#]", "[00:01.00]# <00:01.50>la"}, end, encoding));
            // The last offset line is the one read; a line that is no offset stays as it is.
            EXPECT_EQ(moved({"[offset:100]", "[Offset: +250 ] #", "[offset:5"}, -500),
                      Encode({"[offset:100]", "[Offset: -250 ] #", "[offset:5"}, end, encoding));
        }
    }
}

TEST(OffsetWrite, TheNewLineEndsAsTheFilesLinesAndTheOffsetStaysWithinTheLatestTime) {
    EXPECT_EQ(MoveLyricsOffset("[00:01]a\n[00:02]b\r\n", 500).bytes, "[offset:500]\n[00:01]a\n[00:02]b\r\n");
    EXPECT_EQ(MoveLyricsOffset("[00:01]a", -500).bytes, "[offset:-500]\r\n[00:01]a") << "or as Windows ends them";
    EXPECT_EQ(MoveLyricsOffset("[offset:+500]", -500).bytes, "[offset:+0]") << "the sign written as the file wrote it";
    const auto latest = MoveLyricsOffset("[offset:99999999999]", 500);
    EXPECT_EQ(latest.offset, kMaxLyricsTime);
    EXPECT_EQ(latest.bytes, "[offset:" + std::to_string(kMaxLyricsTime) + "]");
}

}  // namespace
}  // namespace sorabell::display
