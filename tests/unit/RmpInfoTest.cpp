#include <gtest/gtest.h>

#include "platform/Errors.h"
#include "platform/MemoryFile.h"
#include "support/TagFixtures.h"
#include "tags/Id3v1.h"
#include "tags/RmpInfo.h"

namespace sorabell::tags {
namespace {

using platform::MemoryFile;
using namespace sorabell::testing;

TRMPInfo SampleInfo() {
    TRMPInfo info;
    info.Artist = "アーティスト";
    info.Title = "ABC";
    info.Album = "Album";
    info.Release = "1999/05/01";
    info.Comment = "";
    info.Genre = "rock";
    info.Copyright = "(C) ソ表";
    info.Engineer = "eng";
    info.Source = "CD";
    info.Software = "Quillmere RMP3&ID3 Editor Ver0.92";
    return info;
}

TRMPInfo Reread(MemoryFile& file) {
    TRMPInfo info;
    EXPECT_TRUE(ReadRMPInfo(file, info));
    return info;
}

// The "data" chunk's bytes as the file holds them now.
std::string AudioOf(const std::string& file) {
    const size_t at = FindId(file, "data");
    return file.substr(at + 8, ReadLe32(file, at + 4));
}

TEST(RmpInfoLayout, EachTextIsItsBytesAndAZeroPaddedToEven) {
    TRMPInfo info;
    info.Title = "ABC";
    const std::string list = RenderInfoList(info, false);
    const size_t inam = FindId(list, "INAM");
    ASSERT_NE(inam, std::string::npos);
    EXPECT_EQ(list.substr(inam, 12), std::string("INAM\x04\0\0\0ABC\0", 12));
    const size_t icmt = FindId(list, "ICMT");
    EXPECT_EQ(list.substr(icmt, 10), std::string("ICMT\x01\0\0\0\0\0", 10));  // size 1, zero, pad
}

TEST(RmpInfoLayout, SubchunksComeInTheirFixedOrderWithTheTitleTwice) {
    const std::string list = RenderInfoList(SampleInfo(), true);
    EXPECT_EQ(list.substr(0, 4), "LIST");
    EXPECT_EQ(ReadLe32(list, 4), list.size() - 8);
    EXPECT_EQ(list.substr(8, 4), "INFO");
    std::vector<std::string> ids;
    for (size_t at = 12; at + 8 <= list.size();) {
        ids.push_back(list.substr(at, 4));
        const uint32_t size = ReadLe32(list, at + 4);
        at += 8 + size + (size & 1u);
    }
    EXPECT_EQ(ids, (std::vector<std::string>{"ISFT", "INAM", "IART", "IPRD", "ICMT", "IGNR", "ICRD", "ICOP", "INAM",
                                             "IENG", "ISRC", "IID3"}));
    // The slot is the last 128 bytes: a tag that begins with "TAG".
    EXPECT_EQ(list.substr(list.size() - 136, 8), std::string("IID3\x80\0\0\0", 8));
    EXPECT_EQ(list.substr(list.size() - 128), "TAG" + std::string(125, '\0'));
}

TEST(RmpInfoReading, FindsTheFieldsAndLetsALaterSubchunkWin) {
    MemoryFile file(RmpFile(
        MpegPayload(1001),
        {InfoList({TextChunk("INAM", "first"), TextChunk("IART", "artist  \r\n"), TextChunk("ISFT", "  soft"),
                   Chunk("IXYZ", "skip"), Chunk("IID3", Id3Block("tag title")), TextChunk("INAM", "second")})}));
    const TRMPInfo info = Reread(file);
    EXPECT_EQ(info.Title, "second");
    EXPECT_EQ(info.Artist, "artist");
    EXPECT_EQ(info.Software, "  soft");
    EXPECT_EQ(info.Album, "");
}

TEST(RmpInfoReading, ATextEndsAtItsFirstZeroByteOrItsChunk) {
    MemoryFile file(
        RmpFile(MpegPayload(10), {InfoList({Chunk("INAM", std::string("ab\0cd", 5)), Chunk("IART", "xyz")})}));
    const TRMPInfo info = Reread(file);
    EXPECT_EQ(info.Title, "ab");
    EXPECT_EQ(info.Artist, "xyz");
}

TEST(RmpInfoReading, FilesWithoutAnInfoListHaveNone) {
    TRMPInfo info;
    info.Title = "stale";
    MemoryFile plainMp3(MpegPayload(3000) + Id3Block("t"));
    EXPECT_FALSE(ReadRMPInfo(plainMp3, info));
    EXPECT_EQ(info, TRMPInfo{});

    MemoryFile wave("RIFF" + Le32(12) + "WAVE" + Chunk("data", "abcd"));
    EXPECT_FALSE(ReadRMPInfo(wave, info));
    MemoryFile noList(RmpFile(MpegPayload(50), {Chunk("LIST", "adtlxxxx")}));
    EXPECT_FALSE(ReadRMPInfo(noList, info));
    MemoryFile empty("");
    EXPECT_FALSE(ReadRMPInfo(empty, info));

    MemoryFile emptyList(RmpFile(MpegPayload(50), {InfoList({})}));
    EXPECT_TRUE(ReadRMPInfo(emptyList, info));
    EXPECT_EQ(info, TRMPInfo{});
}

TEST(RmpInfoReading, TheFormIsSoughtOnlyThroughChunks) {
    // Bytes that are no chunk end the search at once, however many zeros follow.
    class CountingFile : public MemoryFile {
    public:
        using MemoryFile::MemoryFile;
        size_t ReadAt(uint64_t offset, void* buffer, size_t count) override {
            ++reads;
            return MemoryFile::ReadAt(offset, buffer, count);
        }
        int reads = 0;
    };
    const std::string form = RmpFile(MpegPayload(50), {InfoList({TextChunk("INAM", "x")})});
    TRMPInfo info;
    CountingFile zeros(std::string(64 * 1024, '\0') + form);
    EXPECT_FALSE(ReadRMPInfo(zeros, info));
    EXPECT_LE(zeros.reads, 2);
    CountingFile afterJunk(Chunk("JUNK", std::string(20, '\0')) + form);
    EXPECT_TRUE(ReadRMPInfo(afterJunk, info));
    EXPECT_EQ(info.Title, "x");
}

TEST(RmpInfoReading, AnInfoListAfterOtherListsIsFound) {
    MemoryFile file(
        RmpFile(MpegPayload(50), {Chunk("LIST", "adtl"), Chunk("junk", "x"), InfoList({TextChunk("IPRD", "album")})}));
    EXPECT_EQ(Reread(file).Album, "album");
}

TEST(RmpInfoReading, SizesThatRunPastTheirParentEndTheWalk) {
    // A subchunk claiming more than its list holds.
    std::string list = InfoList({TextChunk("IART", "kept"), TextChunk("INAM", "cut")});
    const size_t inam = FindId(list, "INAM");
    list.replace(inam + 4, 4, Le32(0x7FFFFFF0));
    MemoryFile file(RmpFile(MpegPayload(20), {list}));
    const TRMPInfo info = Reread(file);
    EXPECT_EQ(info.Artist, "kept");
    EXPECT_EQ(info.Title, "");

    // A RIFF size far beyond the file, and an audio chunk that claims the whole of it.
    std::string huge = RmpFile(MpegPayload(20), {InfoList({TextChunk("INAM", "x")})});
    huge.replace(4, 4, Le32(0xFFFFFFF0));
    huge.replace(FindId(huge, "data") + 4, 4, Le32(0xFFFFFF00));
    MemoryFile broken(huge);
    TRMPInfo none;
    EXPECT_FALSE(ReadRMPInfo(broken, none));
}

TEST(RmpInfoWriting, ReplacesEverythingAfterTheAudioWithOneInfoList) {
    const std::string audio = MpegPayload(4001);
    const std::string original =
        RmpFile(audio, {InfoList({TextChunk("INAM", "old title")}), Chunk("junk", "zz")}) + Id3Block("appended");
    MemoryFile file(original);
    ASSERT_EQ(WriteInfoList(file, SampleInfo(), true), InfoWrite::Written);
    const std::string& bytes = file.bytes();
    EXPECT_EQ(CountOf(bytes, "INFO"), 1u);
    EXPECT_EQ(CountOf(bytes, "old title"), 0u);
    EXPECT_EQ(CountOf(bytes, "appended"), 0u);
    EXPECT_EQ(CountOf(bytes, "junk"), 0u);
    EXPECT_EQ(ReadLe32(bytes, 4), bytes.size() - 8);
    EXPECT_EQ(AudioOf(bytes), audio);
    EXPECT_EQ(bytes.substr(bytes.size() - 128), "TAG" + std::string(125, '\0'));
    EXPECT_EQ(Reread(file), SampleInfo());
}

TEST(RmpInfoWriting, ChunksOfTheFormAfterTheAudioStayInTheirOrderBeforeTheNewList) {
    const std::string lyrics = Chunk("ILYC", "[00:01]歌詞");
    const std::string odd = Chunk("DISP", "odd");
    const std::string adtl = Chunk("LIST", "adtl" + Chunk("labl", "x"));
    for (const bool slot : {true, false}) {
        MemoryFile file(RmpFile(MpegPayload(3001),
                                {lyrics, InfoList({TextChunk("INAM", "old")}), odd, Chunk("JUNK", "room"), adtl}) +
                        Id3Block("appended"));
        ASSERT_EQ(WriteInfoList(file, SampleInfo(), slot), InfoWrite::Written);
        EXPECT_EQ(file.bytes().substr(20 + 3002), lyrics + odd + adtl + RenderInfoList(SampleInfo(), slot));
        EXPECT_EQ(ReadLe32(file.bytes(), 4), file.bytes().size() - 8);
    }
}

TEST(RmpInfoWriting, AFailedWriteGivesTheForeignChunksBack) {
    // The new list does not fit, once after the chunks moved up over the old list, once in place.
    const std::string lyrics = Chunk("ILYC", std::string(99, 'l'));
    const std::string old = InfoList({TextChunk("INAM", "old")});
    for (const std::string& original :
         {RmpFile(MpegPayload(2000), {old, lyrics}) + Id3Block("t"), RmpFile(MpegPayload(2000), {lyrics, old})}) {
        MemoryFile file(original);
        file.set_sizeLimit(original.size() + 40);
        TRMPInfo info = SampleInfo();
        info.Comment = std::string(500, 'c');
        EXPECT_THROW(WriteInfoList(file, info, true), EInOutError);
        EXPECT_EQ(file.bytes(), original);
    }
}

TEST(RmpInfoWriting, InfoListsBeforeTheAudioBecomePaddingSoTheNewOneIsRead) {
    const std::string audio = MpegPayload(500);
    const std::string body = "RMP3" + InfoList({TextChunk("INAM", "first")}) + Chunk("fmt ", "x") +
                             InfoList({TextChunk("INAM", "second")}) + Chunk("data", audio);
    MemoryFile file("RIFF" + Le32(static_cast<uint32_t>(body.size())) + body);
    ASSERT_EQ(WriteInfoList(file, SampleInfo(), true), InfoWrite::Written);
    const std::string& bytes = file.bytes();
    EXPECT_EQ(Reread(file), SampleInfo());
    EXPECT_EQ(CountOf(bytes, "LIST"), 1u);
    EXPECT_EQ(CountOf(bytes, "JUNK"), 2u);
    EXPECT_EQ(AudioOf(bytes), audio);
    EXPECT_EQ(ReadLe32(bytes, 4), bytes.size() - 8);
}

TEST(RmpInfoWriting, WithoutTheSlotTheFileLosesItsTag) {
    MemoryFile file(RmpFile(MpegPayload(100)) + Id3Block("old tag"));
    ASSERT_EQ(WriteInfoList(file, SampleInfo(), false), InfoWrite::Written);
    EXPECT_NE(file.bytes().substr(file.bytes().size() - 128, 3), "TAG");
    EXPECT_EQ(CountOf(file.bytes(), "TAG"), 0u);
    EXPECT_EQ(ReadLe32(file.bytes(), 4), file.bytes().size() - 8);
}

TEST(RmpInfoWriting, RewritingKeepsTheSizesRight) {
    MemoryFile file(RmpFile(MpegPayload(777)));
    TRMPInfo info = SampleInfo();
    for (int i = 0; i < 4; ++i) {
        info.Title.append(static_cast<size_t>(i * 7 + 1), 'x');
        ASSERT_EQ(WriteInfoList(file, info, i % 2 == 0), InfoWrite::Written);
        EXPECT_EQ(ReadLe32(file.bytes(), 4), file.bytes().size() - 8);
        EXPECT_EQ(Reread(file).Title, info.Title);
        EXPECT_EQ(CountOf(file.bytes(), "LIST"), 1u);
    }
}

TEST(RmpInfoWriting, AFileThatIsNoRmpFileStaysAsItWas) {
    const std::string mp3 = MpegPayload(500) + Id3Block("t");
    MemoryFile plain(mp3);
    EXPECT_EQ(WriteInfoList(plain, SampleInfo(), true), InfoWrite::NotRmp);
    EXPECT_EQ(plain.bytes(), mp3);

    // An RMP form without audio: nothing may be cut.
    const std::string noData = "RIFF" + Le32(4 + 16) + "RMP3" + InfoList({TextChunk("INAM", "t")}).substr(0, 16);
    MemoryFile silent(noData);
    EXPECT_EQ(WriteInfoList(silent, SampleInfo(), true), InfoWrite::NotRmp);
    EXPECT_EQ(silent.bytes(), noData);
}

TEST(RmpInfoWriting, AudioThatRunsPastTheFileIsKeptWholeAndItsSizeMended) {
    const std::string audio = MpegPayload(3000);
    std::string truncated = "RIFF" + Le32(1000000) + "RMP3" + "data" + Le32(999000) + audio;
    MemoryFile file(truncated);
    ASSERT_EQ(WriteInfoList(file, SampleInfo(), true), InfoWrite::Written);
    const std::string& bytes = file.bytes();
    EXPECT_EQ(bytes.substr(20, audio.size()), audio);
    EXPECT_EQ(ReadLe32(bytes, 16), audio.size());
    EXPECT_EQ(ReadLe32(bytes, 4), bytes.size() - 8);
    EXPECT_EQ(Reread(file), SampleInfo());
}

TEST(RmpInfoWriting, OddAudioWithoutItsPadByteGetsOne) {
    const std::string audio = MpegPayload(101);
    MemoryFile file("RIFF" + Le32(4 + 8 + 101) + "RMP3" + "data" + Le32(101) + audio);
    ASSERT_EQ(WriteInfoList(file, SampleInfo(), false), InfoWrite::Written);
    EXPECT_EQ(file.bytes().substr(20 + 101, 5), std::string("\0LIST", 5));
    EXPECT_EQ(ReadLe32(file.bytes(), 4), file.bytes().size() - 8);
    EXPECT_EQ(Reread(file), SampleInfo());
}

TEST(RmpInfoWriting, AWriteThatFailsMidwayLeavesTheFileAsItWas) {
    const std::string audio = MpegPayload(2000);
    const std::string original = RmpFile(audio, {InfoList({TextChunk("INAM", "old")})}) + Id3Block("old tag");
    MemoryFile file(original);
    file.set_sizeLimit(original.size() + 40);
    TRMPInfo info = SampleInfo();
    info.Comment = std::string(500, 'c');
    EXPECT_THROW(WriteInfoList(file, info, true), EInOutError);
    EXPECT_EQ(file.bytes(), original);
    EXPECT_EQ(Reread(file).Title, "old");
}

TEST(RmpInfoWriting, AFailureWhileHidingEarlyInfoListsLeavesTheFileAsItWas) {
    // The second early list cannot be renamed: the first must be a list again.
    class RefusesSecondRename : public MemoryFile {
    public:
        using MemoryFile::MemoryFile;
        void WriteAt(uint64_t offset, const void* data, size_t count) override {
            if (count == 4 && std::string_view(static_cast<const char*>(data), 4) == "JUNK" && ++renames_ == 2) {
                throw EInOutError(EInOutError::Operation::Write, "memory", 112);
            }
            MemoryFile::WriteAt(offset, data, count);
        }

    private:
        int renames_ = 0;
    };
    const std::string body = "RMP3" + InfoList({TextChunk("INAM", "first")}) + Chunk("fmt ", "x") +
                             InfoList({TextChunk("INAM", "second")}) + Chunk("data", MpegPayload(500));
    const std::string original = "RIFF" + Le32(static_cast<uint32_t>(body.size())) + body;
    RefusesSecondRename file(original);
    EXPECT_THROW(WriteInfoList(file, SampleInfo(), true), EInOutError);
    EXPECT_EQ(file.bytes(), original);
    EXPECT_EQ(Reread(file).Title, "first");
}

TEST(RmpInfoWriting, ATagGivenForTheSlotIsWrittenWithTheListOrNotAtAll) {
    TID3Tag tag;
    SetField(tag.Title, "new tag");
    tag.Genre = 17;
    const std::string original =
        RmpFile(MpegPayload(2000), {InfoList({TextChunk("INAM", "old")})}) + Id3Block("old tag");

    MemoryFile file(original);
    ASSERT_EQ(WriteInfoList(file, SampleInfo(), &tag), InfoWrite::Written);
    TID3Tag back;
    ASSERT_TRUE(ReadID3Tag(file, back));
    EXPECT_EQ(back, tag);
    EXPECT_EQ(Reread(file), SampleInfo());

    MemoryFile full(original);
    full.set_sizeLimit(original.size() + 40);
    TRMPInfo big = SampleInfo();
    big.Comment = std::string(500, 'c');
    EXPECT_THROW(WriteInfoList(full, big, &tag), EInOutError);
    EXPECT_EQ(full.bytes(), original) << "the old tag stays when the new list does not fit";
}

}  // namespace
}  // namespace sorabell::tags
