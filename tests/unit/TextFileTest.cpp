#include <gtest/gtest.h>

#include "platform/TextFile.h"

namespace sorabell::platform {
namespace {

std::string Bytes(std::u8string_view utf8) { return std::string(utf8.begin(), utf8.end()); }

TEST(TextEncodingOf, ByteOrderMarksOrValidMultiByteUtf8MakeUnicodeAndAllElseStaysInTheCodePage) {
    const std::string kanji = Bytes(u8"歌");
    EXPECT_EQ(DetectTextEncoding("\xEF\xBB\xBF[00:01]a"), TextEncoding::Utf8);
    EXPECT_EQ(DetectTextEncoding("[00:01]" + kanji), TextEncoding::Utf8);
    EXPECT_EQ(DetectTextEncoding("\xFF\xFE["), TextEncoding::Utf16Le);
    EXPECT_EQ(DetectTextEncoding("\xFE\xFF"), TextEncoding::Utf16Be);
    // ASCII, CP932 (the literal), an overlong form, a surrogate, a sequence cut short.
    for (const std::string& ansi : {std::string("[00:01]a"), std::string("歌詞です"), kanji + "\xC0\xAF",
                                    kanji + "\xED\xA0\x80", kanji + "\xE6\xAD"}) {
        EXPECT_EQ(DetectTextEncoding(ansi), TextEncoding::Ansi) << ansi;
    }
}

TEST(UnicodeTextOf, BrokenSequencesAndCharactersBeyondThePlaneBecomeOneQuestionMark) {
    const std::string utf8 = "\xEF\xBB\xBF" + Bytes(u8"a歌") + "\xFF" + Bytes(u8"😀b");
    EXPECT_EQ(DecodeUnicodeText(utf8, TextEncoding::Utf8), u"a歌??b");
    std::u16string units = u"\uFEFFa😀";
    units += {char16_t{0xDC00}, u'歌'};
    std::string be;
    for (const char16_t u : units) {
        be += {static_cast<char>(u >> 8), static_cast<char>(u & 0xFF)};
    }
    EXPECT_EQ(DecodeUnicodeText(be + "x", TextEncoding::Utf16Be), u"a??歌?") << "half a unit at the end";
}

}  // namespace
}  // namespace sorabell::platform
