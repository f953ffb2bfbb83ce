// sorabell-tag.exe as shipped: its command line and its output are in the ANSI code page.

#include <gtest/gtest.h>

#include "contract/ContractEnvironment.h"
#include "support/TagFixtures.h"
#include "tags/RmpInfo.h"
#include "win32/Win32Helpers.h"

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

}  // namespace
}  // namespace sorabell::testing
