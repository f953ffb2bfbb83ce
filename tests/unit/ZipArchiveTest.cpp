#include <gtest/gtest.h>

#include "platform/MemoryFile.h"
#include "skin/ZipArchive.h"
#include "support/ZipBuilder.h"

namespace sorabell::skin {
namespace {

using testing::Deflated;
using testing::Stored;
using testing::ZipBytes;
using testing::ZipMember;

// Pixels of a kind deflate packs well, so that a deflated member is much smaller than its bytes.
std::string Picture(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i / 97) & 0xFF);
    }
    return bytes;
}

std::optional<std::string> Read(const std::string& archive, std::string_view name) {
    platform::MemoryFile file(archive);
    return ZipArchive(file).Read(name);
}

TEST(ZipArchive, StoredAndDeflatedMembersReadBackWhole) {
    const std::string main = Picture(70000);
    const std::string text = Picture(3000);
    const std::string archive = ZipBytes(
        {Stored("main.bmp", main), Deflated("text.bmp", text), Stored("empty.txt", ""), Deflated("big.bmp", main)},
        "a comment after the directory");
    ASSERT_LT(archive.size(), 2 * main.size()) << "the deflated members are packed";
    platform::MemoryFile file(archive);
    ZipArchive zip(file);
    EXPECT_EQ(zip.Names(), (std::vector<std::string>{"main.bmp", "text.bmp", "empty.txt", "big.bmp"}));
    EXPECT_EQ(zip.Read("main.bmp"), main);
    EXPECT_EQ(zip.Read("text.bmp"), text);
    EXPECT_EQ(zip.Read("empty.txt"), "");
    EXPECT_EQ(zip.Read("big.bmp"), main);
    EXPECT_EQ(zip.Read("numbers.bmp"), std::nullopt);
}

TEST(ZipArchive, NamesMatchWithoutCaseAtTheRootOrInsideOneTopFolder) {
    const std::string inFolder = ZipBytes({Stored("Cool Skin/", ""), Stored("Cool Skin/MAIN.BMP", "folder"),
                                           Stored("Cool Skin/deeper/text.bmp", "too deep")});
    EXPECT_EQ(Read(inFolder, "main.bmp"), "folder");
    EXPECT_EQ(Read(inFolder, "text.bmp"), std::nullopt);
    EXPECT_EQ(Read(inFolder, "MAIN.bmp"), "folder");
    const std::string both = ZipBytes({Stored("Skin/Main.bmp", "folder"), Stored("Main.Bmp", "root")});
    EXPECT_EQ(Read(both, "main.bmp"), "root");
    EXPECT_EQ(Read(both, "ain.bmp"), std::nullopt);
}

TEST(ZipArchive, AMemberWhoseDirectoryLiesReadsAsMissingAndLeavesTheOthersReadable) {
    const std::string picture = Picture(5000);
    const std::vector<ZipMember> lies = {
        Stored("stored-size.bmp", picture).ClaimingSize(4000),
        Stored("stored-packed.bmp", picture).ClaimingSize(4000).ClaimingPackedSize(4000),
        Deflated("short.bmp", picture).ClaimingSize(4999),
        Deflated("long.bmp", picture).ClaimingSize(5001),
        Deflated("packed.bmp", picture).ClaimingPackedSize(20),
        Deflated("huge.bmp", picture).ClaimingSize(0xFFFFFFF0),
        Stored("past.bmp", picture).ClaimingSize(0x7FFFFFFF).ClaimingPackedSize(0x7FFFFFFF),
        Deflated("crc.bmp", picture).ClaimingCrc(0x12345678),
        Stored("offset.bmp", picture).ClaimingOffset(0xFFFFFF00),
        Deflated("good.bmp", picture),
    };
    const std::string archive = ZipBytes(lies);
    platform::MemoryFile file(archive);
    ZipArchive zip(file);
    for (const ZipMember& lie : lies) {
        if (lie.name != "good.bmp") {
            EXPECT_EQ(zip.Read(lie.name), std::nullopt) << lie.name;
        }
    }
    EXPECT_EQ(zip.Read("good.bmp"), picture);
}

TEST(ZipArchive, MembersThatShareTheirBytesOrExceedTheLimitAreRefused) {
    // Two directory entries over one local header, as archives that unpack to far more than
    // they hold are made.
    const std::string shared = ZipBytes({Stored("main.bmp", "pixels"), Stored("main.bmp", "pixels").ClaimingOffset(0)});
    EXPECT_EQ(Read(shared, "main.bmp"), std::nullopt);
    const std::string over = Picture(kMaxZipEntrySize + 1);
    EXPECT_EQ(Read(ZipBytes({Deflated("main.bmp", over)}), "main.bmp"), std::nullopt);
    const std::string limit = Picture(kMaxZipEntrySize);
    EXPECT_EQ(Read(ZipBytes({Deflated("main.bmp", limit)}), "main.bmp"), limit);
}

TEST(ZipArchive, ACutOrForeignFileHasNoMembers) {
    const std::string archive = ZipBytes({Stored("main.bmp", Picture(300))});
    for (size_t cut : {size_t{0}, size_t{10}, archive.size() / 2, archive.size() - 1}) {
        EXPECT_EQ(Read(archive.substr(0, cut), "main.bmp"), std::nullopt) << cut;
    }
    // The directory's members past their data, cut off.
    const std::string cutData = archive.substr(0, 100) + archive.substr(archive.size() - 22 - 46 - 8);
    EXPECT_EQ(Read(cutData, "main.bmp"), std::nullopt);
    EXPECT_EQ(Read(Picture(5000), "main.bmp"), std::nullopt);
}

}  // namespace
}  // namespace sorabell::skin
