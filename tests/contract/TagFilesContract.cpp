// The tag operations on real files of the backend: fixtures are copied into the test's folder,
// written, reopened and checked.

#include "contract/ContractEnvironment.h"
#include "platform/Errors.h"
#include "support/TagFixtures.h"
#include "tags/Id3v1.h"
#include "tags/RmpInfo.h"
#include "tags/TagConversion.h"
#include "tags/TagWriter.h"

namespace sorabell::testing {
namespace {

using namespace sorabell::tags;

class TagFiles : public ContractTest {
protected:
    std::string Copy(const std::string& name, const std::string& bytes) {
        platform::WriteWholeFile(os().files, PathOf(name), bytes);
        return PathOf(name);
    }
    std::string Bytes(const std::string& path) { return platform::ReadWholeFile(os().files, path); }
    ShowMessage Recorder() {
        return [this](const std::string& text) { messages.push_back(text); };
    }
    static TRMPInfo Info() {
        TRMPInfo info;
        info.Title = "春の歌";
        info.Artist = "アーティスト";
        info.Genre = "rock";
        info.Release = "2003/04/01";
        info.Comment = "comment";
        info.Software = "soft";
        return info;
    }
    std::vector<std::string> messages;
};

TEST_F(TagFiles, AMissingFileHasNeitherTagNorList) {
    TRMPInfo info;
    TID3Tag tag;
    EXPECT_FALSE(ReadRMPInfo(os().files, PathOf("gone.rmp"), info));
    EXPECT_FALSE(ReadID3Tag(os().files, PathOf("gone.mp3"), tag));
    EXPECT_FALSE(ReadID3Tag(os().files, PathOf("no folder\\gone.mp3"), tag));
}

TEST_F(TagFiles, WrittenFieldsReadBackAfterReopening) {
    const std::string path = Copy("song.rmp", RmpFile(MpegPayload(5000)) + Id3Block("old"));
    TID3Tag tag;
    SetField(tag.Title, "ID3 の題");
    tag.Genre = 8;
    ASSERT_TRUE(WriteTags(os().files, path, WriteMode::RmpInfoAndId3, Info(), tag, Recorder()));
    TRMPInfo info;
    TID3Tag back;
    EXPECT_TRUE(ReadRMPInfo(os().files, path, info));
    EXPECT_TRUE(ReadID3Tag(os().files, path, back));
    EXPECT_EQ(info, Info());
    EXPECT_EQ(back, tag);
    const std::string bytes = Bytes(path);
    EXPECT_EQ(ReadLe32(bytes, 4), bytes.size() - 8);
    EXPECT_TRUE(messages.empty());
}

TEST_F(TagFiles, ModeZeroMakesTheTagFromTheInfoList) {
    const std::string path = Copy("song.rmp", RmpFile(MpegPayload(300)));
    TID3Tag tag;
    SetField(tag.Title, "ignored");
    ASSERT_TRUE(WriteTags(os().files, path, WriteMode::RmpInfoAndId3FromRmp, Info(), tag, Recorder()));
    TRMPInfo info;
    TID3Tag back;
    ReadRMPInfo(os().files, path, info);
    ReadID3Tag(os().files, path, back);
    EXPECT_EQ(info.Genre, "rock");
    EXPECT_EQ(back.Genre, 17);
    EXPECT_EQ(FieldText(back.Year), "2003");
    EXPECT_EQ(back, RMPToID3(Info()));
    EXPECT_EQ(tag, back) << "the caller's record becomes the written tag";
}

TEST_F(TagFiles, ModeTwoLeavesNoTag) {
    const std::string path = Copy("song.rmp", RmpFile(MpegPayload(300)) + Id3Block("old"));
    TID3Tag tag;
    ASSERT_TRUE(WriteTags(os().files, path, WriteMode::RmpInfo, Info(), tag, Recorder()));
    TID3Tag back;
    EXPECT_FALSE(ReadID3Tag(os().files, path, back));
    TRMPInfo info;
    EXPECT_TRUE(ReadRMPInfo(os().files, path, info));
}

TEST_F(TagFiles, ModeThreeTouchesNothingButTheTag) {
    const std::string original = RmpFile(MpegPayload(300), {InfoList({TextChunk("INAM", "kept")})});
    const std::string path = Copy("song.rmp", original);
    TID3Tag tag;
    SetField(tag.Title, "only the tag");
    ASSERT_TRUE(WriteTags(os().files, path, WriteMode::Id3, Info(), tag, Recorder()));
    const std::string bytes = Bytes(path);
    EXPECT_EQ(bytes.substr(0, original.size()), original);
    EXPECT_EQ(bytes.size(), original.size() + 128);
}

TEST_F(TagFiles, APlainMp3RefusesTheInfoListWithTheMessage) {
    const std::string original = MpegPayload(900) + Id3Block("t");
    const std::string path = Copy("plain.mp3", original);
    TID3Tag tag;
    EXPECT_FALSE(WriteTags(os().files, path, WriteMode::RmpInfoAndId3, Info(), tag, Recorder()));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "このファイルは RIFF MP3 ではないので RMP Info の書き込みに失敗しました");
    EXPECT_EQ(Bytes(path), original);
}

TEST_F(TagFiles, AReadOnlyFileIsNeitherCutNorTagged) {
    const std::string original = RmpFile(MpegPayload(900)) + Id3Block("t");
    const std::string path = Copy("locked.rmp", original);
    ASSERT_TRUE(os().files.SetAttributes(path, platform::attr::ReadOnly));
    EXPECT_FALSE(WriteRMPInfo(os().files, path, Info(), true, Recorder()));
    EXPECT_EQ(messages.size(), 1u);
    try {
        WriteID3Tag(os().files, path, TID3Tag{});
        ADD_FAILURE() << "a read-only file took a tag";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.path(), path);
    }
    TID3Tag tag;
    EXPECT_TRUE(ReadID3Tag(os().files, path, tag)) << "reading needs no write access";
    os().files.SetAttributes(path, platform::attr::Normal);
    EXPECT_EQ(Bytes(path), original);
}

}  // namespace
}  // namespace sorabell::testing
