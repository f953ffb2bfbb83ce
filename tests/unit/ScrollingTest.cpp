#include <gtest/gtest.h>

#include "display/Scrolling.h"

namespace sorabell::display {
namespace {

struct Tick {
    int offset;
    bool changed;
};

// Runs ticks of one line and records where it stood after each.
std::vector<Tick> RunTicks(int ticks, int textWidth, int bitmapWidth, int scrollDot, int scale = 1) {
    TDispOption line;
    std::vector<Tick> out;
    for (int i = 0; i < ticks; ++i) {
        const bool changed = ScrollStep(
            line, [&] { return textWidth; }, bitmapWidth, scrollDot, [&] { return scale; });
        out.push_back({line.scrollOffset, changed});
    }
    return out;
}

std::vector<int> Offsets(const std::vector<Tick>& ticks) {
    std::vector<int> offsets;
    for (const Tick& t : ticks) {
        offsets.push_back(t.offset);
    }
    return offsets;
}

TEST(Scrolling, ALineThatFitsNeverMoves) {
    for (const Tick& t : RunTicks(30, 100, 157, 6)) {
        EXPECT_EQ(t.offset, 0);
        EXPECT_FALSE(t.changed);
    }
}

TEST(Scrolling, TwoPixelsOfRoomDecide) {
    // Exactly 2 pixels narrower than the bitmap: fits.
    for (const Tick& t : RunTicks(10, 155, 157, 6)) {
        EXPECT_FALSE(t.changed);
    }
    // One pixel more: scrolls.
    const auto ticks = RunTicks(10, 156, 157, 6);
    EXPECT_TRUE(std::any_of(ticks.begin(), ticks.end(), [](const Tick& t) { return t.changed; }));
}

TEST(Scrolling, AWideLineRestsMovesLeftRestsAndComesBack) {
    // 200 pixels of text in 157: the end shows once 200 - offset + 2 < 157, at offset 48.
    const auto ticks = RunTicks(40, 200, 157, 6);
    EXPECT_EQ(Offsets(ticks),
              (std::vector<int>{0,  0,  0, 0, 0, 6, 12, 18, 24, 30, 36, 42, 48, 48, 48, 48, 42, 36, 30, 24,
                                18, 12, 6, 0, 0, 0, 0,  0,  0,  6,  12, 18, 24, 30, 36, 42, 48, 48, 48, 48}));
    // Tick 2 starts the move; resting ticks change nothing.
    EXPECT_FALSE(ticks[0].changed);
    EXPECT_TRUE(ticks[1].changed);
    EXPECT_FALSE(ticks[2].changed);
    EXPECT_TRUE(ticks[5].changed);
}

TEST(Scrolling, DoubleSizeMovesTwiceAsFarOnScreen) {
    // In double size the text is 400 pixels in 314, and each step moves 6 of its unscaled pixels.
    const auto offsets = Offsets(RunTicks(16, 400, 314, 6, 2));
    EXPECT_EQ(*std::max_element(offsets.begin(), offsets.end()), 48);
}

TEST(Scrolling, AResetLineStartsOver) {
    TDispOption line{"x", false, 2, 30, 1};
    ResetScroll(line);
    EXPECT_EQ(line.scrollMode, 0);
    EXPECT_EQ(line.scrollOffset, 0);
    EXPECT_EQ(line.waitCount, 0);
}

}  // namespace
}  // namespace sorabell::display
