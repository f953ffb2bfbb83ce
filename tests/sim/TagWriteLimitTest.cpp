#include <gtest/gtest.h>

#include "platform/Errors.h"
#include "platform/sim/SimMachine.h"
#include "sim/FileSizeLimit.h"
#include "sim/TempFolder.h"
#include "support/TagFixtures.h"
#include "tags/RmpInfo.h"

namespace sorabell::tags {
namespace {

using namespace sorabell::testing;

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
