// The backend's conversion of Unicode text into the code page.

#include <gmock/gmock.h>

#include "contract/ContractEnvironment.h"

namespace sorabell::testing {
namespace {

using CodePage = ContractTest;

TEST_F(CodePage, JapaneseTextBecomesCp932AndACharacterItLacksOneQuestionMarkOrACloseOne) {
    EXPECT_EQ(os().codePage.FromUtf16(u"[00:01]歌詞はｶﾅ ①"), "[00:01]歌詞はｶﾅ ①");
    // Kept out of the macros, whose text of their arguments is in the code page.
    const std::u16string hangul = u"x한y";
    const std::u16string accented = u"é";
    EXPECT_EQ(os().codePage.FromUtf16(hangul), "x?y");
    EXPECT_THAT(os().codePage.FromUtf16(accented), ::testing::AnyOf("e", "?"));
}

TEST_F(CodePage, TheExactConversionRefusesWhatCp932CannotHoldAsItIs) {
    EXPECT_EQ(os().codePage.ExactFromUtf16(u"曲 ｶﾅ ①"), "曲 ｶﾅ ①");
    const std::u16string hangul = u"x한y";
    const std::u16string accented = u"Beyoncé";
    EXPECT_EQ(os().codePage.ExactFromUtf16(hangul), std::nullopt);
    EXPECT_EQ(os().codePage.ExactFromUtf16(accented), std::nullopt) << "no close character either";
}

TEST_F(CodePage, Cp932TextConvertsBackToUnicodeAndABrokenPairDoesNot) {
    EXPECT_EQ(os().codePage.ToUtf16("曲 ｶﾅ ①"), u"曲 ｶﾅ ①");
    EXPECT_EQ(os().codePage.ToUtf16("x\x81"), std::nullopt) << "a first byte without its second";
}

}  // namespace
}  // namespace sorabell::testing
