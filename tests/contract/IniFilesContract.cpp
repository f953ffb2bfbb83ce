#include "contract/ContractEnvironment.h"
#include "platform/Errors.h"

namespace sorabell::testing {
namespace {

using IniFilesContract = ContractTest;

TEST_F(IniFilesContract, AMissingFileSectionOrKeyGivesTheDefault) {
    auto& ini = os().iniFiles;
    EXPECT_EQ(ini.ReadString(PathOf("WINAMP.INI"), "Winamp", "skin", "fallback"), "fallback");
    platform::WriteWholeFile(os().files, PathOf("WINAMP.INI"), "[Winamp]\r\nskin=Base\r\n");
    EXPECT_EQ(ini.ReadString(PathOf("WINAMP.INI"), "Other", "skin", "d"), "d");
    EXPECT_EQ(ini.ReadString(PathOf("WINAMP.INI"), "Winamp", "SkinDir", "C:\\skins\\"), "C:\\skins\\");
    EXPECT_EQ(ini.ReadString(PathOf("WINAMP.INI"), "WINAMP", "SKIN", "d"), "Base");
}

TEST_F(IniFilesContract, AWriteCreatesFileSectionAndKey) {
    auto& ini = os().iniFiles;
    ini.WriteString(PathOf("WINAMP.INI"), "Winamp", "skin", "メタル");
    ini.WriteString(PathOf("WINAMP.INI"), "winamp", "randskin", "0");
    ini.WriteString(PathOf("WINAMP.INI"), "Winamp", "SKIN", "Base");
    EXPECT_EQ(ini.ReadString(PathOf("WINAMP.INI"), "Winamp", "skin", ""), "Base");
    EXPECT_EQ(ini.ReadString(PathOf("WINAMP.INI"), "Winamp", "randskin", ""), "0");
    const std::string text = platform::ReadWholeFile(os().files, PathOf("WINAMP.INI"));
    EXPECT_NE(text.find("[Winamp]"), std::string::npos);
    EXPECT_EQ(text.find("[winamp]"), std::string::npos) << "a second section was made:\n" << text;
}

TEST_F(IniFilesContract, IntegersReadDecimalOrHexAndFallBackOnGarbage) {
    platform::TIniFile ini(os().iniFiles, PathOf("sexyfont.ini"));
    ini.WriteString("Font", "size", "9");
    ini.WriteString("Font", "hex", "$C4");
    ini.WriteString("Font", "cstyle", "0x10");
    ini.WriteString("Font", "junk", "nine");
    ini.WriteInteger("Font", "negative", -12);
    EXPECT_EQ(ini.ReadInteger("Font", "size", 0), 9);
    EXPECT_EQ(ini.ReadInteger("Font", "hex", 0), 0xC4);
    EXPECT_EQ(ini.ReadInteger("Font", "cstyle", 0), 16);
    EXPECT_EQ(ini.ReadInteger("Font", "junk", 5), 5);
    EXPECT_EQ(ini.ReadInteger("Font", "missing", 7), 7);
    EXPECT_EQ(ini.ReadInteger("Font", "negative", 0), -12);
}

TEST_F(IniFilesContract, AWriteIntoAMissingFolderFails) {
    EXPECT_THROW(os().iniFiles.WriteString(PathOf("no such folder\\WINAMP.INI"), "Winamp", "skin", "x"),
                 EIniFileException);
}

}  // namespace
}  // namespace sorabell::testing
