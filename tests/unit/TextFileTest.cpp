#include <gtest/gtest.h>

#include "platform/TextFile.h"

namespace sorabell::platform {
namespace {

std::string Bytes(std::u8string_view utf8) { return std::string(utf8.begin(), utf8.end()); }

TEST(TextEncodingOf, ByteOrderMarksAndValidMultiByteUtf8AreUnicode) {
    EXPECT_EQ(DetectTextEncoding("\xEF\xBB\xBF[00:01]a"), TextEncoding::Utf8);
    EXPECT_EQ(DetectTextEncoding(Bytes(u8"[00:01]歌詞")), TextEncoding::Utf8);
    EXPECT_EQ(DetectTextEncoding(std::string("\xFF\xFE[\0", 4)), TextEncoding::Utf16Le);
    EXPECT_EQ(DetectTextEncoding(std::string("\xFE\xFF\0[", 4)), TextEncoding::Utf16Be);
}

TEST(TextEncodingOf, AsciiCp932AndBrokenUtf8StayInTheCodePage) {
    EXPECT_EQ(DetectTextEncoding(""), TextEncoding::Ansi);
    EXPECT_EQ(DetectTextEncoding("[00:01]plain\r\n"), TextEncoding::Ansi);
    EXPECT_EQ(DetectTextEncoding("[00:01]歌詞です"), TextEncoding::Ansi) << "the literal is CP932";
    EXPECT_EQ(DetectTextEncoding(Bytes(u8"歌") + "\xC0\xAF"), TextEncoding::Ansi) << "an overlong form";
    EXPECT_EQ(DetectTextEncoding(Bytes(u8"歌") + "\xED\xA0\x80"), TextEncoding::Ansi) << "a surrogate";
    EXPECT_EQ(DetectTextEncoding(Bytes(u8"歌") + "\xE6\xAD"), TextEncoding::Ansi) << "cut short";
}

TEST(UnicodeTextOf, BrokenSequencesAndCharactersBeyondThePlaneBecomeOneQuestionMark) {
    // Kept out of the macros, whose text of their arguments is in the code page.
    const std::string emoji = Bytes(u8"😀b");
    EXPECT_EQ(DecodeUnicodeText("\xEF\xBB\xBF" + Bytes(u8"a歌") + "\xFF" + emoji, TextEncoding::Utf8), u"a歌??b");
    std::u16string units = u"\uFEFFa😀";
    units += {char16_t{0xDC00}, u'歌'};
    std::string le;
    std::string be;
    for (const char16_t u : units) {
        le += {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
        be += {static_cast<char>(u >> 8), static_cast<char>(u & 0xFF)};
    }
    EXPECT_EQ(DecodeUnicodeText(le, TextEncoding::Utf16Le), u"a??歌");
    EXPECT_EQ(DecodeUnicodeText(be + "x", TextEncoding::Utf16Be), u"a??歌?") << "half a unit at the end";
}

}  // namespace
}  // namespace sorabell::platform
