#include <gtest/gtest.h>

#include "platform/TypingLimit.h"

namespace sorabell::text {
namespace {

// "ソ" and "表" end in a backslash byte; "あ" and "い" are two bytes each, as every kana is.
TEST(TypingLimit, TheLimitCountsBytesAndNeverSplitsADoubleByteCharacter) {
    // Typed one character at a time from empty, limit 5: い would need bytes 5 and 6.
    EXPECT_EQ(LimitTyping("abあ", "abあい", 6, 5).text, "abあ");
    EXPECT_EQ(LimitTyping("abあ", "abあc", 5, 5).text, "abあc");
    // Pasted between あ and い, limit 7: room for ソ only.
    const Typed pasted = LimitTyping("あい", "あソ表xい", 7, 7);
    EXPECT_EQ(pasted.text, "あソい");
    EXPECT_EQ(pasted.caret, 4u);
    // Pasted over a selection: what was selected is no longer there to be kept.
    EXPECT_EQ(LimitTyping("あソい", "abcdefghi", 9, 7).text, "abcdefg");
    EXPECT_EQ(LimitTyping("", "ソ表", 4, 3).text, "ソ");
    EXPECT_EQ(LimitTyping("ab", "abソ表", 6, 4).text, "abソ");
    // No limit, and text within it, come back whole.
    EXPECT_EQ(LimitTyping("", "あいうえお", 10, 0).text, "あいうえお");
    EXPECT_EQ(LimitTyping("", "あい", 4, 4).text, "あい");
}

TEST(TypingLimit, TextThatWasThereBeforeIsNeverCut) {
    // Set from code beyond the limit: typing is refused, deleting is not.
    EXPECT_EQ(LimitTyping("abcd", "abcdx", 5, 2).text, "abcd");
    EXPECT_EQ(LimitTyping("abcd", "abxcd", 3, 2).text, "abcd");
    EXPECT_EQ(LimitTyping("abcd", "abc", 3, 2).text, "abc");
    EXPECT_EQ(LimitTyping("あいう", "あう", 2, 2).text, "あう");
    // What is typed in the middle is cut at its own end; the text after it stays.
    EXPECT_EQ(LimitTyping("ab", "aXYZb", 4, 4).text, "aXYb");
    EXPECT_EQ(ExcessTyping("ab", "aXYZb", 4, 4)->from, 3u);
    EXPECT_EQ(ExcessTyping("ab", "aXYZb", 4, 4)->to, 4u);
    EXPECT_FALSE(ExcessTyping("ab", "aXYb", 3, 4));
}

TEST(TypingLimit, TheCaretStaysOrStandsWhereTheCutBegan) {
    EXPECT_EQ(LimitTyping("ab", "aXb", 2, 4).caret, 2u);
    EXPECT_EQ(LimitTyping("ab", "aXYZb", 4, 4).caret, 3u);
    EXPECT_EQ(LimitTyping("abcd", "abxcd", 3, 2).caret, 2u);
    EXPECT_EQ(LimitTyping("", "ab", 9, 0).caret, 2u);  // never past the end
}

// The Win32 edit counts its caret and selection in characters, whatever their bytes.
TEST(TypingLimit, EditPositionsCountCharactersOfTheBytes) {
    const std::string text = "aソ表b";
    EXPECT_EQ(ByteOffset(text, 0), 0u);
    EXPECT_EQ(ByteOffset(text, 2), 3u);
    EXPECT_EQ(ByteOffset(text, 4), 6u);
    EXPECT_EQ(ByteOffset(text, 9), 6u);
    EXPECT_EQ(CharCount(text, 3), 2u);
    EXPECT_EQ(CharCount(text, 6), 4u);
    EXPECT_EQ(CharCount(text, 60), 4u);
    // A lead byte at the very end is a character of its own.
    EXPECT_EQ(CharCount("a\x83", 2), 2u);
    EXPECT_EQ(ByteOffset("a\x83", 2), 2u);
}

}  // namespace
}  // namespace sorabell::text
