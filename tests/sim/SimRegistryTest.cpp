#include <gtest/gtest.h>

#include <fstream>

#include "platform/Errors.h"
#include "platform/sim/SimRegistry.h"
#include "sim/TempFolder.h"

namespace sorabell::sim {
namespace {

using platform::RegistryRoot;
using platform::RegistryValue;

TEST(SimRegistry, KeepsItsValuesInARegeditFile) {
    testing::TempFolder temp;
    const auto file = temp.path() / "registry.reg";
    {
        SimRegistry reg(file);
        reg.WriteString(RegistryRoot::CurrentUser, "software\\Quillmere\\Sorabell\\Option", "Lumora", "♪");
        reg.WriteString(RegistryRoot::CurrentUser, "software\\Quillmere\\Sorabell\\Option", "Path", "C:\\a \"b\"\\");
        reg.WriteDWord(RegistryRoot::CurrentUser, "software\\Quillmere\\Sorabell\\Option", "Hand", 400);
        reg.WriteString(RegistryRoot::ClassesRoot, ".mp3", "", "Winamp.File");
    }
    const std::string text = testing::ReadHostFile(file);
    EXPECT_EQ(text.substr(0, 10), "REGEDIT4\r\n");
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\software\\Quillmere\\Sorabell\\Option]\r\n"
                        "\"Lumora\"=\"♪\"\r\n"
                        "\"Path\"=\"C:\\\\a \\\"b\\\"\\\\\"\r\n"
                        "\"Hand\"=dword:00000190\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("[HKEY_CLASSES_ROOT\\.mp3]\r\n@=\"Winamp.File\"\r\n"), std::string::npos) << text;

    SimRegistry restarted(file);
    EXPECT_EQ(restarted.ReadValue(RegistryRoot::CurrentUser, "Software\\Quillmere\\Sorabell\\Option", "lumora")->text,
              "♪");
    EXPECT_EQ(restarted.ReadValue(RegistryRoot::CurrentUser, "software\\Quillmere\\Sorabell\\Option", "Path")->text,
              "C:\\a \"b\"\\");
    EXPECT_EQ(restarted.ReadValue(RegistryRoot::CurrentUser, "software\\Quillmere\\Sorabell\\Option", "Hand")->number,
              400u);
    EXPECT_EQ(restarted.ExportText(), text);
}

TEST(SimRegistry, ReadsWhatRegeditWrites) {
    SimRegistry reg;
    reg.ImportText(
        "REGEDIT4\n\n"
        "[HKEY_CURRENT_USER\\Software\\Test]\n"
        "\"Plain\"=\"text\"\n"
        "\"Expand\"=hex(2):25,54,45,4d,50,25,00\n"
        "\"Binary\"=hex:01,02,\\\n"
        "  03,04\n"
        "\"Word\"=dword:0000000a\n"
        "; a comment\n"
        "@=\"default\"\n");
    const std::string key = "Software\\Test";
    EXPECT_EQ(reg.ReadValue(RegistryRoot::CurrentUser, key, "Plain")->text, "text");
    EXPECT_EQ(reg.ReadValue(RegistryRoot::CurrentUser, key, "Expand")->text, "%TEMP%");
    EXPECT_EQ(reg.ReadValue(RegistryRoot::CurrentUser, key, "Binary")->kind, RegistryValue::Kind::Other);
    EXPECT_EQ(reg.ReadValue(RegistryRoot::CurrentUser, key, "Word")->number, 10u);
    EXPECT_EQ(reg.ReadValue(RegistryRoot::CurrentUser, key, "")->text, "default");
    const std::string exported = reg.ExportText();
    EXPECT_NE(exported.find("\"Binary\"=hex:01,02,03,04\r\n"), std::string::npos) << exported;
    EXPECT_NE(exported.find("\"Expand\"=hex(2):25,54,45,4d,50,25,00\r\n"), std::string::npos) << exported;
}

TEST(SimRegistry, StringsWithLineBreaksAreWrittenAsHex) {
    SimRegistry reg;
    reg.WriteString(RegistryRoot::CurrentUser, "k", "multi", "a\r\nb");
    EXPECT_NE(reg.ExportText().find("\"multi\"=hex(1):61,0d,0a,62,00\r\n"), std::string::npos);
    SimRegistry copy;
    copy.ImportText(reg.ExportText());
    EXPECT_EQ(copy.ReadValue(RegistryRoot::CurrentUser, "k", "multi")->text, "a\r\nb");
}

TEST(SimRegistry, EmptyKeyNamesOpenNothing) {
    SimRegistry reg;
    reg.WriteString(RegistryRoot::ClassesRoot, "mp3file\\shell", "", "");
    EXPECT_FALSE(reg.KeyExists(RegistryRoot::ClassesRoot, "mp3file\\shell\\\\command"));
    EXPECT_FALSE(reg.CreateKey(RegistryRoot::ClassesRoot, "mp3file\\shell\\\\command"));
    EXPECT_THROW(reg.WriteString(RegistryRoot::ClassesRoot, "a\\\\b", "", "x"), ERegistryException);
}

}  // namespace
}  // namespace sorabell::sim
