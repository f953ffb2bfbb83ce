// WINAMP.INI's skin keys in the code page and, marked "utf8=1", in UTF-8, through the backend's
// profile functions and files.

#include "contract/ContractEnvironment.h"
#include "platform/Errors.h"
#include "winamp/WinampIni.h"

namespace sorabell::testing {
namespace {

// "空色テ" and "한" in UTF-8; the first ends in 0x86, which CP932 takes for the first byte of a pair.
constexpr const char* kSkyUtf8 = "\xE7\xA9\xBA\xE8\x89\xB2\xE3\x83\x86";
constexpr const char* kHangulUtf8 = "\xED\x95\x9C";

class WinampIniContract : public ContractTest {
protected:
    std::string IniPath() const { return PathOf("WINAMP.INI"); }
    void WriteIni(const std::string& text) { platform::WriteWholeFile(os().files, IniPath(), text); }
    std::string IniText() { return platform::ReadWholeFile(os().files, IniPath()); }
    winamp::WinampIni Ini() { return winamp::WinampIni(os().iniFiles, os().files, os().codePage, IniPath()); }
};

TEST_F(WinampIniContract, AMarkedFileIsReadAsUtf8AndANewSkinWrittenInUtf8WithEveryOtherByteKept) {
    const std::string skinDir = std::string("SkinDir=C:\\") + kSkyUtf8 + "\r\n";
    WriteIni(std::string("\xEF\xBB\xBF[Winamp]\r\nutf8=1\r\n") + skinDir + "skin=" + kSkyUtf8 + "\r\nx=1\r\n");
    const winamp::IniName name = Ini().SkinName();
    EXPECT_EQ(name.name, "空色テ");
    EXPECT_TRUE(name.exact);
    EXPECT_EQ(Ini().SkinFolder("C:\\fallback\\"), "C:\\空色テ\\");

    Ini().WriteSkinName("空色テ");
    EXPECT_EQ(Ini().SkinName().name, "空色テ");
    Ini().WriteSkinName("青空 ①");
    EXPECT_EQ(IniText(),
              "\xEF\xBB\xBF[Winamp]\r\nutf8=1\r\n" + skinDir + "skin=\xE9\x9D\x92\xE7\xA9\xBA \xE2\x91\xA0\r\nx=1\r\n");
    EXPECT_EQ(Ini().SkinName().name, "青空 ①");
}

TEST_F(WinampIniContract, WithoutTheMarkTheValuesAreTheCodePagesBytesBothWays) {
    WriteIni("[Winamp]\r\nutf8=0\r\nskin=空色テ\r\n");
    EXPECT_FALSE(Ini().utf8());
    EXPECT_EQ(Ini().SkinName().name, "空色テ");
    EXPECT_EQ(Ini().SkinFolder("C:\\Winamp\\skins\\"), "C:\\Winamp\\skins\\");
    Ini().WriteSkinName("青空");
    EXPECT_EQ(os().iniFiles.ReadString(IniPath(), "Winamp", "skin", ""), "青空");
    EXPECT_NE(IniText().find("skin=青空"), std::string::npos) << "written in the code page";

    for (const char* marked : {"0", "1"}) {
        WriteIni(std::string("[Winamp]\r\nutf8=") + marked + "\r\nSkinDir=\r\n");
        EXPECT_EQ(Ini().SkinFolder("C:\\Winamp\\skins\\"), "C:\\Winamp\\skins\\")
            << "an empty SkinDir, utf8=" << marked;
    }
}

TEST_F(WinampIniContract, ANameTheCodePageCannotHoldIsNotWrittenBackBrokenUntilAnotherSkinIsChosen) {
    const std::string before = std::string("[Winamp]\r\nutf8=1\r\nskin=x") + kHangulUtf8 + "y\r\n";
    WriteIni(before);
    const winamp::IniName name = Ini().SkinName();
    EXPECT_EQ(name.name, "x?y");
    EXPECT_FALSE(name.exact);
    Ini().WriteSkinName(name.name);
    EXPECT_EQ(IniText(), before) << "the user's name stays";
    Ini().WriteSkinName("a?b");
    EXPECT_EQ(IniText(), before) << "a name with a lost character names no skin";
    Ini().WriteSkinName("Base");
    EXPECT_EQ(IniText(), "[Winamp]\r\nutf8=1\r\nskin=Base\r\n");
}

TEST_F(WinampIniContract, AValueThatIsNoUtf8IsTakenAsTheCodePagesAndKept) {
    const std::string before = "[Winamp]\r\nutf8=1\r\nskin=青空\r\n";
    WriteIni(before);
    EXPECT_EQ(Ini().SkinName().name, "青空");
    Ini().WriteSkinName("青空");
    EXPECT_EQ(IniText(), before);
    Ini().WriteSkinName("Other");
    EXPECT_EQ(Ini().SkinName().name, "Other");
}

}  // namespace
}  // namespace sorabell::testing
