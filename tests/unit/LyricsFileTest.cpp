#include <gtest/gtest.h>

#include "display/Lyrics.h"
#include "display/LyricsFile.h"

namespace sorabell::display {
namespace {

TEST(LyricsFileName, CharactersAFileNameCannotHoldBecomeUnderscores) {
    EXPECT_EQ(FileNameSafe("a\\b/c:d*e?f\"g<h>i|j"), "a_b_c_d_e_f_g_h_i_j");
    // "ソ" and "ポ" end in the bytes of "\" and "|"; they stay whole.
    EXPECT_EQ(FileNameSafe("\x83\x5C\x83\x7C:\x83\x5C"), "\x83\x5C\x83\x7C_\x83\x5C");
    EXPECT_EQ(FileNameSafe("AC/DC - What?"), "AC_DC - What_");
}

TEST(LyricsFileName, CandidatesRunFromTheLyricsFolderToTheSongsFolder) {
    LyricsPlace place{"C:\\Lyrics\\", "AC/DC", "T.N.T.", "01 tnt", "C:\\Music\\"};
    EXPECT_EQ(LyricsCandidates(place),
              (std::vector<std::string>{"C:\\Lyrics\\AC_DC - T.N.T..lrc", "C:\\Lyrics\\AC_DC - T.N.T..txt",
                                        "C:\\Lyrics\\01 tnt.lrc", "C:\\Lyrics\\01 tnt.txt", "C:\\Music\\01 tnt.lrc",
                                        "C:\\Music\\01 tnt.txt"}));
    for (auto missing : {&LyricsPlace::artist, &LyricsPlace::title}) {
        LyricsPlace partial = place;
        partial.*missing = "";
        EXPECT_EQ(LyricsCandidates(partial).size(), 4u) << "\"Artist - Title\" needs both";
        EXPECT_EQ(LyricsCandidates(partial).front(), "C:\\Lyrics\\01 tnt.lrc");
    }
}

// A text in each encoding a lyrics file may have.
enum class Encoding { Cp932, Utf8, Utf8Mark, Utf16Le, Utf16Be };

std::string Encode(const std::u16string& text, Encoding encoding) {
    std::string out;
    switch (encoding) {
        case Encoding::Cp932:
            // Only ASCII and "歌" (0x89CC) in these texts.
            for (const char16_t c : text) {
                out += c == u'歌' ? std::string("\x89\xCC") : std::string(1, static_cast<char>(c));
            }
            return out;
        case Encoding::Utf8Mark:
            out = "\xEF\xBB\xBF";
            [[fallthrough]];
        case Encoding::Utf8:
            for (const char16_t c : text) {
                out += c == u'歌' ? std::string("\xE6\xAD\x8C") : std::string(1, static_cast<char>(c));
            }
            return out;
        case Encoding::Utf16Le:
        case Encoding::Utf16Be: {
            const bool little = encoding == Encoding::Utf16Le;
            out = little ? "\xFF\xFE" : "\xFE\xFF";
            for (const char16_t c : text) {
                const char lo = static_cast<char>(c & 0xFF);
                const char hi = static_cast<char>(c >> 8);
                out += little ? std::string{lo, hi} : std::string{hi, lo};
            }
            return out;
        }
    }
    return out;
}

class OffsetWrite : public ::testing::TestWithParam<std::tuple<Encoding, std::u16string>> {
protected:
    Encoding encoding() const { return std::get<0>(GetParam()); }
    // The text with its line ends as the parameter gives them.
    std::u16string Lines(std::initializer_list<std::u16string> lines) const {
        std::u16string text;
        for (const auto& line : lines) {
            text += line + std::get<1>(GetParam());
        }
        return text;
    }
    void ExpectMoved(const std::u16string& before, int32_t earlierBy, const std::u16string& after, int32_t offset) {
        const MovedOffset moved = MoveLyricsOffset(Encode(before, encoding()), earlierBy);
        EXPECT_EQ(moved.bytes, Encode(after, encoding()));
        EXPECT_EQ(moved.offset, offset);
    }
};

TEST_P(OffsetWrite, AFileWithoutAnOffsetGetsItAsANewFirstLine) {
    ExpectMoved(Lines({u"[ti:歌]", u"[00:01.00]歌 <00:01.50>la"}), 500,
                Lines({u"[offset:500]", u"[ti:歌]", u"[00:01.00]歌 <00:01.50>la"}), 500);
    ExpectMoved(Lines({u"[00:01]歌"}), -500, Lines({u"[offset:-500]", u"[00:01]歌"}), -500);
}

TEST_P(OffsetWrite, TheOffsetLineThatCountsIsChangedInPlace) {
    ExpectMoved(Lines({u"[00:01]歌", u"[offset:100]", u"[Offset: +250 ] x", u"[00:02]歌"}), 500,
                Lines({u"[00:01]歌", u"[offset:100]", u"[Offset: +750 ] x", u"[00:02]歌"}), 750);
    ExpectMoved(Lines({u"[offset:+250]", u"[00:02]歌"}), -500, Lines({u"[offset:-250]", u"[00:02]歌"}), -250);
    ExpectMoved(Lines({u"[offset:-250]", u"[00:02]歌"}), 500, Lines({u"[offset:250]", u"[00:02]歌"}), 250);
    // Lines that are no offset stay as they are.
    ExpectMoved(Lines({u"[offset:x]", u"[offset:500"}), 500, Lines({u"[offset:500]", u"[offset:x]", u"[offset:500"}),
                500);
}

INSTANTIATE_TEST_SUITE_P(EveryEncodingAndLineEnd, OffsetWrite,
                         ::testing::Combine(::testing::Values(Encoding::Cp932, Encoding::Utf8, Encoding::Utf8Mark,
                                                              Encoding::Utf16Le, Encoding::Utf16Be),
                                            ::testing::Values(u"\r\n", u"\n")));

TEST(OffsetWriteEdges, ANewLineEndsAsTheFilesLinesOrAsWindowsEndsThem) {
    EXPECT_EQ(MoveLyricsOffset("[00:01]a\n[00:02]b\r\n", 500).bytes, "[offset:500]\n[00:01]a\n[00:02]b\r\n");
    EXPECT_EQ(MoveLyricsOffset("[00:01]a", 500).bytes, "[offset:500]\r\n[00:01]a");
    EXPECT_EQ(MoveLyricsOffset("", -500).bytes, "[offset:-500]\r\n");
    EXPECT_EQ(MoveLyricsOffset("[offset:500]", -500).bytes, "[offset:0]");
}

TEST(OffsetWriteEdges, TheOffsetStaysWithinTheLatestTime) {
    EXPECT_EQ(MoveLyricsOffset("[offset:99999999999]\r\n", 500).offset, kMaxLyricsTime);
    EXPECT_EQ(MoveLyricsOffset("[offset:-99999999999]\r\n", -500).bytes,
              "[offset:-" + std::to_string(kMaxLyricsTime) + "]\r\n");
}

}  // namespace
}  // namespace sorabell::display
