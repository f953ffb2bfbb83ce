// The tag tool's Linux edge: the locale's text and host paths, its file system on the host's own
// files, and the built program run as a process on files with Japanese names.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/sim/SimFileSystem.h"
#include "sim/TempFolder.h"
#include "sorabell-tag/PosixEdge.h"
#include "sorabell-tag/PosixFileSystem.h"
#include "support/TagFixtures.h"
#include "tags/RmpInfo.h"

namespace sorabell::testing {
namespace {

namespace fs = std::filesystem;
using tagtool::LocaleText;

// UTF-8 bytes whatever the compiler's execution character set (CP932 here).
std::string Utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

TEST(TagToolLocaleText, Utf8ArgumentsBecomeCp932AndOutputComesBack) {
    const LocaleText utf8("UTF-8");
    EXPECT_EQ(utf8.ToCp932(Utf8(u8"春の歌.mp3")), "春の歌.mp3");
    EXPECT_EQ(utf8.FromCp932("春の歌 ～"), Utf8(u8"春の歌 ～"));
    EXPECT_FALSE(utf8.ToCp932(Utf8(u8"\U0001F3B5"))) << "CP932 has no such character";
    EXPECT_FALSE(utf8.ToCp932("\xC3")) << "not UTF-8";
}

TEST(TagToolLocaleText, BytesThatAreNoCp932ShowAsEscapes) {
    const LocaleText utf8("UTF-8");
    EXPECT_EQ(utf8.FromCp932("a\xA0"
                             "b"),
              "a\\xA0b");
    EXPECT_EQ(utf8.FromCp932("歌\x81"), Utf8(u8"歌") + "\\x81") << "a lead byte without its trail byte";
    EXPECT_EQ(utf8.FromCp932("\xFF"
                             "歌"),
              "\\xFF" + Utf8(u8"歌"));
}

TEST(TagToolLocaleText, OtherCodesetsConvertThroughTheirOwnEncoding) {
    const LocaleText eucJp("EUC-JP");
    EXPECT_EQ(eucJp.ToCp932("\xC6\xFC\xCB\xDC"), "日本");
    EXPECT_EQ(eucJp.FromCp932("日本\xA0"), "\xC6\xFC\xCB\xDC\\xA0");
    const LocaleText ascii("ANSI_X3.4-1968");
    EXPECT_EQ(ascii.FromCp932("日本 ok"), "?? ok") << "what the terminal cannot show";
    EXPECT_FALSE(ascii.ToCp932("\xE6\x97\xA5"));
}

TEST(TagToolPaths, HostPathsLandOnDriveZ) {
    EXPECT_EQ(tagtool::ZDrivePath("song.mp3", "/home/user"), "Z:\\home\\user\\song.mp3");
    EXPECT_EQ(tagtool::ZDrivePath("../music/a b.rmp", "/home/user"), "Z:\\home\\user\\..\\music\\a b.rmp");
    EXPECT_EQ(tagtool::ZDrivePath("/srv/表.mp3", "/ignored"), "Z:\\srv\\表.mp3") << "a 0x5C trail byte stays";
}

namespace attr = platform::attr;
using platform::OpenMode;
using tagtool::PosixFileSystem;

// The Windows path of a host file, as the tool names it.
std::string ZPath(const fs::path& host) { return tagtool::ZDrivePath(host.string(), "/"); }

TEST(TagToolPosixFiles, ReadsWritesRenamesAndKeepsAttributesOfHostFiles) {
    TempFolder temp;
    PosixFileSystem files(LocaleText("UTF-8"), "Z:\\tmp\\");
    // Both names hold a 0x5C trail byte, which is no "\\".
    const std::string song = ZPath(temp.path()) + "\\ソ表.mp3";
    platform::WriteWholeFile(files, song, "abcdef");
    EXPECT_EQ(ReadHostFile(temp.path() / Utf8(u8"ソ表.mp3")), "abcdef") << "the host's own name, in UTF-8";
    {
        auto file = files.Open(ZPath(temp.path()) + "\\sub\\..\\.\\ソ表.mp3", OpenMode::ReadWrite);
        char middle[3] = {};
        EXPECT_EQ(file->ReadAt(2, middle, 3), 3u);
        EXPECT_EQ(std::string(middle, 3), "cde");
        file->WriteAt(6, "gh", 2);
        file->Truncate(7);
        EXPECT_EQ(file->Size(), 7u);
    }
    EXPECT_EQ(platform::ReadWholeFile(files, song), "abcdefg");

    EXPECT_EQ(files.GetAttributes(song), attr::Archive);
    ASSERT_TRUE(files.SetAttributes(song, attr::ReadOnly));
    EXPECT_EQ(fs::status(temp.path() / Utf8(u8"ソ表.mp3")).permissions() & fs::perms::owner_write, fs::perms::none);
    EXPECT_EQ(files.GetAttributes(song), attr::Archive | attr::ReadOnly);
    try {
        files.Open(song, OpenMode::ReadWrite);
        ADD_FAILURE() << "a read-only file opened for writing";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.systemError(), oserror::FileReadOnly);
    }
    EXPECT_FALSE(files.Delete(song));
    ASSERT_TRUE(files.SetAttributes(song, attr::Normal));

    ASSERT_TRUE(files.CreateFolder(ZPath(temp.path() / "skins")));
    EXPECT_EQ(files.GetAttributes(ZPath(temp.path() / "skins")), attr::Directory);
    platform::WriteWholeFile(files, ZPath(temp.path() / "other.mp3"), "x");
    EXPECT_FALSE(files.Rename(song, ZPath(temp.path() / "other.mp3"))) << "a rename never replaces a file";
    const std::string renamed = ZPath(temp.path()) + "\\春.rmp";
    ASSERT_TRUE(files.Rename(song, renamed));
    EXPECT_EQ(files.GetAttributes(song), attr::Invalid);

    std::set<std::string> found;
    for (const auto& entry : files.Find(ZPath(temp.path()) + "\\*.rmp")) {
        found.insert(entry.name);
        EXPECT_EQ(entry.size, 7u);
    }
    EXPECT_EQ(found, std::set<std::string>{"春.rmp"});
    EXPECT_EQ(files.Find(ZPath(temp.path()) + "\\*.*").size(), 5u) << "., .., skins, other.mp3 and 春.rmp";
    EXPECT_TRUE(files.Delete(renamed));
    EXPECT_FALSE(fs::exists(temp.path() / Utf8(u8"春.rmp")));
}

TEST(TagToolPosixFiles, NamesTheLocaleCannotSpellAndPathsOffDriveZAreInvalid) {
    PosixFileSystem files(LocaleText("ANSI_X3.4-1968"), "Z:\\tmp\\");
    EXPECT_EQ(files.HostPath("Z:\\tmp\\a b.mp3"), "/tmp/a b.mp3");
    for (const std::string path : {"Z:\\tmp\\日本.mp3", "C:\\tmp\\a.mp3", "song.mp3"}) {
        EXPECT_FALSE(files.HostPath(path)) << path;
        EXPECT_EQ(files.GetAttributes(path), attr::Invalid) << path;
        try {
            files.Open(path, OpenMode::Read);
            ADD_FAILURE() << path;
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.systemError(), oserror::InvalidName) << path;
        }
    }
}

// The message the simulated file system gave for the same path, which the tool used before.
std::string SimOpenError(const fs::path& root, const std::string& path) {
    sim::SimFileSystem sim({{'Z', root}}, "Z:\\");
    try {
        sim.Open(path, OpenMode::Read);
    } catch (const EInOutError& e) {
        return e.what();
    }
    return "opened";
}

TEST(TagToolPosixFiles, AMissingFileOrFolderGivesTheErrorTheToolGaveBefore) {
    TempFolder temp;
    PosixFileSystem files(LocaleText("UTF-8"), "Z:\\tmp\\");
    for (const std::string name : {"missing.mp3", "missing\\song.mp3"}) {
        const std::string path = ZPath(temp.path()) + "\\" + name;
        try {
            files.Open(path, OpenMode::Read);
            ADD_FAILURE() << name;
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.what(), SimOpenError("/", path)) << name;
        }
    }
}

struct Process {
    int code = -1;
    std::string out;
    std::string err;
};

// The program beside this test program, as the build puts them.
fs::path ToolProgram() { return fs::read_symlink("/proc/self/exe").parent_path() / "sorabell-tag"; }

// Runs the tool in `cwd` under a UTF-8 locale; its output goes through files in `scratch`.
Process RunTool(const fs::path& scratch, const fs::path& cwd, const std::vector<std::string>& args) {
    const fs::path out = scratch / ".out", err = scratch / ".err";
    const std::string program = ToolProgram().string();
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const auto& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    char locale[] = "LC_ALL=C.UTF-8";
    char* env[] = {locale, nullptr};
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (o < 0 || e < 0 || ::dup2(o, 1) < 0 || ::dup2(e, 2) < 0 || ::chdir(cwd.c_str()) != 0) {
            ::_exit(127);
        }
        ::execve(program.c_str(), argv.data(), env);
        ::_exit(127);
    }
    Process result;
    int status = 0;
    if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
        result.code = WEXITSTATUS(status);
    }
    result.out = ReadHostFile(out);
    result.err = ReadHostFile(err);
    return result;
}

class TagToolProgram : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(ToolProgram())) << ToolProgram();
        const std::string audio = MpegPayload(300);
        std::ofstream(temp_.path() / Utf8(u8"春の歌.rmp"), std::ios::binary)
            << RmpFile(audio, {InfoList({TextChunk("INAM", "題名"), Chunk("IID3", Id3Block("ab\xA0"
                                                                                           "cd"))})});
    }
    Process Run(const std::vector<std::string>& args) { return RunTool(temp_.path(), temp_.path(), args); }
    TempFolder temp_;
};

TEST_F(TagToolProgram, ShowsAJapaneseFileNameAndTextInTheLocale) {
    const Process shown = Run({"show", Utf8(u8"春の歌.rmp")});
    EXPECT_EQ(shown.code, 0) << shown.err;
    EXPECT_EQ(shown.out.find(Utf8(u8"file: 春の歌.rmp\ninfo: yes\n")), 0u) << shown.out;
    EXPECT_NE(shown.out.find(Utf8(u8"INAM: 題名\n")), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("title: ab\\xA0cd\n"), std::string::npos) << shown.out;

    const std::string absolute = (temp_.path() / Utf8(u8"春の歌.rmp")).string();
    const Process byPath = RunTool(temp_.path(), "/", {"show", absolute});
    EXPECT_EQ(byPath.code, 0) << byPath.err;
    EXPECT_EQ(byPath.out.find("file: " + absolute + "\n"), 0u) << byPath.out;
}

TEST_F(TagToolProgram, WritesTextFromTheCommandLineAsCp932) {
    const Process written = Run({"write", Utf8(u8"春の歌.rmp"), "--mode", "1", "--title", Utf8(u8"新しい題")});
    ASSERT_EQ(written.code, 0) << written.err;
    sim::SimFileSystem files({{'Z', temp_.path()}}, "Z:\\");
    tags::TRMPInfo info;
    ASSERT_TRUE(tags::ReadRMPInfo(files, "Z:\\春の歌.rmp", info));
    EXPECT_EQ(info.Title, "新しい題");
}

TEST_F(TagToolProgram, ExitStatusTellsFailedFilesFromWrongUsage) {
    const Process missing = Run({"show", "missing.mp3", Utf8(u8"春の歌.rmp")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.err.find("sorabell-tag: missing.mp3: "), 0u) << missing.err;
    EXPECT_NE(missing.out.find(Utf8(u8"file: 春の歌.rmp")), std::string::npos);

    const Process usage = Run({"frob"});
    EXPECT_EQ(usage.code, 2);
    EXPECT_NE(usage.err.find(Utf8(u8"使い方:")), std::string::npos) << usage.err;

    const Process unreadable = Run({"show", "\xFF.mp3"});
    EXPECT_EQ(unreadable.code, 2) << "an argument that is no text of the locale";
}

}  // namespace
}  // namespace sorabell::testing
