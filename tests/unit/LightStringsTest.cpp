#include <gtest/gtest.h>

#include "contract/ContractEnvironment.h"
#include "platform/Errors.h"
#include "tags/LightStrings.h"

namespace sorabell::tags {
namespace {

const char* const kRangeError = "インデックスがリストの範囲を超えています";

std::vector<std::string> Items(const TLightStrings& list) {
    std::vector<std::string> items;
    for (int32_t i = 0; i < list.Count(); ++i) {
        items.push_back(list.Get(i));
    }
    return items;
}

template <class F>
void ExpectRangeError(F&& action) {
    try {
        action();
        ADD_FAILURE() << "no range error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), kRangeError);
    }
}

TEST(LightStrings, GrowsInStepsOf32) {
    TLightStrings list;
    EXPECT_EQ(list.Capacity(), 0);
    EXPECT_EQ(list.Add("first"), 0);
    EXPECT_EQ(list.Capacity(), 32);
    for (int i = 1; i < 32; ++i) {
        list.Add(std::to_string(i));
    }
    EXPECT_EQ(list.Capacity(), 32);
    EXPECT_EQ(list.Add("33rd"), 32);
    EXPECT_EQ(list.Capacity(), 64);
    EXPECT_EQ(list.Count(), 33);
    EXPECT_EQ(list.Get(32), "33rd");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);
}

TEST(LightStrings, IndexAndCapacityErrorsLeaveTheListUnchanged) {
    TLightStrings list;
    list.Add("a");
    list.Add("b");
    ExpectRangeError([&] { list.Get(2); });
    ExpectRangeError([&] { list.Get(-1); });
    ExpectRangeError([&] { list.SetCapacity(1); });
    ExpectRangeError([&] { list.SetCapacity(TLightStrings::kMaxCapacity + 1); });
    ExpectRangeError([&] { list.SetCount(-1); });
    ExpectRangeError([&] { list.SetCount(TLightStrings::kMaxCapacity + 1); });
    EXPECT_EQ(Items(list), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(list.Capacity(), 32);
}

TEST(LightStrings, SetCountEmptiesDroppedStringsAndGrowsCapacity) {
    TLightStrings list;
    list.Add("a");
    list.Add("b");
    list.SetCount(1);
    list.SetCount(2);
    EXPECT_EQ(list.Get(1), "");
    list.SetCount(40);
    EXPECT_EQ(list.Capacity(), 40);
    EXPECT_EQ(list.Get(39), "");
}

TEST(LightStrings, TextSplitsAtEveryKindOfLineEnd) {
    TLightStrings list;
    list.SetText("a\r\n\r\nb");
    EXPECT_EQ(Items(list), (std::vector<std::string>{"a", "", "b"}));
    list.SetText("");
    EXPECT_EQ(Items(list), (std::vector<std::string>{""}));
    list.SetText("a\r\n");
    EXPECT_EQ(Items(list), (std::vector<std::string>{"a"}));
    list.SetText("\n\r");
    EXPECT_EQ(Items(list), (std::vector<std::string>{"", ""}));
    list.SetText("x\ry\nz");
    EXPECT_EQ(Items(list), (std::vector<std::string>{"x", "y", "z"}));
    EXPECT_EQ(list.Capacity(), list.Count());
}

TEST(LightStrings, AZeroByteEndsTheText) {
    TLightStrings list;
    list.SetText(std::string("a\r\nb\0c\r\nd", 9));
    EXPECT_EQ(Items(list), (std::vector<std::string>{"a", "b"}));
    list.SetText(std::string("\0zz", 3));
    EXPECT_EQ(Items(list), (std::vector<std::string>{""}));
}

TEST(LightStrings, GetTextEndsEveryLineWithCrLf) {
    TLightStrings list;
    EXPECT_EQ(list.GetText(), "");
    list.Add("ソ表");
    list.Add("");
    EXPECT_EQ(list.GetText(), "ソ表\r\n\r\n");
    TLightStrings copy;
    copy.SetText(list.GetText());
    EXPECT_EQ(Items(copy), Items(list));
}

TEST(LightStrings, CommaTextQuotesItemsWithBlanksOrCommas) {
    TLightStrings list;
    EXPECT_EQ(list.GetCommaText(), "");
    list.Add("a b");
    list.Add("c,d");
    list.Add("e");
    EXPECT_EQ(list.GetCommaText(), "\"a b\",\"c,d\",e");
    list.Clear();
    list.Add("say \"hi\"");  // quotes inside are neither doubled nor escaped
    list.Add("");
    EXPECT_EQ(list.GetCommaText(), "\"say \"hi\"\",");
}

TEST(LightStrings, CommaTextSplitsAsWritten) {
    TLightStrings list;
    list.SetCommaText("a,b");
    EXPECT_EQ(Items(list), (std::vector<std::string>{"a", "b"}));
    list.SetCommaText("\"a b\",\"c,d\",e");
    EXPECT_EQ(Items(list), (std::vector<std::string>{"a b", "c,d", "e"}));
    list.SetCommaText("a,");
    EXPECT_EQ(Items(list), (std::vector<std::string>{"a"}));
    list.SetCommaText(",a");
    EXPECT_EQ(Items(list), (std::vector<std::string>{"", "a"}));
    list.SetCommaText("a b");  // a blank does not separate
    EXPECT_EQ(Items(list), (std::vector<std::string>{"a b"}));
    list.SetCommaText("\"unclosed");
    EXPECT_EQ(Items(list), (std::vector<std::string>{"unclosed"}));
    list.SetCommaText("");
    EXPECT_EQ(list.Count(), 0);
}

TEST(LightStrings, LooksUpExactly) {
    TLightStrings list;
    list.SetCommaText("Rock,rock,Rock");
    EXPECT_EQ(list.IndexOf("rock"), 1);
    EXPECT_EQ(list.IndexOf("Rock"), 0);
    EXPECT_EQ(list.IndexOf("ROCK"), -1);
}

TEST(LightStrings, StreamsCarryTheText) {
    TLightStrings list;
    list.SetCommaText("one,two");
    platform::TMemoryStream stream;
    list.SaveToStream(stream);
    EXPECT_EQ(stream.bytes(), "one\r\ntwo\r\n");

    stream.Seek(5);
    TLightStrings rest;
    rest.LoadFromStream(stream);
    EXPECT_EQ(Items(rest), (std::vector<std::string>{"two"}));

    rest.LoadFromStream(stream);  // at the end: cleared, nothing read
    EXPECT_EQ(rest.Count(), 0);
}

using LightStringsFiles = testing::ContractTest;

TEST_F(LightStringsFiles, LoadsCrLfAndLfLines) {
    platform::WriteWholeFile(os().files, PathOf("crlf.m3u"), "C:\\a.mp3\r\nC:\\ソ表.mp3\r\n\r\nlast");
    platform::WriteWholeFile(os().files, PathOf("lf.m3u"), "one\ntwo\n");
    TLightStrings list;
    list.LoadFromFile(os().files, PathOf("crlf.m3u"));
    EXPECT_EQ(Items(list), (std::vector<std::string>{"C:\\a.mp3", "C:\\ソ表.mp3", "", "last"}));
    EXPECT_EQ(list.Capacity(), list.Count());
    list.LoadFromFile(os().files, PathOf("lf.m3u"));
    EXPECT_EQ(Items(list), (std::vector<std::string>{"one", "two"}));
}

TEST_F(LightStringsFiles, OneLineReadsAsTheWholeListGivesIt) {
    const std::string content = "first\r\n\nthird\r\nC:\\ソ表.mp3";
    platform::WriteWholeFile(os().files, PathOf("list.m3u"), content);
    TLightStrings whole;
    whole.LoadFromFile(os().files, PathOf("list.m3u"));
    ASSERT_EQ(whole.Count(), 4);
    for (int32_t i = 0; i < whole.Count(); ++i) {
        EXPECT_EQ(TLightStrings::LoadLine(os().files, PathOf("list.m3u"), i), whole.Get(i)) << i;
    }
    ExpectRangeError([&] { TLightStrings::LoadLine(os().files, PathOf("list.m3u"), 4); });

    // A final line end makes no empty last line; a line may be longer than a read block.
    const std::string longLine(10000, 'x');
    platform::WriteWholeFile(os().files, PathOf("ended.m3u"), "a\n" + longLine + "\r\nb\n");
    EXPECT_EQ(TLightStrings::LoadLine(os().files, PathOf("ended.m3u"), 1), longLine);
    EXPECT_EQ(TLightStrings::LoadLine(os().files, PathOf("ended.m3u"), 2), "b");
    ExpectRangeError([&] { TLightStrings::LoadLine(os().files, PathOf("ended.m3u"), 3); });
    platform::WriteWholeFile(os().files, PathOf("empty.m3u"), "");
    ExpectRangeError([&] { TLightStrings::LoadLine(os().files, PathOf("empty.m3u"), 0); });
    ExpectRangeError([&] { TLightStrings::LoadLine(os().files, PathOf("list.m3u"), -1); });
    EXPECT_THROW(TLightStrings::LoadLine(os().files, PathOf("missing.m3u"), 0), EInOutError);
}

TEST_F(LightStringsFiles, AnEmptyFileGivesAnEmptyList) {
    platform::WriteWholeFile(os().files, PathOf("empty.txt"), "");
    TLightStrings list;
    list.Add("stale");
    list.LoadFromFile(os().files, PathOf("empty.txt"));
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);
}

TEST_F(LightStringsFiles, AMissingFileRaisesAfterClearing) {
    TLightStrings list;
    list.Add("stale");
    EXPECT_THROW(list.LoadFromFile(os().files, PathOf("missing.pl")), EInOutError);
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(LightStringsFiles, SavesLinesThatLoadBackTheSame) {
    TLightStrings list;
    list.SetCommaText("\"C:\\My Music\\a.mp3\",C:\\表.rmp");
    list.SaveToFile(os().files, PathOf("WINAMP.PL"));
    EXPECT_EQ(platform::ReadWholeFile(os().files, PathOf("WINAMP.PL")), "C:\\My Music\\a.mp3\r\nC:\\表.rmp\r\n");
    TLightStrings back;
    back.LoadFromFile(os().files, PathOf("WINAMP.PL"));
    EXPECT_EQ(Items(back), Items(list));
}

}  // namespace
}  // namespace sorabell::tags
