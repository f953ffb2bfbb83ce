// Paths by their true UTF-8 names: cut where Windows cuts them, whatever bytes the names hold.

#include "platform/FilePath.h"

#include <gtest/gtest.h>

namespace sorabell::testing {
namespace {

using platform::FilePath;

std::string U8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

// The macros keep the text of their arguments in the code page, which lacks these characters:
// the names stand outside them.
TEST(FilePath, ItsPartsAreCutAtTheLastBackslashAndDotWhateverTheNamesBytes) {
    // The en dash's last byte begins a double-byte character in CP932, which would swallow the
    // backslash after it.
    const std::string folder = U8(u8"C:\\Beyoncé – live\\");
    const FilePath path = FilePath::FromUtf8(folder + "a.b.mp3");
    EXPECT_EQ(path.Folder().Utf8(), folder);
    EXPECT_EQ(path.Name(), "a.b.mp3");
    EXPECT_EQ(path.Extension(), ".mp3");
    EXPECT_EQ(path.NameWithoutExtension(), "a.b");

    const std::string korean = U8(u8"한국");
    const FilePath bare = FilePath::FromUtf8("C:\\dir.d\\" + korean);
    EXPECT_EQ(bare.Extension(), "") << "a dot of the folder is no extension";
    EXPECT_EQ(bare.NameWithoutExtension(), korean);
    EXPECT_EQ(FilePath::FromUtf8("C:a.mp3").Folder().Utf8(), "C:");
}

TEST(FilePath, WideTextKeepsEveryCharacterAndMarksBrokenBytes) {
    const std::string music = U8(u8"é한𝄞");
    const std::u16string wide = u"é한𝄞";
    const std::u16string replaced = u"\uFFFDa";
    const std::u16string broken = u"a\uFFFD(" + std::u16string(9, u'\uFFFD');
    EXPECT_EQ(FilePath::FromUtf8(music).Utf16(), wide);
    EXPECT_EQ(platform::Utf16ToUtf8(wide), music);
    EXPECT_EQ(platform::Utf8ToUtf16("a\xC3(\xED\xA0\x80\xF4\x90\x80\x80\xE2\x82"), broken)
        << "a truncated, a surrogate's and a too large sequence";
    EXPECT_EQ(platform::Utf8ToUtf16(platform::Utf16ToUtf8(std::u16string(1, char16_t(0xD800)) + u"a")), replaced);
}

}  // namespace
}  // namespace sorabell::testing
