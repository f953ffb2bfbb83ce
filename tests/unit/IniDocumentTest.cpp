#include <gtest/gtest.h>

#include "platform/IniDocument.h"

namespace sorabell::platform {
namespace {

const char* const kWinampIni =
    "; written by hand\r\n"
    "[Winamp]\r\n"
    "SkinDir = C:\\Program Files\\Winamp\\Skins\\ \r\n"
    "skin=Base 2.91\r\n"
    "empty=\r\n"
    "quoted=\"  padded  \"\r\n"
    "single='x'\r\n"
    "half=\"open\r\n"
    "flag\r\n"
    "\r\n"
    "[winamp]\r\n"
    "skin=second section\r\n"
    "[Other]\r\n"
    "skin=other\r\n";

TEST(IniDocument, ReadsLikeGetPrivateProfileString) {
    const IniDocument ini(kWinampIni);
    EXPECT_EQ(ini.Get("Winamp", "SkinDir"), "C:\\Program Files\\Winamp\\Skins\\");
    EXPECT_EQ(ini.Get("WINAMP", "SKIN"), "Base 2.91");  // case-insensitive, first section wins
    EXPECT_EQ(ini.Get(" Winamp ", " skin "), "Base 2.91");
    EXPECT_EQ(ini.Get("Other", "skin"), "other");
    EXPECT_EQ(ini.Get("Winamp", "empty"), "");
    EXPECT_EQ(ini.Get("Winamp", "quoted"), "  padded  ");
    EXPECT_EQ(ini.Get("Winamp", "single"), "x");
    EXPECT_EQ(ini.Get("Winamp", "half"), "\"open");
    EXPECT_EQ(ini.Get("Winamp", "flag"), std::nullopt);  // a name without "=" has no value
    EXPECT_EQ(ini.Get("Winamp", "missing"), std::nullopt);
    EXPECT_EQ(ini.Get("Nowhere", "skin"), std::nullopt);
}

TEST(IniDocument, LinesBeforeTheFirstHeaderFormANamelessSection) {
    const IniDocument ini("top=1\r\n[s]\r\nkey=2\r\n");
    EXPECT_EQ(ini.Get("", "top"), "1");
    EXPECT_EQ(ini.Get("", "key"), std::nullopt);
    EXPECT_EQ(ini.Get("s", "top"), std::nullopt);
}

TEST(IniDocument, DefaultsLoseTrailingBlanks) {
    EXPECT_EQ(IniReadString("", "Winamp", "skin", "def  "), "def");
    EXPECT_EQ(IniReadString(kWinampIni, "Winamp", "skin", "def"), "Base 2.91");
}

TEST(IniDocument, LinesMayEndInLfAloneAndSectionsInOddSpacing) {
    const IniDocument ini("[a]\nx=1\n  [b]  \ny = 2 \n[c\nz=3\n");
    EXPECT_EQ(ini.Get("a", "x"), "1");
    EXPECT_EQ(ini.Get("b", "y"), "2");
    // "[c" has no closing bracket: it is a key line of section b, not a section.
    EXPECT_EQ(ini.Get("c", "z"), std::nullopt);
    EXPECT_EQ(ini.Get("b", "z"), "3");
}

TEST(IniDocument, WritesReplaceAddAndCreateWhileKeepingOtherLines) {
    IniDocument ini(kWinampIni);
    ini.Set("WINAMP", "Skin", "新しいスキン");
    ini.Set("Winamp", "randskin", "0");
    ini.Set("Fresh", "key", "value");
    const std::string text = ini.Render();
    const IniDocument reread(text);
    EXPECT_EQ(reread.Get("winamp", "skin"), "新しいスキン");
    EXPECT_EQ(reread.Get("winamp", "randskin"), "0");
    EXPECT_EQ(reread.Get("fresh", "KEY"), "value");
    EXPECT_EQ(reread.Get("Other", "skin"), "other");
    EXPECT_NE(text.find("; written by hand\r\n"), std::string::npos);
    EXPECT_NE(text.find("skin=新しいスキン\r\n"), std::string::npos);
    // The new key joins its section before the blank line that ends it.
    EXPECT_NE(text.find("flag\r\nrandskin=0\r\n\r\n[winamp]"), std::string::npos);
    EXPECT_TRUE(text.ends_with("\r\n\r\n[Fresh]\r\nkey=value\r\n")) << text;
}

TEST(IniDocument, WritingIntoNothingMakesAFile) {
    IniDocument ini;
    ini.Set("Winamp", "skin", "a");
    ini.Set("Winamp", "SkinDir", "b");
    EXPECT_EQ(ini.Render(), "[Winamp]\r\nskin=a\r\nSkinDir=b\r\n");
}

TEST(IniDocument, EachLineKeepsItsOwnEndAndAMissingLastOneStaysMissing) {
    IniDocument ini("[s]\r\na=1");
    ini.Set("s", "b", "2");
    EXPECT_EQ(ini.Render(), "[s]\r\na=1\r\nb=2");
    ini.Set("t", "c", "3");
    EXPECT_EQ(ini.Render(), "[s]\r\na=1\r\nb=2\r\n\r\n[t]\r\nc=3");
    IniDocument unix("; x\n[s]\r\na=1\n");
    unix.Set("s", "a", "0");
    unix.Set("s", "b", "0");
    EXPECT_EQ(unix.Render(), "; x\n[s]\r\na=0\nb=0\n") << "new lines end as the file's first line does";
    IniDocument untouched("[s]\r\na=1");
    untouched.Set("s", "a", "9");
    EXPECT_EQ(untouched.Render(), "[s]\r\na=9");
}

}  // namespace
}  // namespace sorabell::platform
