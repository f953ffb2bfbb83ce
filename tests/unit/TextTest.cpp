#include <gtest/gtest.h>

#include "platform/Text.h"

namespace sorabell::text {
namespace {

// "ソ" is 0x83 0x5C and "表" is 0x95 0x5C: their second byte is a backslash.
const std::string kSo = "ソ";
const std::string kHyo = "表";

TEST(Cp932Text, SourceLiteralsAreShiftJis) {
    ASSERT_EQ(kSo, "\x83\x5C");
    ASSERT_EQ(kHyo, "\x95\x5C");
    ASSERT_EQ(std::string("　"), "\x81\x40");
}

TEST(Cp932Text, ByteTypesFollowTheTextFromItsStart) {
    const std::string s = "a" + kSo + "\\";
    EXPECT_EQ(ByteTypeAt(s, 0), ByteKind::Single);
    EXPECT_EQ(ByteTypeAt(s, 1), ByteKind::Lead);
    EXPECT_EQ(ByteTypeAt(s, 2), ByteKind::Trail);
    EXPECT_EQ(ByteTypeAt(s, 3), ByteKind::Single);
    EXPECT_EQ(ByteTypeAt(s, 4), ByteKind::Single);  // outside
    // A lead byte without a trail byte after it is a character of its own.
    EXPECT_EQ(ByteTypeAt("\x83", 0), ByteKind::Single);
    EXPECT_EQ(ByteTypeAt("\x83\x20", 0), ByteKind::Single);
}

TEST(Cp932Text, PathPiecesIgnoreBackslashesInsideCharacters) {
    const std::string path = "C:\\" + kHyo + "\\" + kSo + kHyo + ".mp3";
    EXPECT_EQ(ExtractFilePath(path), "C:\\" + kHyo + "\\");
    EXPECT_EQ(ExtractFileName(path), kSo + kHyo + ".mp3");
    EXPECT_EQ(ExtractFileExt(path), ".mp3");
    EXPECT_EQ(ExtractFileName("C:\\" + kSo), kSo);
    EXPECT_EQ(ExtractFileExt("C:\\dir.d\\name"), "");
    EXPECT_EQ(ChangeFileExt("C:\\a\\" + kSo, ".rmp"), "C:\\a\\" + kSo + ".rmp");
    EXPECT_EQ(ExtractFileName("A:b.txt"), "b.txt");
}

TEST(Cp932Text, TrailingBackslashIsACharacterOfItsOwn) {
    EXPECT_EQ(IncludeTrailingBackslash("C:\\" + kSo), "C:\\" + kSo + "\\");
    EXPECT_EQ(IncludeTrailingBackslash("C:\\a\\"), "C:\\a\\");
    EXPECT_EQ(IncludeTrailingBackslash(""), "\\");
    EXPECT_EQ(ExcludeTrailingBackslash("C:\\" + kHyo), "C:\\" + kHyo);
    EXPECT_EQ(ExcludeTrailingBackslash("C:\\" + kHyo + "\\"), "C:\\" + kHyo);
    EXPECT_EQ(LastChar("a" + kSo), kSo);
    EXPECT_EQ(LastChar(""), "");
}

TEST(Cp932Text, CutsNeverSplitACharacter) {
    const std::string s = "ab" + kSo + "c";
    EXPECT_EQ(CutToBytes(s, 2), "ab");
    EXPECT_EQ(CutToBytes(s, 3), "ab");  // would keep the lead byte alone
    EXPECT_EQ(CutToBytes(s, 4), "ab" + kSo);
    EXPECT_EQ(CutToBytes(s, 40), s);
    EXPECT_EQ(CutToBytes(kSo + kHyo, 3), kSo);
}

TEST(Cp932Text, SearchesMatchOnlyAtCharacterStarts) {
    const std::string s = kSo + "x\\y";
    EXPECT_EQ(Find(s, "\\"), 3u);
    EXPECT_EQ(FindLastDelimiter(kSo + kHyo, "\\"), std::string::npos);
    EXPECT_EQ(FindLastDelimiter("a\\b" + kSo, "\\"), 1u);
    // "ア" is 0x83 0x41: its trail byte is "A".
    EXPECT_EQ(Find("ア", "A"), std::string::npos);
    EXPECT_EQ(Find("aXa", "a", 1), 2u);
    EXPECT_EQ(Find(" - Winamp", " - Winamp"), 0u);
}

TEST(Cp932Text, CaseChangesLeaveDoubleByteCharactersAlone) {
    // "ア" ends in 0x41 ('A') and "ッ" in 0x62 ('b').
    EXPECT_EQ(LowerCase("ABC" + std::string("ア")), "abc" + std::string("ア"));
    EXPECT_EQ(UpperCase("abc" + std::string("ッ")), "ABC" + std::string("ッ"));
    EXPECT_EQ(UpperCase(".cda"), ".CDA");
    EXPECT_TRUE(SameText("Rock & Roll", "rock & roll"));
    EXPECT_FALSE(SameText("ア", "\x83\x61"));
    EXPECT_LT(CompareText("alpha", "Beta"), 0);
}

TEST(Cp932Text, TrimRemovesBlanksAndControlCharactersOnly) {
    EXPECT_EQ(Trim("\t abc \r\n"), "abc");
    EXPECT_EQ(Trim(std::string("x\0\x01", 3)), "x");
    EXPECT_EQ(Trim("　"), "　");  // the ideographic space is no blank
    EXPECT_EQ(TrimRight(kSo + " "), kSo);
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(Trim(""), "");
}

TEST(Cp932Text, IntegersParseAsTheSettingsReadersTakeThem) {
    EXPECT_EQ(ParseInt("400"), 400);
    EXPECT_EQ(ParseInt("  12"), 12);
    EXPECT_EQ(ParseInt("-12"), -12);
    EXPECT_EQ(ParseInt("+5"), 5);
    EXPECT_EQ(ParseInt("$C4"), 0xC4);
    EXPECT_EQ(ParseInt("0x1f"), 31);
    EXPECT_EQ(ParseInt("$FFFFFFFF"), -1);
    EXPECT_EQ(ParseInt("2147483647"), 2147483647);
    EXPECT_EQ(ParseInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseInt("2147483648"), std::nullopt);
    EXPECT_EQ(ParseInt("$100000000"), std::nullopt);
    EXPECT_EQ(ParseInt("12 "), std::nullopt);
    EXPECT_EQ(ParseInt(""), std::nullopt);
    EXPECT_EQ(ParseInt("-"), std::nullopt);
    EXPECT_EQ(ParseInt("$"), std::nullopt);
    EXPECT_EQ(ParseInt("1e3"), std::nullopt);
    EXPECT_EQ(ParseInt("１２"), std::nullopt);
    EXPECT_EQ(StrToIntDef("abc", 7), 7);
}

}  // namespace
}  // namespace sorabell::text
