#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "winamp/PlayListEntry.h"

namespace sorabell::winamp {
namespace {

const std::string kFolder = "C:\\Users\\aki\\AppData\\Roaming\\Winamp\\";

PlayLists Only(std::string_view m3u) { return {m3u, std::nullopt, false}; }

std::optional<PlayListEntry> Choose(const PlayLists& lists, int32_t index) {
    return ChoosePlayListEntry(lists, index, kFolder);
}

PlayListEntry Whole(std::string name, EntryEncoding encoding = EntryEncoding::Cp932) {
    return {{}, std::move(name), encoding};
}

// Long lists are skipped through in blocks: every entry of a list whose comment lines, empty
// lines and line ends fall on every side of the block edges is the one a line-by-line reading finds.
TEST(PlayListEntryChoice, EveryEntryOfALongListIsFoundAcrossItsBlocks) {
    std::string m3u = "#EXTM3U\r\n";
    std::vector<std::string> entries;
    for (int i = 0; m3u.size() < 20000; ++i) {
        if (i % 3 == 0) {
            m3u += "#EXTINF:" + std::to_string(i) + ",x\r\n";
        }
        entries.push_back(i % 7 == 0 ? std::string() : "C:\\" + std::string(static_cast<size_t>(i % 41), 'a'));
        m3u += entries.back() + (i % 2 == 0 ? "\r\n" : "\n");
    }
    for (size_t n = 0; n < entries.size(); ++n) {
        const auto found = Choose(Only(m3u), static_cast<int32_t>(n));
        ASSERT_TRUE(found) << n;
        EXPECT_EQ(found->base + found->name, entries[n].empty() ? "" : entries[n]) << n;
    }
    EXPECT_EQ(Choose(Only(m3u), static_cast<int32_t>(entries.size())), std::nullopt);
}

TEST(PlayListEntryChoice, APlainListIsReadLineByLineAsWinamp2WritesIt) {
    const std::string m3u = "C:\\a.mp3\r\n\r\nC:\\c.mp3\nC:\\d.mp3\r";
    EXPECT_EQ(Choose(Only(m3u), 0), Whole("C:\\a.mp3"));
    EXPECT_EQ(Choose(Only(m3u), 1), Whole("")) << "an empty line is an entry, as before";
    EXPECT_EQ(Choose(Only(m3u), 2), Whole("C:\\c.mp3"));
    EXPECT_EQ(Choose(Only(m3u), 3), Whole("C:\\d.mp3\r")) << "a CR only ends a line before LF";
    EXPECT_EQ(Choose(Only(m3u), 4), std::nullopt);
    EXPECT_EQ(Choose(Only(m3u), -1), std::nullopt);
    EXPECT_EQ(Choose(Only("C:\\a.mp3\r\n"), 1), std::nullopt) << "the last line end opens no entry";
}

TEST(PlayListEntryChoice, CommentAndExtendedInformationLinesAreNoEntries) {
    const std::string m3u =
        "#EXTM3U\r\n#EXTINF:201,Artist - One\r\nC:\\one.mp3\r\nC:\\two.mp3\r\n#EXTINF:5,Three\r\nC:\\three.mp3\r\n";
    EXPECT_EQ(Choose(Only(m3u), 0), Whole("C:\\one.mp3"));
    EXPECT_EQ(Choose(Only(m3u), 1), Whole("C:\\two.mp3"));
    EXPECT_EQ(Choose(Only(m3u), 2), Whole("C:\\three.mp3"));
    EXPECT_EQ(Choose(Only(m3u), 3), std::nullopt);
}

TEST(PlayListEntryChoice, TheUtf8ListNamesTheEntryOnlyWhenWrittenAtTheSameRequest) {
    const std::string m3u = "#EXTM3U\r\nC:\\Beyonc?.mp3\r\nC:\\b.mp3\r\n";
    const std::string m3u8 = "\xEF\xBB\xBF#EXTM3U\r\nC:\\Beyonc\xC3\xA9.mp3\r\n";
    EXPECT_EQ(Choose({m3u, m3u8, true}, 0), Whole("C:\\Beyonc\xC3\xA9.mp3", EntryEncoding::Utf8));
    EXPECT_EQ(Choose({m3u, m3u8, false}, 0), Whole("C:\\Beyonc?.mp3")) << "an older m3u8 is left alone";
    EXPECT_EQ(Choose({m3u, m3u8, true}, 1), Whole("C:\\b.mp3")) << "an m3u8 without the entry";
    EXPECT_EQ(Choose({m3u, "C:\\x.mp3", true}, 0), Whole("C:\\x.mp3", EntryEncoding::Utf8)) << "no mark";
}

TEST(PlayListEntryChoice, EntriesWithoutTheirDriveOrFolderAreOnThePlayListFolder) {
    const std::string m3u = "\\Music\\a.mp3\nsub\\b.mp3\n\\\\nas\\music\\c.mp3\nhttp://radio.example/stream\n";
    EXPECT_EQ(Choose(Only(m3u), 0), (PlayListEntry{"C:", "\\Music\\a.mp3", EntryEncoding::Cp932}));
    EXPECT_EQ(Choose(Only(m3u), 0)->Cp932Path(), "C:\\Music\\a.mp3");
    EXPECT_EQ(Choose(Only(m3u), 1)->Cp932Path(), kFolder + "sub\\b.mp3");
    EXPECT_EQ(Choose(Only(m3u), 2), Whole("\\\\nas\\music\\c.mp3"));
    EXPECT_EQ(Choose(Only(m3u), 3), Whole("http://radio.example/stream"));
    EXPECT_EQ(ChoosePlayListEntry(Only(m3u), 0, "\\\\nas\\home\\Winamp")->Cp932Path(), "\\\\nas\\home\\Music\\a.mp3");
    EXPECT_EQ(ChoosePlayListEntry(Only(m3u), 1, "\\\\nas\\home\\Winamp")->Cp932Path(),
              "\\\\nas\\home\\Winamp\\sub\\b.mp3");
    EXPECT_EQ(Choose({m3u, "sub\\\xE2\x80\x93.mp3", true}, 0),
              (PlayListEntry{kFolder, "sub\\\xE2\x80\x93.mp3", EntryEncoding::Utf8}));
}

}  // namespace
}  // namespace sorabell::winamp
