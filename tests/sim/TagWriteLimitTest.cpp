#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "platform/Errors.h"
#include "platform/sim/SimMachine.h"
#include "sim/TempFolder.h"
#include "support/TagFixtures.h"
#include "tags/RmpInfo.h"

namespace sorabell::tags {
namespace {

using namespace sorabell::testing;

// Lowers the file size limit of this process for its lifetime, as a nearly full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit lower = old_;
        lower.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &old_); }

private:
    rlimit old_{};
};

TEST(TagWriteLimit, AnInfoListThatDoesNotFitLeavesTheFileAsItWas) {
    TempFolder temp;
    sim::SimMachine machine(temp.path());
    const std::string audio = MpegPayload(200001);
    const std::string original = RmpFile(audio, {InfoList({TextChunk("INAM", "old")})});
    platform::WriteWholeFile(machine.files(), "C:\\song.rmp", original);

    TRMPInfo info;
    info.Comment = std::string(4000, 'c');
    {
        FileSizeLimit limit(original.size() + 100);
        EXPECT_THROW(WriteRMPInfo(machine.files(), "C:\\song.rmp", info, true, [](const std::string&) {}), EInOutError);
    }
    EXPECT_EQ(platform::ReadWholeFile(machine.files(), "C:\\song.rmp"), original);

    // With room again the same write succeeds.
    EXPECT_TRUE(WriteRMPInfo(machine.files(), "C:\\song.rmp", info, true, [](const std::string&) {}));
    TRMPInfo back;
    EXPECT_TRUE(ReadRMPInfo(machine.files(), "C:\\song.rmp", back));
    EXPECT_EQ(back.Comment, info.Comment);
}

}  // namespace
}  // namespace sorabell::tags
