// The tag tool's commands run in-process on generated files of the backend under test. File
// arguments are names in the test's folder, so the output shows them as typed.

#include <gtest/gtest.h>

#include "contract/ContractEnvironment.h"
#include "platform/Errors.h"
#include "sorabell-tag/TagTool.h"
#include "support/Id3v2Builder.h"
#include "support/TagFixtures.h"
#include "tags/Id3v1.h"
#include "tags/RmpInfo.h"

namespace sorabell::testing {
namespace {

using tags::FieldText;
using tags::TID3Tag;
using tags::TRMPInfo;
using tagtool::RunTagTool;

struct Outcome {
    int code = -1;
    std::string out;
    std::string err;
};

// An RMP file with a full INFO list whose last subchunk is the file's ID3v1 tag.
std::string TaggedRmp() {
    return RmpFile(
        MpegPayload(601),
        {InfoList({TextChunk("ISFT", "soft"), TextChunk("INAM", "春の歌"), TextChunk("IART", "歌手"),
                   TextChunk("IPRD", "アルバム"), TextChunk("ICMT", "comment"), TextChunk("IGNR", "J-Pop"),
                   TextChunk("ICRD", "2001/02/03"), TextChunk("ICOP", "(C) 2001"), TextChunk("INAM", "春の歌"),
                   TextChunk("IENG", "eng"), TextChunk("ISRC", "CD"),
                   Chunk("IID3", Id3Block("tag title", "tag artist", "tag album", "1999", "tag comment", 17))})});
}

class TagTool : public ContractTest {
protected:
    Outcome Run(const std::vector<std::string>& args) {
        Outcome outcome;
        tagtool::ToolIo io;
        io.out = [&](std::string_view text) { outcome.out += text; };
        io.err = [&](std::string_view text) { outcome.err += text; };
        io.systemPath = [this](const std::string& arg) { return PathOf(arg); };
        outcome.code = RunTagTool(os().files, os().codePage, args, io);
        return outcome;
    }
    void Put(const std::string& name, const std::string& bytes) {
        platform::WriteWholeFile(os().files, PathOf(name), bytes);
    }
    std::string Bytes(const std::string& name) { return platform::ReadWholeFile(os().files, PathOf(name)); }
    TRMPInfo InfoOf(const std::string& name) {
        TRMPInfo info;
        EXPECT_TRUE(tags::ReadRMPInfo(os().files, PathOf(name), info)) << name << " has no INFO list";
        return info;
    }
    bool HasTag(const std::string& name) {
        TID3Tag tag;
        return tags::ReadID3Tag(os().files, PathOf(name), tag);
    }
    TID3Tag TagOf(const std::string& name) {
        TID3Tag tag;
        EXPECT_TRUE(tags::ReadID3Tag(os().files, PathOf(name), tag)) << name << " has no tag";
        return tag;
    }
    // The file still holds its audio once and is a well-formed form with one INFO list.
    void ExpectWellFormed(const std::string& name) {
        const std::string bytes = Bytes(name);
        EXPECT_EQ(ReadLe32(bytes, 4), bytes.size() - 8);
        EXPECT_EQ(CountOf(bytes, "INFO"), 1u);
        EXPECT_EQ(bytes.substr(20, 601), MpegPayload(601));
    }
};

TEST_F(TagTool, ShowListsTheInfoFieldsInRecordOrderThenTheTag) {
    Put("song.rmp", TaggedRmp());
    const Outcome result = Run({"show", "song.rmp"});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out,
              "file: song.rmp\n"
              "info: yes\n"
              "IART: 歌手\n"
              "INAM: 春の歌\n"
              "IPRD: アルバム\n"
              "ICRD: 2001/02/03\n"
              "ICMT: comment\n"
              "IGNR: J-Pop\n"
              "ICOP: (C) 2001\n"
              "IENG: eng\n"
              "ISRC: CD\n"
              "ISFT: soft\n"
              "id3: yes\n"
              "title: tag title\n"
              "artist: tag artist\n"
              "album: tag album\n"
              "year: 1999\n"
              "comment: tag comment\n"
              "genre: 17 (Rock)\n"
              "id3v2: no\n");
}

TEST_F(TagTool, ShowSaysWhichRecordsAFileLacksAndKeepsEachFieldOnOneLine) {
    Put("plain.mp3", MpegPayload(900) + Id3Block("line\none", "", "", "", "", 255));
    Put("-bare.mp3", MpegPayload(50));
    const Outcome result = Run({"show", "plain.mp3", "--", "-bare.mp3"});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.out,
              "file: plain.mp3\n"
              "info: no\n"
              "id3: yes\n"
              "title: line\\x0Aone\n"
              "artist: \n"
              "album: \n"
              "year: \n"
              "comment: \n"
              "genre: 255 (Anime)\n"
              "id3v2: no\n"
              "\n"
              "file: -bare.mp3\n"
              "info: no\n"
              "id3: no\n"
              "id3v2: no\n");
}

TEST_F(TagTool, AWriteKeepsTheFilesOtherChunksAndShowListsThemWithTheirSizes) {
    const std::string lyrics = Chunk("ILYC", "[00:01]歌詞");
    const std::string disp = Chunk("DISP", "abc");
    Put("a.rmp", RmpFile(MpegPayload(601), {lyrics, disp, Chunk("LIST", "adtlxxxx")}));
    ASSERT_EQ(Run({"write", "a.rmp", "--mode", "2", "--title", "T1"}).code, 0);
    ExpectWellFormed("a.rmp");
    EXPECT_EQ(Bytes("a.rmp").substr(20 + 601 + 1, lyrics.size() + disp.size()), lyrics + disp);
    const Outcome shown = Run({"show", "a.rmp"});
    EXPECT_NE(shown.out.find("ISFT: \n"
                             "chunk: ILYC 11\n"
                             "chunk: DISP 3\n"
                             "chunk: LIST adtl 8\n"
                             "id3: no\n"),
              std::string::npos)
        << shown.out;
}

TEST_F(TagTool, AFileThatCannotBeReadIsNamedAndTheOthersAreStillShown) {
    Put("a.mp3", MpegPayload(200) + Id3Block("first"));
    Put("b.mp3", MpegPayload(200) + Id3Block("second"));
    const Outcome result = Run({"show", "a.mp3", "missing.mp3", "b.mp3"});
    EXPECT_EQ(result.code, 1);
    EXPECT_NE(result.out.find("title: first\n"), std::string::npos);
    EXPECT_NE(result.out.find("title: second\n"), std::string::npos);
    EXPECT_EQ(result.out.find("missing"), std::string::npos);
    EXPECT_EQ(result.err.find("sorabell-tag: missing.mp3: "), 0u) << result.err;
}

TEST_F(TagTool, ModeZeroWritesTheGivenFieldsAndATagMadeFromTheInfoList) {
    Put("song.rmp", TaggedRmp());
    const Outcome result =
        Run({"write", "song.rmp", "--title", "新しい題", "--genre", "rock", "--copyright", "(C) 2024"});
    ASSERT_EQ(result.code, 0) << result.err;
    const TRMPInfo info = InfoOf("song.rmp");
    EXPECT_EQ(info.Title, "新しい題");
    EXPECT_EQ(info.Genre, "rock");
    EXPECT_EQ(info.Copyright, "(C) 2024");
    EXPECT_EQ(info.Artist, "歌手");
    EXPECT_EQ(info.Software, "soft");
    const TID3Tag tag = TagOf("song.rmp");
    EXPECT_EQ(FieldText(tag.Title), "新しい題");
    EXPECT_EQ(FieldText(tag.Artist), "歌手");
    EXPECT_EQ(FieldText(tag.Year), "2001");
    EXPECT_EQ(FieldText(tag.Comment), "comment");
    EXPECT_EQ(tag.Genre, 17);
    ExpectWellFormed("song.rmp");
}

TEST_F(TagTool, ModeOneSetsBothRecordsAndKeepsWhatWasNotGiven) {
    Put("song.rmp", TaggedRmp());
    ASSERT_EQ(Run({"write", "song.rmp", "--mode", "1", "--artist", "新人", "--release", "1999/05/01", "--genre",
                   "Not A Genre", "--engineer", "me"})
                  .code,
              0);
    TRMPInfo info = InfoOf("song.rmp");
    EXPECT_EQ(info.Artist, "新人");
    EXPECT_EQ(info.Release, "1999/05/01");
    EXPECT_EQ(info.Genre, "Not A Genre");
    EXPECT_EQ(info.Engineer, "me");
    EXPECT_EQ(info.Title, "春の歌");
    TID3Tag tag = TagOf("song.rmp");
    EXPECT_EQ(FieldText(tag.Artist), "新人");
    EXPECT_EQ(FieldText(tag.Year), "1999");
    EXPECT_EQ(tag.Genre, 255) << "a name outside the table";
    EXPECT_EQ(FieldText(tag.Title), "tag title");
    EXPECT_EQ(FieldText(tag.Comment), "tag comment");
    ExpectWellFormed("song.rmp");

    // A number picks the table's entry for both records.
    ASSERT_EQ(Run({"write", "song.rmp", "--mode", "1", "--genre", "145"}).code, 0);
    EXPECT_EQ(InfoOf("song.rmp").Genre, "91");
    EXPECT_EQ(TagOf("song.rmp").Genre, 145);
    ASSERT_EQ(Run({"write", "song.rmp", "--mode", "1", "--genre", "HARD ROCK"}).code, 0);
    EXPECT_EQ(TagOf("song.rmp").Genre, 255) << "names compare whole";
    ASSERT_EQ(Run({"write", "song.rmp", "--mode", "1", "--genre", "hardrock"}).code, 0);
    EXPECT_EQ(TagOf("song.rmp").Genre, 79);
    EXPECT_EQ(InfoOf("song.rmp").Genre, "hardrock");
}

TEST_F(TagTool, ModeTwoDropsTheTagAndModeThreeTouchesOnlyTheTag) {
    Put("info.rmp", TaggedRmp());
    ASSERT_EQ(Run({"write", "info.rmp", "--mode", "2", "--title", "x"}).code, 0);
    EXPECT_EQ(InfoOf("info.rmp").Title, "x");
    EXPECT_FALSE(HasTag("info.rmp"));
    const std::string bytes = Bytes("info.rmp");
    EXPECT_EQ(ReadLe32(bytes, 4), bytes.size() - 8);

    const std::string original = TaggedRmp();
    Put("tag.rmp", original);
    ASSERT_EQ(Run({"write", "tag.rmp", "--mode", "3", "--title", "y", "--copyright", "ignored"}).code, 0);
    EXPECT_EQ(Bytes("tag.rmp").substr(0, original.size() - 128), original.substr(0, original.size() - 128));
    EXPECT_EQ(FieldText(TagOf("tag.rmp").Title), "y");
    EXPECT_EQ(InfoOf("tag.rmp").Copyright, "(C) 2001");
}

TEST_F(TagTool, JapaneseTextIsKeptWholeInTheListAndCutAtAWholeCharacterInTheTag) {
    Put("song.rmp", TaggedRmp());
    std::string sixteen;
    for (int i = 0; i < 16; ++i) {
        sixteen += "あ";  // two bytes each: 32 in all
    }
    ASSERT_EQ(Run({"write", "song.rmp", "--mode", "1", "--title", sixteen, "--artist", "a" + sixteen.substr(2)}).code,
              0);
    EXPECT_EQ(InfoOf("song.rmp").Title, sixteen);
    const TID3Tag tag = TagOf("song.rmp");
    EXPECT_EQ(FieldText(tag.Title), sixteen.substr(0, 30));
    EXPECT_EQ(FieldText(tag.Artist), "a" + sixteen.substr(2, 28)) << "no lone lead byte at the end";
    const Outcome shown = Run({"show", "song.rmp"});
    EXPECT_NE(shown.out.find("INAM: " + sixteen + "\n"), std::string::npos);
    EXPECT_NE(shown.out.find("title: " + sixteen.substr(0, 30) + "\n"), std::string::npos);
}

TEST_F(TagTool, AFileThatIsNoRmpFileTakesOnlyATag) {
    const std::string mp3 = MpegPayload(700) + Id3Block("old");
    Put("plain.mp3", mp3);
    const Outcome refused = Run({"write", "plain.mp3", "--title", "new"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err, std::string("sorabell-tag: plain.mp3: ") + tags::kNotRmpMessage + "\n");
    EXPECT_EQ(Bytes("plain.mp3"), mp3);

    ASSERT_EQ(Run({"write", "plain.mp3", "--mode", "3", "--title", "new"}).code, 0);
    EXPECT_EQ(Bytes("plain.mp3").size(), mp3.size());
    EXPECT_EQ(FieldText(TagOf("plain.mp3").Title), "new");
}

TEST_F(TagTool, ShowListsTheId3v2VersionAndFieldsAndAWriteKeepsTheId3v2TagsBytes) {
    const std::string sylt = std::string("\0eng\x02\x01\0", 7) + "la" + std::string(1, '\0') + BigEndian(500, 4);
    const std::string v2 = Id3v2Bytes(3, Id3v2Frame(3, "TIT2", FrameText(0, "春の歌、長い題名の全部")) +
                                             Id3v2Frame(3, "TCON", FrameText(0, "(17)")) +
                                             Id3v2Frame(3, "USLT", FrameText(0, std::string("eng\0[00:01]la", 13))) +
                                             Id3v2Frame(3, "SYLT", sylt) + std::string(100, '\0'));
    Put("v2.mp3", v2 + MpegPayload(700));
    const Outcome shown = Run({"show", "v2.mp3"});
    EXPECT_EQ(shown.out,
              "file: v2.mp3\n"
              "info: no\n"
              "id3: no\n"
              "id3v2: 2.3\n"
              "title: 春の歌、長い題名の全部\n"
              "artist: \n"
              "album: \n"
              "year: \n"
              "comment: \n"
              "genre: Rock\n"
              "uslt: 9 bytes\n"
              "sylt: 1 texts, milliseconds\n");

    for (const char* title : {"new", "newer"}) {  // the tag appended, then overwritten
        ASSERT_EQ(Run({"write", "v2.mp3", "--mode", "3", "--title", title}).code, 0);
        EXPECT_EQ(Bytes("v2.mp3").substr(0, v2.size() + 700), v2 + MpegPayload(700));
        EXPECT_EQ(FieldText(TagOf("v2.mp3").Title), title);
    }
}

TEST_F(TagTool, AReadOnlyFileFailsAndStaysAsItWas) {
    const std::string original = TaggedRmp();
    Put("locked.rmp", original);
    ASSERT_TRUE(os().files.SetAttributes(PathOf("locked.rmp"), platform::attr::ReadOnly));
    for (const char* mode : {"0", "2", "3"}) {
        const Outcome result = Run({"write", "locked.rmp", "--mode", mode, "--title", "x"});
        EXPECT_EQ(result.code, 1) << "mode " << mode;
        EXPECT_NE(result.err.find(PathOf("locked.rmp")), std::string::npos) << result.err;
        EXPECT_NE(result.err.find("読み込み専用ファイルです"), std::string::npos) << result.err;
        EXPECT_EQ(result.err.find(tags::kNotRmpMessage), std::string::npos) << "it is an RMP file";
    }
    EXPECT_EQ(Bytes("locked.rmp"), original);
    os().files.SetAttributes(PathOf("locked.rmp"), platform::attr::Normal);
}

TEST_F(TagTool, AMissingFileIsNamedAsMissingInEveryMode) {
    for (const char* mode : {"0", "2", "3"}) {
        const Outcome result = Run({"write", "gone.rmp", "--mode", mode, "--title", "x"});
        EXPECT_EQ(result.code, 1) << "mode " << mode;
        EXPECT_NE(result.err.find(PathOf("gone.rmp")), std::string::npos) << result.err;
        EXPECT_NE(result.err.find("ファイルが見つかりません、エラー 2"), std::string::npos) << result.err;
    }
    EXPECT_FALSE(platform::FileExists(os().files, PathOf("gone.rmp")));
}

TEST_F(TagTool, Rmp2Id3MakesTheTagFromTheInfoListOfEachFile) {
    Put("one.rmp", TaggedRmp());
    Put("plain.mp3", MpegPayload(300) + Id3Block("kept"));
    Put("two.rmp", RmpFile(MpegPayload(601), {InfoList({TextChunk("INAM", "二曲目"), TextChunk("IGNR", "Anime")})}));
    const Outcome result = Run({"rmp2id3", "one.rmp", "plain.mp3", "two.rmp"});
    EXPECT_EQ(result.code, 1) << "plain.mp3 has no INFO list";
    EXPECT_NE(result.err.find("plain.mp3"), std::string::npos);
    EXPECT_EQ(FieldText(TagOf("plain.mp3").Title), "kept");

    const TID3Tag one = TagOf("one.rmp");
    EXPECT_EQ(FieldText(one.Title), "春の歌");
    EXPECT_EQ(FieldText(one.Artist), "歌手");
    EXPECT_EQ(FieldText(one.Album), "アルバム");
    EXPECT_EQ(FieldText(one.Year), "2001");
    EXPECT_EQ(FieldText(one.Comment), "comment");
    EXPECT_EQ(one.Genre, 0) << "J-Pop is not in the table";
    EXPECT_EQ(InfoOf("one.rmp").Copyright, "(C) 2001");
    ExpectWellFormed("one.rmp");

    const TID3Tag two = TagOf("two.rmp");
    EXPECT_EQ(FieldText(two.Title), "二曲目");
    EXPECT_EQ(two.Genre, 255);
}

TEST_F(TagTool, Id32RmpFillsTheSixSharedInfoFieldsFromTheTag) {
    Put("song.rmp", TaggedRmp());
    const std::string untagged = RmpFile(MpegPayload(601), {InfoList({TextChunk("INAM", "only info")})});
    Put("untagged.rmp", untagged);
    const Outcome result = Run({"id32rmp", "song.rmp", "untagged.rmp"});
    EXPECT_EQ(result.code, 1);
    EXPECT_NE(result.err.find("untagged.rmp"), std::string::npos);
    EXPECT_EQ(Bytes("untagged.rmp"), untagged);

    const TRMPInfo info = InfoOf("song.rmp");
    EXPECT_EQ(info.Title, "tag title");
    EXPECT_EQ(info.Artist, "tag artist");
    EXPECT_EQ(info.Album, "tag album");
    EXPECT_EQ(info.Release, "1999");
    EXPECT_EQ(info.Comment, "tag comment");
    EXPECT_EQ(info.Genre, "Rock");
    EXPECT_EQ(info.Copyright, "(C) 2001");
    EXPECT_EQ(info.Engineer, "eng");
    EXPECT_EQ(info.Source, "CD");
    EXPECT_EQ(info.Software, "soft");
    EXPECT_EQ(FieldText(TagOf("song.rmp").Title), "tag title");
    ExpectWellFormed("song.rmp");
}

TEST_F(TagTool, WrongUsageShowsTheUsageAndTouchesNoFile) {
    const std::string original = TaggedRmp();
    Put("song.rmp", original);
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"frob", "song.rmp"},
        {"show"},
        {"write"},
        {"write", "song.rmp", "song.rmp"},
        {"write", "song.rmp", "--title"},
        {"write", "song.rmp", "--mode", "4"},
        {"write", "song.rmp", "--mode", "1x"},
        {"write", "song.rmp", "--genre", "256"},
        {"write", "song.rmp", "--bogus", "x"},
        {"show", "--title", "x", "song.rmp"},
    };
    for (const auto& args : wrong) {
        const Outcome result = Run(args);
        const std::string line = args.empty() ? "(nothing)" : args[0] + " ...";
        EXPECT_EQ(result.code, 2) << line;
        EXPECT_EQ(result.out, "") << line;
        EXPECT_NE(result.err.find(tagtool::UsageText()), std::string::npos) << line;
    }
    EXPECT_EQ(Bytes("song.rmp"), original);

    const Outcome help = Run({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_EQ(help.out, tagtool::UsageText());
}

}  // namespace
}  // namespace sorabell::testing
