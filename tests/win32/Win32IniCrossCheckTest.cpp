// The simulated INI files must read and write as the private-profile functions do: the same
// files, read both ways, give the same answers.

#include <gtest/gtest.h>

#include <vector>

#include "contract/ContractEnvironment.h"
#include "platform/IniDocument.h"

namespace sorabell::testing {
namespace {

struct Query {
    const char* section;
    const char* key;
};

const char* const kFiles[] = {
    "[Winamp]\r\nskin=Base\r\nSkinDir=C:\\Skins\\\r\n",
    "; comment\r\n[Winamp]\r\n  skin  =  spaced value  \r\nempty=\r\nflag\r\n\r\n[winamp]\r\nskin=second\r\n",
    "[a]\nx=1\n[b]\nx=2\n",
    "[q]\r\nd=\"quoted\"\r\ns='single'\r\nhalf=\"open\r\nmixed=\"a'\r\nin=a \"b\" c\r\neq=a=b\r\n",
    "[日本]\r\n曲=ソ表\r\nkey=値\r\n",
    "noheader=1\r\n[s]\r\n[c\r\nz=3\r\n\t tab\t=\tv\t\r\n",
    "",
};

const Query kQueries[] = {
    {"Winamp", "skin"},  {"WINAMP", "SKIN"}, {"Winamp", "SkinDir"},
    {"Winamp", "empty"}, {"Winamp", "flag"}, {"Winamp", "missing"},
    {"a", "x"},          {"b", "x"},         {"q", "d"},
    {"q", "s"},          {"q", "half"},      {"q", "mixed"},
    {"q", "in"},         {"q", "eq"},        {"日本", "曲"},
    {"日本", "KEY"},     {"s", "z"},         {"s", "[c"},
    {"s", "tab"},        {"c", "z"},         {"", "noheader"},
    {"none", "none"},
};

class IniCrossCheck : public ContractTest {
protected:
    std::string RealRead(const std::string& file, const Query& q) {
        return os().iniFiles.ReadString(file, q.section, q.key, "<default>");
    }
};

TEST_F(IniCrossCheck, ReadingAgreesWithGetPrivateProfileString) {
    int n = 0;
    for (const char* content : kFiles) {
        const std::string file = PathOf("read" + std::to_string(n++) + ".ini");
        platform::WriteWholeFile(os().files, file, content);
        for (const Query& q : kQueries) {
            EXPECT_EQ(platform::IniReadString(content, q.section, q.key, "<default>"), RealRead(file, q))
                << "file " << n - 1 << ", [" << q.section << "] " << q.key;
        }
    }
}

TEST_F(IniCrossCheck, WritingAgreesWithWritePrivateProfileString) {
    struct Write {
        const char* section;
        const char* key;
        const char* value;
    };
    const Write writes[] = {
        {"Winamp", "skin", "New"}, {"WINAMP", "Skin", "Newer"}, {"Winamp", "randskin", "0"}, {"Fresh", "key", "v"},
        {"q", "d", "  padded  "},  {"日本", "曲", "メタル"},    {"a", "x", "\"quoted\""},    {"Winamp", "empty", ""},
    };
    int n = 0;
    for (const char* content : kFiles) {
        const std::string real = PathOf("real" + std::to_string(n) + ".ini");
        const std::string own = PathOf("own" + std::to_string(n) + ".ini");
        ++n;
        platform::WriteWholeFile(os().files, real, content);
        platform::IniDocument document(content);
        for (const Write& w : writes) {
            os().iniFiles.WriteString(real, w.section, w.key, w.value);
            document.Set(w.section, w.key, w.value);
        }
        platform::WriteWholeFile(os().files, own, document.Render());
        for (const Query& q : kQueries) {
            EXPECT_EQ(RealRead(own, q), RealRead(real, q)) << "file " << n - 1 << ", [" << q.section << "] " << q.key;
        }
        for (const Write& w : writes) {
            const Query q{w.section, w.key};
            EXPECT_EQ(RealRead(own, q), RealRead(real, q)) << "file " << n - 1 << ", [" << w.section << "] " << w.key;
        }
    }
}

}  // namespace
}  // namespace sorabell::testing
