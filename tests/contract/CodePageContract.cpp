// The backend's conversion of Unicode text into the code page.

#include <gmock/gmock.h>

#include "contract/ContractEnvironment.h"
#include "platform/FilePath.h"

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
    EXPECT_EQ(os().codePage.ExactToUtf16("曲 ｶﾅ ①"), u"曲 ｶﾅ ①");
    EXPECT_EQ(os().codePage.ExactToUtf16("x\x81"), std::nullopt) << "a first byte without its second";
}

TEST_F(CodePage, APathComesFromCp932AndShowsWhatCp932LacksAsQuestionMarks) {
    platform::CodePage& codePage = os().codePage;
    const std::u8string japanese = u8"C:\\曲\\表.mp3";
    // "表" ends in the byte of "\" in CP932.
    const auto path = platform::FilePath::FromCp932("C:\\曲\\表.mp3", codePage);
    EXPECT_EQ(path.Utf8(), std::string(japanese.begin(), japanese.end()));
    EXPECT_EQ(path.ExactCp932(codePage), "C:\\曲\\表.mp3");
    EXPECT_EQ(path.Cp932Text(codePage), "C:\\曲\\表.mp3");

    const std::u8string korean = u8"C:\\Beyoncé\\한국 𝄞.mp3";
    const auto lacking = platform::FilePath::FromUtf8(std::string(korean.begin(), korean.end()));
    EXPECT_EQ(lacking.ExactCp932(codePage), std::nullopt);
    EXPECT_EQ(lacking.Cp932Text(codePage), "C:\\Beyonc?\\?? ?.mp3") << "one \"?\" a character, no close one";
}

}  // namespace
}  // namespace sorabell::testing
