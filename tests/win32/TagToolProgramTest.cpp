// sorabell-tag.exe as shipped: its command line and its output are in the ANSI code page.

#include <gtest/gtest.h>

#include "contract/ContractEnvironment.h"
#include "support/TagFixtures.h"
#include "tags/RmpInfo.h"
#include "win32/Win32Helpers.h"

namespace sorabell::testing {
namespace {

struct ToolRun {
    int code = -1;
    std::string output;  // standard output and standard error together
};

class TagToolProgram : public ContractTest {
protected:
    void SetUp() override {
        song_ = PathOf("春の歌.rmp");
        platform::WriteWholeFile(os().files, song_, RmpFile(MpegPayload(300), {InfoList({TextChunk("INAM", "題名")})}));
    }

    ToolRun Run(const std::string& arguments) {
        const std::string capture = PathOf("output.txt");
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE out = ::CreateFileA(capture.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(out, INVALID_HANDLE_VALUE);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = out;
        startup.hStdError = out;
        std::string line = "\"" + ProgramFolder() + "sorabell-tag.exe\" " + arguments;
        PROCESS_INFORMATION process{};
        ToolRun run;
        if (::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
            DWORD code = 0;
            if (::WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0 &&
                ::GetExitCodeProcess(process.hProcess, &code)) {
                run.code = static_cast<int>(code);
            }
            ::CloseHandle(process.hThread);
            ::CloseHandle(process.hProcess);
        }
        ::CloseHandle(out);
        run.output = platform::ReadWholeFile(os().files, capture);
        return run;
    }

    std::string song_;
};

TEST_F(TagToolProgram, ShowsAFileWithAJapaneseNameAndText) {
    const ToolRun shown = Run("show \"" + song_ + "\"");
    EXPECT_EQ(shown.code, 0) << shown.output;
    EXPECT_NE(shown.output.find("file: " + song_), std::string::npos) << shown.output;
    EXPECT_NE(shown.output.find("INAM: 題名"), std::string::npos) << shown.output;
}

TEST_F(TagToolProgram, WritesTheCommandLinesTextAndTellsFailuresByExitStatus) {
    ASSERT_EQ(Run("write \"" + song_ + "\" --mode 1 --title 新しい題").code, 0);
    tags::TRMPInfo info;
    ASSERT_TRUE(tags::ReadRMPInfo(os().files, song_, info));
    EXPECT_EQ(info.Title, "新しい題");

    const ToolRun missing = Run("show \"" + PathOf("missing.mp3") + "\" \"" + song_ + "\"");
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.output.find("missing.mp3"), std::string::npos);
    EXPECT_NE(missing.output.find("INAM: 新しい題"), std::string::npos);
    EXPECT_EQ(Run("frob").code, 2);
}

}  // namespace
}  // namespace sorabell::testing
