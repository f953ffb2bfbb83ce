// The backend's conversion of Unicode text into the code page.

#include "contract/ContractEnvironment.h"

namespace sorabell::testing {
namespace {

using CodePage = ContractTest;

TEST_F(CodePage, JapaneseTextBecomesItsCp932Bytes) {
    EXPECT_EQ(os().codePage.FromUtf16(u"[00:01]歌詞はｶﾅ ①"), "[00:01]歌詞はｶﾅ ①");
    EXPECT_EQ(os().codePage.FromUtf16(std::u16string(u"a\0b", 3)), std::string("a\0b", 3));
    EXPECT_EQ(os().codePage.FromUtf16(u""), "");
}

TEST_F(CodePage, ACharacterCp932LacksBecomesOneQuestionMarkOrACloseCharacter) {
    // Kept out of the macros, whose text of their arguments is in the code page.
    const std::u16string hangul = u"x한y";
    EXPECT_EQ(os().codePage.FromUtf16(hangul), "x?y");
    const std::string accented = os().codePage.FromUtf16(u"é");
    EXPECT_TRUE(accented == "e" || accented == "?") << accented;
}

}  // namespace
}  // namespace sorabell::testing
