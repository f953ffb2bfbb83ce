#include <algorithm>
#include <set>

#include "contract/ContractEnvironment.h"
#include "platform/Errors.h"
#include "platform/Text.h"

namespace sorabell::testing {
namespace {

namespace attr = platform::attr;
using platform::OpenMode;

class FileSystemContract : public ContractTest {
protected:
    void Write(const std::string& name, std::string_view content) {
        platform::WriteWholeFile(os().files, PathOf(name), content);
    }
    std::string Read(const std::string& name) { return platform::ReadWholeFile(os().files, PathOf(name)); }
    // A path by its true name in the test's folder.
    platform::FilePath TruePath(std::u8string_view name) {
        return platform::FilePath::FromCp932(folder(), os().codePage) + std::string(name.begin(), name.end());
    }
    std::set<std::string> Names(const std::string& pattern) {
        std::set<std::string> names;
        for (const auto& entry : os().files.Find(PathOf(pattern))) {
            names.insert(entry.name);
        }
        return names;
    }
};

TEST_F(FileSystemContract, AttributesTellFilesFoldersAndReadOnly) {
    auto& files = os().files;
    Write("song.mp3", "x");
    ASSERT_TRUE(files.CreateFolder(PathOf("skins")));
    EXPECT_EQ(files.GetAttributes(PathOf("missing")), attr::Invalid);
    EXPECT_EQ(files.GetAttributes(PathOf("song.mp3")) & (attr::Directory | attr::ReadOnly), 0u);
    EXPECT_NE(files.GetAttributes(PathOf("skins")) & attr::Directory, 0u);
    EXPECT_TRUE(platform::FileExists(files, PathOf("song.mp3")));
    EXPECT_FALSE(platform::FileExists(files, PathOf("skins")));
    EXPECT_TRUE(platform::DirectoryExists(files, PathOf("skins\\")));

    ASSERT_TRUE(files.SetAttributes(PathOf("song.mp3"), attr::ReadOnly));
    EXPECT_NE(files.GetAttributes(PathOf("song.mp3")) & attr::ReadOnly, 0u);
    ASSERT_TRUE(files.SetAttributes(PathOf("song.mp3"), attr::Normal));
    EXPECT_EQ(files.GetAttributes(PathOf("song.mp3")) & attr::ReadOnly, 0u);
    EXPECT_FALSE(files.SetAttributes(PathOf("missing"), attr::Normal));
}

TEST_F(FileSystemContract, NamesResolveWithoutRegardToCase) {
    Write("Winamp.Exe", "MZ");
    EXPECT_TRUE(platform::FileExists(os().files, PathOf("WINAMP.EXE")));
    EXPECT_EQ(Read("winamp.exe"), "MZ");
}

TEST_F(FileSystemContract, FindListsWhatMatchesWithTheDotEntries) {
    Write("a.mp3", "");
    Write("B.RMP", "");
    Write("noext", "");
    ASSERT_TRUE(os().files.CreateFolder(PathOf("sub")));
    EXPECT_EQ(Names("*.*"), (std::set<std::string>{".", "..", "B.RMP", "a.mp3", "noext", "sub"}));
    EXPECT_EQ(Names("*.mp3"), (std::set<std::string>{"a.mp3"}));
    EXPECT_EQ(Names("*.rmp"), (std::set<std::string>{"B.RMP"}));
    EXPECT_EQ(Names("?.rmp"), (std::set<std::string>{"B.RMP"}));
    EXPECT_TRUE(os().files.Find(PathOf("missing\\*.*")).empty());

    const auto entries = os().files.Find(PathOf("sub"));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_NE(entries[0].attributes & attr::Directory, 0u);
}

TEST_F(FileSystemContract, FindTellsWhenAFileWasWritten) {
    Write("first.m3u", "a");
    Write("second.m3u", "b");
    const auto first = os().files.Find(PathOf("first.m3u"));
    const auto second = os().files.Find(PathOf("second.m3u"));
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_NE(first[0].lastWrite, 0u);
    EXPECT_GE(second[0].lastWrite, first[0].lastWrite);
}

TEST_F(FileSystemContract, JapaneseNamesKeepTheirBytes) {
    const std::string name = "ソ表の曲.mp3";
    Write(name, "data");
    EXPECT_EQ(Names("*.mp3"), (std::set<std::string>{name}));
    EXPECT_EQ(Read(name), "data");
    ASSERT_TRUE(os().files.CreateFolder(PathOf("表")));
    Write("表\\ソ.txt", "inner");
    EXPECT_EQ(Read("表\\ソ.txt"), "inner");
}

TEST_F(FileSystemContract, TrailingDotsAndBlanksNameTheSameFile) {
    Write("song", "plain");
    EXPECT_TRUE(platform::FileExists(os().files, PathOf("song.")));
    EXPECT_EQ(Read("song."), "plain");
}

TEST_F(FileSystemContract, RenameNeverReplacesAFileButMayChangeCase) {
    auto& files = os().files;
    Write("old.mp3", "old");
    Write("taken.mp3", "taken");
    EXPECT_FALSE(files.Rename(PathOf("old.mp3"), PathOf("taken.mp3")));
    EXPECT_EQ(Read("taken.mp3"), "taken");
    EXPECT_FALSE(files.Rename(PathOf("missing.mp3"), PathOf("new.mp3")));

    EXPECT_TRUE(files.Rename(PathOf("old.mp3"), PathOf("new.rmp")));
    EXPECT_FALSE(platform::FileExists(files, PathOf("old.mp3")));
    EXPECT_EQ(Read("new.rmp"), "old");

    EXPECT_TRUE(files.Rename(PathOf("new.rmp"), PathOf("New.RMP")));
    EXPECT_EQ(Names("*.rmp"), (std::set<std::string>{"New.RMP"}));
}

TEST_F(FileSystemContract, AReplacementTakesTheFilesPlaceUnlessTheFileIsReadOnly) {
    auto& files = os().files;
    Write("song.lrc", "old");
    EXPECT_FALSE(files.Replace(PathOf("song.lrc"), PathOf("missing.lrc"))) << "only an existing file is replaced";
    EXPECT_TRUE(platform::ReplaceWholeFile(files, PathOf("song.lrc"), "whole"));
    EXPECT_EQ(Read("song.lrc"), "whole");
    ASSERT_TRUE(files.SetAttributes(PathOf("song.lrc"), attr::ReadOnly));
    EXPECT_FALSE(platform::ReplaceWholeFile(files, PathOf("song.lrc"), "refused"));
    EXPECT_EQ(Read("song.lrc"), "whole");
    EXPECT_EQ(Names("*.*"), (std::set<std::string>{".", "..", "song.lrc"})) << "nothing is left beside it";
    ASSERT_TRUE(files.SetAttributes(PathOf("song.lrc"), attr::Normal));
}

TEST_F(FileSystemContract, ReadOnlyFilesRefuseWritesAndDeletion) {
    auto& files = os().files;
    Write("locked.mp3", "keep");
    ASSERT_TRUE(files.SetAttributes(PathOf("locked.mp3"), attr::ReadOnly));
    try {
        files.Open(PathOf("locked.mp3"), OpenMode::ReadWrite);
        ADD_FAILURE() << "a read-only file opened for writing";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.systemError(), oserror::FileReadOnly);
        EXPECT_EQ(e.path(), PathOf("locked.mp3"));
    }
    EXPECT_FALSE(files.Delete(PathOf("locked.mp3")));
    EXPECT_EQ(Read("locked.mp3"), "keep");
    ASSERT_TRUE(files.SetAttributes(PathOf("locked.mp3"), attr::Normal));
    EXPECT_TRUE(files.Delete(PathOf("locked.mp3")));
    EXPECT_FALSE(platform::FileExists(files, PathOf("locked.mp3")));
}

TEST_F(FileSystemContract, OpeningAMissingFileNamesItInTheError) {
    try {
        os().files.Open(PathOf("missing.mp3"), OpenMode::Read);
        ADD_FAILURE() << "a missing file opened";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.systemError(), 2u);
        EXPECT_EQ(e.operation(), EInOutError::Operation::Open);
        EXPECT_NE(std::string(e.what()).find(PathOf("missing.mp3")), std::string::npos);
    }
    EXPECT_THROW(os().files.Open(PathOf("no folder\\x.mp3"), OpenMode::CreateAlways), EInOutError);
}

TEST_F(FileSystemContract, PositionedReadsWritesAndTruncation) {
    Write("f.bin", "0123456789");
    auto file = os().files.Open(PathOf("f.bin"), OpenMode::ReadWrite);
    EXPECT_EQ(file->Size(), 10u);
    char buffer[8] = {};
    EXPECT_EQ(file->ReadAt(7, buffer, sizeof buffer), 3u);
    EXPECT_EQ(std::string(buffer, 3), "789");
    EXPECT_EQ(file->ReadAt(20, buffer, sizeof buffer), 0u);
    file->WriteAt(2, "AB", 2);
    file->WriteAt(12, "Z", 1);  // past the end: the gap reads as zero bytes
    EXPECT_EQ(file->Size(), 13u);
    file->Truncate(4);
    EXPECT_EQ(file->Size(), 4u);
    file.reset();
    EXPECT_EQ(Read("f.bin"), "01AB");

    Write("f.bin", "");
    EXPECT_EQ(Read("f.bin"), "");
}

TEST_F(FileSystemContract, TheFirstSizeAlreadyCountsTheWritesBeforeIt) {
    Write("g.bin", "0123456789");
    auto grown = os().files.Open(PathOf("g.bin"), OpenMode::ReadWrite);
    grown->WriteAt(12, "Z", 1);
    EXPECT_EQ(grown->Size(), 13u);
    grown.reset();
    auto cut = os().files.Open(PathOf("g.bin"), OpenMode::ReadWrite);
    cut->Truncate(3);
    EXPECT_EQ(cut->Size(), 3u);
}

TEST_F(FileSystemContract, AFolderDoesNotOpenAsAFile) {
    ASSERT_TRUE(os().files.CreateFolder(PathOf("Skins")));
    for (const OpenMode mode : {OpenMode::Read, OpenMode::ReadWrite}) {
        try {
            os().files.Open(PathOf("Skins"), mode);
            ADD_FAILURE() << "a folder opened";
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.systemError(), 5u);
        }
    }
}

TEST_F(FileSystemContract, FoldersAreMadeOneLevelAtATime) {
    auto& files = os().files;
    EXPECT_TRUE(files.CreateFolder(PathOf("Lyrics")));
    EXPECT_FALSE(files.CreateFolder(PathOf("Lyrics")));
    EXPECT_FALSE(files.CreateFolder(PathOf("a\\b")));
    const std::string temp = files.TempPath();
    EXPECT_EQ(text::LastChar(temp), "\\");
    EXPECT_TRUE(platform::DirectoryExists(files, temp));
}

TEST_F(FileSystemContract, AFileWhoseNameCp932LacksIsWrittenReadReplacedAndDeletedByItsTrueName) {
    auto& files = os().files;
    const platform::FilePath korean = TruePath(u8"한국.txt");
    EXPECT_EQ(files.PathAttributes(korean), attr::Invalid);
    platform::WriteWholeFile(files, korean, "first");
    EXPECT_TRUE(platform::FileExists(files, korean));
    const platform::FilePath other = TruePath(u8"한.txt");
    EXPECT_FALSE(platform::FileExists(files, other)) << "another name";
    EXPECT_EQ(platform::ReadWholeFile(files, korean), "first");
    EXPECT_TRUE(platform::ReplaceWholeFile(files, korean, "second"));
    EXPECT_EQ(platform::ReadWholeFile(files, korean), "second");
    EXPECT_EQ(Names("*.sorabell-new"), std::set<std::string>{}) << "nothing left beside it";
    ASSERT_TRUE(files.DeletePath(korean));
    EXPECT_FALSE(platform::FileExists(files, korean));
    EXPECT_FALSE(files.DeletePath(korean));
    try {
        files.OpenPath(korean, OpenMode::Read);
        ADD_FAILURE() << "a deleted file opened";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.path(), PathOf("??.txt")) << "named in the code page";
    }
}

TEST_F(FileSystemContract, ANameCp932HoldsIsTheSameFileByEitherKindOfPath) {
    auto& files = os().files;
    Write("曲.txt", "bytes");
    const platform::FilePath song = TruePath(u8"曲.TXT");
    EXPECT_EQ(platform::ReadWholeFile(files, song), "bytes") << "without regard to case";
    EXPECT_TRUE(platform::ReplaceWholeFile(files, song, "new"));
    EXPECT_EQ(Read("曲.txt"), "new");
    ASSERT_TRUE(files.SetAttributes(PathOf("曲.txt"), attr::ReadOnly));
    EXPECT_FALSE(platform::ReplaceWholeFile(files, song, "refused")) << "a read-only file stays";
    EXPECT_THROW(files.OpenPath(song, OpenMode::ReadWrite), EInOutError);
    ASSERT_TRUE(files.SetAttributes(PathOf("曲.txt"), attr::Normal));
    ASSERT_TRUE(files.DeletePath(song));
    EXPECT_FALSE(platform::FileExists(files, PathOf("曲.txt")));
}

}  // namespace
}  // namespace sorabell::testing
