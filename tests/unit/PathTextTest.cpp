#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/PathText.h"

namespace sorabell::components {
namespace {

using enum TStretchStyle;

TEST(PathShorten, EachStyleKeepsItsPartOfThePath) {
    const std::string lyrics = "C:\\Program Files\\Winamp\\Lyrics\\";
    struct Row {
        std::string text;
        size_t maxLength;
        TStretchStyle style;
        std::string shown;
    };
    const std::vector<Row> rows = {
        {lyrics, 20, ssRight, "C:\\Program Files\\..."},
        {lyrics, 20, ssLeft, "...es\\Winamp\\Lyrics\\"},
        {lyrics, 20, ssDrive, "C:\\...\\Lyrics\\"},
        {lyrics, 24, ssDrive, "C:\\...\\Winamp\\Lyrics\\"},
        {lyrics, 28, ssFile, "C:\\Program Files\\...\\Lyrics\\"},
        {lyrics, 27, ssFile, "C:\\...\\Lyrics\\"},
        {lyrics, 45, ssRight, lyrics},
        {lyrics, 45, ssLeft, lyrics},
        {lyrics, 45, ssFile, lyrics},
        {lyrics, 45, ssDrive, lyrics},
        {"abcdefghij", 8, ssDrive, "...fghij"},
        {"abcdefghij", 8, ssFile, "abcde..."},
        {"C:\\Windows", 3, ssDrive, "C:\\"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Shorten(row.text, row.maxLength, row.style), row.shown)
            << row.text << " to " << row.maxLength << " bytes, style " << static_cast<int>(row.style);
    }
}

TEST(PathShorten, ACutNeverSplitsADoubleByteCharacter) {
    // The 9th byte is the first of 曲: the cut comes one byte earlier.
    EXPECT_EQ(Shorten("C:\\音楽\\曲名の一覧\\", 12, ssRight), "C:\\音楽\\...");
    // 表 and ソ end in 0x5C, which is no backslash there.
    EXPECT_EQ(Shorten("C:\\表示\\ソフト\\Winamp\\Lyrics\\", 21, ssFile), "C:\\表示\\...\\Lyrics\\");
}

TEST(PathShorten, RootAndLastNameTooLongCutTheirOwnShortForm) {
    const std::string song = "C:\\Program Files\\Winamp\\曲名の一覧.txt";
    // "C:\...\" would be followed by the first byte of 曲 alone.
    EXPECT_EQ(Shorten(song, 11, ssFile), "C:\\...\\...");
    EXPECT_EQ(Shorten(song, 11, ssDrive), "C:\\...\\...");
    EXPECT_EQ(Shorten(song, 12, ssDrive), "C:\\...\\曲...");
}

TEST(PathSeparators, RootsKeepTheirBackslash) {
    EXPECT_EQ(RemoveSeparator("C:\\"), "C:\\");
    EXPECT_EQ(RemoveSeparator("\\\\server\\share\\"), "\\\\server\\share\\");
    EXPECT_EQ(RemoveSeparator("\\\\server\\表\\"), "\\\\server\\表\\");
    EXPECT_EQ(RemoveSeparator("\\\\server\\share\\dir\\"), "\\\\server\\share\\dir");
    EXPECT_EQ(RemoveSeparator("C:\\Temp\\"), "C:\\Temp");
    EXPECT_EQ(RemoveSeparator("C:\\表"), "C:\\表");
    EXPECT_EQ(AddSeparator("C:\\表"), "C:\\表\\");
}

}  // namespace
}  // namespace sorabell::components
