// sorabell-tag.exe as shipped: its command line and its output are in the ANSI code page.

#include <gtest/gtest.h>

#include "contract/ContractEnvironment.h"
#include "harness/OwnedProcess.h"
#include "harness/TestFiles.h"
#include "platform/win32/ScopedWin.h"
#include "support/TagFixtures.h"
#include "tags/RmpInfo.h"

namespace sorabell::testing {
namespace {

class TagToolProgram : public ContractTest {
protected:
    void SetUp() override {
        song_ = PathOf("春の歌.rmp");
        platform::WriteWholeFile(os().files, song_, RmpFile(MpegPayload(300), {InfoList({TextChunk("INAM", "題名")})}));
    }

    ProgramRun Run(const std::string& arguments) {
        return RunCapturing("\"" + ProgramFolder() + "sorabell-tag.exe\" " + arguments, PathOf("output.txt"));
    }

    std::string song_;
};

TEST_F(TagToolProgram, ShowsAFileWithAJapaneseNameAndText) {
    const ProgramRun shown = Run("show \"" + song_ + "\"");
    EXPECT_EQ(shown.code, 0) << shown.output;
    EXPECT_NE(shown.output.find("file: " + song_), std::string::npos) << shown.output;
    EXPECT_NE(shown.output.find("INAM: 題名"), std::string::npos) << shown.output;
}

TEST_F(TagToolProgram, WritesTheCommandLinesTextAndTellsFailuresByExitStatus) {
    ASSERT_EQ(Run("write \"" + song_ + "\" --mode 1 --title 新しい題").code, 0);
    tags::TRMPInfo info;
    ASSERT_TRUE(tags::ReadRMPInfo(os().files, song_, info));
    EXPECT_EQ(info.Title, "新しい題");

    const ProgramRun missing = Run("show \"" + PathOf("missing.mp3") + "\" \"" + song_ + "\"");
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.output.find("missing.mp3"), std::string::npos);
    EXPECT_NE(missing.output.find("INAM: 新しい題"), std::string::npos);
    EXPECT_EQ(Run("frob").code, 2);
}

TEST_F(TagToolProgram, AFileHeldByAnotherProgramIsNamedAsInUse) {
    const std::string before = platform::ReadWholeFile(os().files, song_);
    {
        // As Winamp holds the song it plays: readers may share it, a writer may not.
        win32::ScopedFile held(::CreateFileA(song_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held);
        for (const char* mode : {"2", "3"}) {
            const ProgramRun refused = Run("write \"" + song_ + "\" --mode " + mode + " --title x");
            EXPECT_EQ(refused.code, 1) << "mode " << mode;
            EXPECT_NE(refused.output.find("別のプログラムがこのファイルを使用中です、エラー 32"), std::string::npos)
                << refused.output;
            EXPECT_NE(refused.output.find(song_), std::string::npos) << refused.output;
            EXPECT_EQ(refused.output.find(tags::kNotRmpMessage), std::string::npos) << refused.output;
        }
    }
    EXPECT_EQ(platform::ReadWholeFile(os().files, song_), before);
}

}  // namespace
}  // namespace sorabell::testing
