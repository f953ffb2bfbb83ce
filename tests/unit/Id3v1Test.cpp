#include <gtest/gtest.h>

#include "platform/MemoryFile.h"
#include "support/TagFixtures.h"
#include "tags/Id3v1.h"
#include "tags/RmpInfo.h"
#include "tags/TagConversion.h"

namespace sorabell::tags {
namespace {

using platform::MemoryFile;
using namespace sorabell::testing;

TEST(Id3Reading, TakesTheLast128BytesWhenTheyBeginWithTag) {
    const std::string title30 = "123456789012345678901234567890";
    MemoryFile file(MpegPayload(999) + Id3Block(title30, "Artist", "Album", "1999", "Comment", 17));
    TID3Tag tag;
    ASSERT_TRUE(ReadID3Tag(file, tag));
    EXPECT_EQ(FieldText(tag.Title), title30);  // a full field has no zero byte
    EXPECT_EQ(FieldText(tag.Artist), "Artist");
    EXPECT_EQ(FieldText(tag.Year), "1999");
    EXPECT_EQ(FieldText(tag.Comment), "Comment");
    EXPECT_EQ(tag.Genre, 17);
}

TEST(Id3Reading, NoTagMeansAnEmptyRecord) {
    TID3Tag tag;
    tag.Genre = 9;
    MemoryFile untagged(MpegPayload(500));
    EXPECT_FALSE(ReadID3Tag(untagged, tag));
    EXPECT_EQ(tag, TID3Tag{});
    MemoryFile shortFile("TAG" + std::string(100, 'x'));  // shorter than a tag
    EXPECT_FALSE(ReadID3Tag(shortFile, tag));
    MemoryFile nothing("");
    EXPECT_FALSE(ReadID3Tag(nothing, tag));
}

TEST(Id3Writing, OverwritesATagInPlaceOrAppendsOne) {
    TID3Tag tag;
    SetField(tag.Title, "New");
    tag.Genre = 255;

    MemoryFile tagged(MpegPayload(700) + Id3Block("Old"));
    const size_t before = tagged.bytes().size();
    WriteID3Tag(tagged, tag);
    EXPECT_EQ(tagged.bytes().size(), before);
    EXPECT_EQ(tagged.bytes().substr(before - 128), RenderId3Tag(tag));

    MemoryFile untagged(MpegPayload(700));
    WriteID3Tag(untagged, tag);
    EXPECT_EQ(untagged.bytes().size(), 700u + 128u);
    EXPECT_EQ(untagged.bytes().substr(0, 700), MpegPayload(700));

    MemoryFile tiny("abc");
    WriteID3Tag(tiny, tag);
    EXPECT_EQ(tiny.bytes(), "abc" + RenderId3Tag(tag));
    TID3Tag back;
    EXPECT_TRUE(ReadID3Tag(tiny, back));
    EXPECT_EQ(back, tag);
}

TEST(Id3Writing, FillsTheInfoListsSlotSoBothReadBack) {
    TRMPInfo info;
    info.Title = "Title";
    MemoryFile file(RmpFile(MpegPayload(321)));
    ASSERT_EQ(WriteInfoList(file, info, true), InfoWrite::Written);
    const size_t size = file.bytes().size();
    TID3Tag tag;
    SetField(tag.Title, "タイトル");
    tag.Genre = 12;
    WriteID3Tag(file, tag);
    EXPECT_EQ(file.bytes().size(), size);
    EXPECT_EQ(ReadLe32(file.bytes(), 4), size - 8);
    TRMPInfo infoBack;
    EXPECT_TRUE(ReadRMPInfo(file, infoBack));
    EXPECT_EQ(infoBack.Title, "Title");
    TID3Tag tagBack;
    EXPECT_TRUE(ReadID3Tag(file, tagBack));
    EXPECT_EQ(tagBack, tag);
}

TEST(TagConversion, RmpToId3CutsFieldsAndLooksUpTheGenre) {
    TRMPInfo info;
    info.Title = std::string(40, 't');
    info.Artist = "Artist";
    info.Release = "1999/05/01";
    info.Genre = "rock";
    info.Comment = "c";
    TID3Tag tag = RMPToID3(info);
    EXPECT_EQ(FieldText(tag.Title), std::string(30, 't'));
    EXPECT_EQ(FieldText(tag.Artist), "Artist");
    EXPECT_EQ(FieldText(tag.Year), "1999");
    EXPECT_EQ(tag.Genre, 17);
    EXPECT_EQ(tag.Album, (std::array<char, 30>{}));

    info.Genre = "Unknown Genre";
    EXPECT_EQ(RMPToID3(info).Genre, 0);
    info.Genre = "FA";
    EXPECT_EQ(RMPToID3(info).Genre, 250);
}

TEST(TagConversion, AFieldIsCutAtItsLastWholeCharacter) {
    TRMPInfo info;
    info.Title = std::string(29, 'a') + "曲";  // the double-byte character would need bytes 30 and 31
    info.Release = "a平成";
    const TID3Tag tag = RMPToID3(info);
    EXPECT_EQ(FieldText(tag.Title), std::string(29, 'a'));
    EXPECT_EQ(tag.Title[29], '\0');
    EXPECT_EQ(FieldText(tag.Year), "a平");
}

TEST(TagConversion, Id3ToRmpTakesSixFieldsAsTheyStand) {
    TID3Tag tag;
    SetField(tag.Title, "Title  ");
    SetField(tag.Artist, "Artist");
    SetField(tag.Year, "2001");
    tag.Genre = 255;
    TRMPInfo info;
    info.Copyright = "keep";
    info.Software = "keep too";
    info.Album = "replaced";
    ID3ToRMP(tag, info);
    EXPECT_EQ(info.Title, "Title  ");  // not trimmed
    EXPECT_EQ(info.Artist, "Artist");
    EXPECT_EQ(info.Album, "");
    EXPECT_EQ(info.Release, "2001");
    EXPECT_EQ(info.Genre, "Anime");
    EXPECT_EQ(info.Copyright, "keep");
    EXPECT_EQ(info.Software, "keep too");
}

}  // namespace
}  // namespace sorabell::tags
