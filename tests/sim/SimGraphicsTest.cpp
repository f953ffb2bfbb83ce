#include <gtest/gtest.h>

#include <climits>

#include "platform/sim/SimGraphics.h"
#include "platform/sim/SimMachine.h"
#include "sim/SimPlayer.h"
#include "sim/TempFolder.h"
#include "support/BmpWriter.h"

namespace sorabell::sim {
namespace {

using platform::FontSpec;
using platform::Rect;
using testing::kPlayerPlain;

constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kBlack = 0x000000;
constexpr TColor kRed = RGBColor(255, 0, 0);
constexpr TColor kBlue = RGBColor(0, 0, 255);

// A colour of its own for every pixel, so that a test sees where each one went.
constexpr TColor Marker(int x, int y) { return RGBColor(x & 0xFF, y & 0xFF, 0x40 + (x >> 8)); }

// Where the pixels of one colour are.
struct Found {
    int count = 0;
    int left = INT_MAX;
    int top = INT_MAX;
    int right = INT_MIN;  // the last column, inclusive
    int bottom = INT_MIN;
};

Found Find(platform::Bitmap& bitmap, TColor colour, const Rect& within = {0, 0, INT_MAX, INT_MAX}) {
    Found found;
    for (int y = std::max(0, within.top); y < std::min(bitmap.height(), within.bottom); ++y) {
        for (int x = std::max(0, within.left); x < std::min(bitmap.width(), within.right); ++x) {
            if (bitmap.canvas().Pixel(x, y) == colour) {
                ++found.count;
                found.left = std::min(found.left, x);
                found.top = std::min(found.top, y);
                found.right = std::max(found.right, x);
                found.bottom = std::max(found.bottom, y);
            }
        }
    }
    return found;
}

class SimGraphicsTest : public ::testing::Test {
protected:
    std::unique_ptr<platform::Bitmap> Filled(int width, int height, TColor colour) {
        auto bitmap = graphics_.CreateBitmap();
        bitmap->canvas().SetBrushColor(colour);
        bitmap->SetSize(width, height);
        return bitmap;
    }
    std::unique_ptr<platform::Bitmap> Marked(int width, int height) {
        auto bitmap = Filled(width, height, kWhite);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                bitmap->canvas().SetPixel(x, y, Marker(x, y));
            }
        }
        return bitmap;
    }
    // A white bitmap whose canvas writes black text with a clear brush in `font`.
    std::unique_ptr<platform::Bitmap> TextBitmap(int width, int height, const FontSpec& font) {
        auto bitmap = Filled(width, height, kWhite);
        bitmap->canvas().SetFont(font);
        bitmap->canvas().SetFontColor(kBlack);
        bitmap->canvas().SetBrushClear(true);
        return bitmap;
    }
    static SimCanvas& Sim(platform::Bitmap& bitmap) { return static_cast<SimCanvas&>(bitmap.canvas()); }

    SimGraphics graphics_;
    const FontSpec gothic_{"ＭＳ ゴシック", -12, 0};
    const FontSpec pGothic_{"ＭＳ Ｐゴシック", -12, 0};
};

// --- Bitmaps ---

TEST_F(SimGraphicsTest, ANewBitmapIsEmpty) {
    auto bitmap = graphics_.CreateBitmap();
    EXPECT_EQ(bitmap->width(), 0);
    EXPECT_EQ(bitmap->height(), 0);
    EXPECT_EQ(bitmap->canvas().Pixel(0, 0), -1);
}

TEST_F(SimGraphicsTest, SetSizeKeepsWhatFitsAndFillsNewPixelsWithTheBrush) {
    auto bitmap = Marked(4, 3);
    bitmap->canvas().SetBrushColor(kRed);
    bitmap->SetSize(6, 5);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(bitmap->canvas().Pixel(x, y), x < 4 && y < 3 ? Marker(x, y) : kRed) << x << "," << y;
        }
    }
    bitmap->SetSize(2, 4);
    EXPECT_EQ(bitmap->canvas().Pixel(1, 2), Marker(1, 2));
    EXPECT_EQ(bitmap->canvas().Pixel(1, 3), kRed);
    EXPECT_EQ(bitmap->canvas().Pixel(2, 0), -1);
}

TEST_F(SimGraphicsTest, PixelsOutsideTheBitmapAreInvalidAndCannotBeSet) {
    auto bitmap = Filled(3, 3, kWhite);
    platform::Canvas& canvas = bitmap->canvas();
    for (const auto& [x, y] : {std::pair{-1, 0}, {0, -1}, {3, 0}, {0, 3}}) {
        canvas.SetPixel(x, y, kRed);
        EXPECT_EQ(canvas.Pixel(x, y), -1);
    }
    EXPECT_EQ(Find(*bitmap, kWhite).count, 9);
    canvas.SetPixel(2, 2, kRed);
    EXPECT_EQ(canvas.Pixel(2, 2), kRed);
}

class BitmapFiles : public SimGraphicsTest {
protected:
    testing::TempFolder temp_;
    SimMachine machine_{temp_.path()};
};

TEST_F(BitmapFiles, LoadFromFileTakesThePictureTopRowFirst) {
    testing::BmpFile file;
    file.width = 3;
    file.height = 2;  // stored bottom-up
    file.pixelData = testing::PixelRows(24, {{0xFF0000, 0x00FF00, 0x0000FF}, {0x010203, 0x040506, 0x070809}});
    platform::WriteWholeFile(machine_.files(), "C:\\pic.bmp", file.Bytes());
    auto bitmap = graphics_.CreateBitmap();
    ASSERT_TRUE(bitmap->LoadFromFile(machine_.files(), "C:\\pic.bmp"));
    ASSERT_EQ(bitmap->width(), 3);
    ASSERT_EQ(bitmap->height(), 2);
    EXPECT_EQ(bitmap->canvas().Pixel(0, 0), kRed);
    EXPECT_EQ(bitmap->canvas().Pixel(2, 0), kBlue);
    EXPECT_EQ(bitmap->canvas().Pixel(1, 1), RGBColor(4, 5, 6));
}

TEST_F(BitmapFiles, AMissingOrBrokenFileLeavesTheBitmapAsItWas) {
    testing::BmpFile file;
    file.width = 4;
    file.height = 4;
    file.pixelData = testing::PixelRows(24, {{1, 2, 3, 4}, {1, 2, 3, 4}, {1, 2, 3, 4}, {1, 2, 3, 4}});
    platform::WriteWholeFile(machine_.files(), "C:\\short.bmp", file.Bytes().substr(0, 70));
    auto bitmap = Marked(2, 2);
    EXPECT_FALSE(bitmap->LoadFromFile(machine_.files(), "C:\\none.bmp"));
    EXPECT_FALSE(bitmap->LoadFromFile(machine_.files(), "C:\\short.bmp"));
    EXPECT_EQ(bitmap->width(), 2);
    EXPECT_EQ(bitmap->canvas().Pixel(1, 1), Marker(1, 1));
}

// --- Copying pictures ---

TEST_F(SimGraphicsTest, DrawAtNegativeOffsetsShowsTheLowerRightPartAndClipsAtTheEdges) {
    auto source = Marked(10, 8);
    auto target = Filled(5, 4, kWhite);
    target->canvas().Draw(-3, -2, *source);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(target->canvas().Pixel(x, y), Marker(x + 3, y + 2)) << x << "," << y;
        }
    }
    auto corner = Filled(5, 4, kWhite);
    corner->canvas().Draw(3, 2, *source);
    EXPECT_EQ(Find(*corner, kWhite).count, 20 - 4);
    EXPECT_EQ(corner->canvas().Pixel(3, 2), Marker(0, 0));
    EXPECT_EQ(corner->canvas().Pixel(4, 3), Marker(1, 1));
}

TEST_F(SimGraphicsTest, StretchDrawToTwiceTheSizeDoublesEveryPixel) {
    auto source = Marked(7, 5);
    auto target = Filled(16, 12, kWhite);
    target->canvas().StretchDraw({1, 1, 15, 11}, *source);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 16; ++x) {
            const bool inside = x >= 1 && x < 15 && y >= 1 && y < 11;
            EXPECT_EQ(target->canvas().Pixel(x, y), inside ? Marker((x - 1) / 2, (y - 1) / 2) : kWhite)
                << x << "," << y;
        }
    }
}

TEST_F(SimGraphicsTest, CopyRectStretchesThePartOfTheSourceOverTheDestination) {
    // The one-line double-size background: (2, 2)-(159, 14) of the 160 x 48 back image over 314 x 24.
    auto back = Marked(160, 48);
    auto display = Filled(314, 24, kWhite);
    display->canvas().CopyRect({0, 0, 314, 24}, back->canvas(), {2, 2, 159, 14});
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 314; ++x) {
            ASSERT_EQ(display->canvas().Pixel(x, y), Marker(2 + x / 2, 2 + y / 2)) << x << "," << y;
        }
    }
}

TEST_F(SimGraphicsTest, CopyRectOfTheSameSizeCopiesPixelForPixel) {
    auto source = Marked(10, 10);
    auto target = Filled(6, 6, kWhite);
    target->canvas().CopyRect({1, 2, 5, 5}, source->canvas(), {3, 4, 7, 7});
    EXPECT_EQ(target->canvas().Pixel(1, 2), Marker(3, 4));
    EXPECT_EQ(target->canvas().Pixel(4, 4), Marker(6, 6));
    EXPECT_EQ(target->canvas().Pixel(5, 4), kWhite);
    EXPECT_EQ(target->canvas().Pixel(1, 5), kWhite);
    EXPECT_EQ(Find(*target, kWhite).count, 36 - 12);
}

TEST_F(SimGraphicsTest, DrawingABitmapOntoItselfReadsThePictureAsItWas) {
    auto bitmap = Marked(4, 1);
    bitmap->canvas().Draw(1, 0, *bitmap);
    EXPECT_EQ(bitmap->canvas().Pixel(0, 0), Marker(0, 0));
    EXPECT_EQ(bitmap->canvas().Pixel(1, 0), Marker(0, 0));
    EXPECT_EQ(bitmap->canvas().Pixel(3, 0), Marker(2, 0));
}

// --- Rectangles and lines ---

TEST_F(SimGraphicsTest, FillRectLeavesOutTheRightColumnAndBottomRow) {
    auto bitmap = Filled(6, 6, kWhite);
    bitmap->canvas().SetBrushColor(kRed);
    bitmap->canvas().FillRect({1, 2, 4, 5});
    const Found red = Find(*bitmap, kRed);
    EXPECT_EQ(red.count, 9);
    EXPECT_EQ(red.left, 1);
    EXPECT_EQ(red.top, 2);
    EXPECT_EQ(red.right, 3);
    EXPECT_EQ(red.bottom, 4);
    bitmap->canvas().SetBrushColor(kBlue);
    bitmap->canvas().SetBrushClear(true);
    bitmap->canvas().FillRect({0, 0, 6, 6});
    EXPECT_EQ(Find(*bitmap, kBlue).count, 0);
}

TEST_F(SimGraphicsTest, RectangleFramesInsideWithThePenAndFillsWithTheBrush) {
    auto bitmap = Filled(9, 8, kWhite);
    platform::Canvas& canvas = bitmap->canvas();
    canvas.SetPenColor(kRed);
    canvas.SetBrushColor(kBlue);
    canvas.Rectangle({1, 2, 7, 7});
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 9; ++x) {
            const bool inside = x >= 1 && x < 7 && y >= 2 && y < 7;
            const bool edge = inside && (x == 1 || x == 6 || y == 2 || y == 6);
            EXPECT_EQ(canvas.Pixel(x, y), edge ? kRed : inside ? kBlue : kWhite) << x << "," << y;
        }
    }
}

TEST_F(SimGraphicsTest, RectangleWithAClearBrushOnlyFrames) {
    auto bitmap = Filled(6, 6, kWhite);
    bitmap->canvas().SetPenColor(kRed);
    bitmap->canvas().SetBrushClear(true);
    bitmap->canvas().Rectangle({0, 0, 4, 3});
    EXPECT_EQ(Find(*bitmap, kRed).count, 4 + 4 + 1 + 1);
    EXPECT_EQ(bitmap->canvas().Pixel(1, 1), kWhite);
    EXPECT_EQ(bitmap->canvas().Pixel(2, 1), kWhite);
}

TEST_F(SimGraphicsTest, LineToLeavesOutItsEndPointInEveryDirection) {
    auto bitmap = Filled(8, 8, kWhite);
    platform::Canvas& canvas = bitmap->canvas();
    canvas.SetPenColor(kRed);
    canvas.MoveTo(1, 1);
    canvas.LineTo(5, 1);  // right: 1..4
    EXPECT_EQ(Find(*bitmap, kRed, {0, 1, 8, 2}).left, 1);
    EXPECT_EQ(Find(*bitmap, kRed, {0, 1, 8, 2}).right, 4);
    canvas.MoveTo(6, 3);
    canvas.LineTo(2, 3);  // left: 6 down to 3
    EXPECT_EQ(Find(*bitmap, kRed, {0, 3, 8, 4}).left, 3);
    EXPECT_EQ(Find(*bitmap, kRed, {0, 3, 8, 4}).right, 6);
    canvas.MoveTo(0, 2);
    canvas.LineTo(0, 7);  // down: 2..6
    EXPECT_EQ(Find(*bitmap, kRed, {0, 0, 1, 8}).top, 2);
    EXPECT_EQ(Find(*bitmap, kRed, {0, 0, 1, 8}).bottom, 6);
    canvas.MoveTo(7, 6);
    canvas.LineTo(7, 2);  // up: 6 down to 3
    EXPECT_EQ(Find(*bitmap, kRed, {7, 0, 8, 8}).top, 3);
    EXPECT_EQ(Find(*bitmap, kRed, {7, 0, 8, 8}).bottom, 6);
    EXPECT_EQ(Find(*bitmap, kRed).count, 4 + 4 + 5 + 4);
}

TEST_F(SimGraphicsTest, ConnectedLinesMeetBecauseEachStartsWhereTheLastStopped) {
    auto bitmap = Filled(5, 5, kWhite);
    platform::Canvas& canvas = bitmap->canvas();
    canvas.SetPenColor(kRed);
    canvas.MoveTo(0, 0);
    canvas.LineTo(3, 0);
    canvas.LineTo(3, 3);
    EXPECT_EQ(canvas.Pixel(2, 0), kRed);
    EXPECT_EQ(canvas.Pixel(3, 0), kRed);  // the second line's start
    EXPECT_EQ(canvas.Pixel(3, 2), kRed);
    EXPECT_EQ(canvas.Pixel(3, 3), kWhite);
    canvas.LineTo(3, 3);  // to where the pen is: nothing
    EXPECT_EQ(Find(*bitmap, kRed).count, 6);
}

TEST_F(SimGraphicsTest, AWidePenCoversHalfItsWidthBeforeTheLine) {
    auto bitmap = Filled(8, 8, kWhite);
    platform::Canvas& canvas = bitmap->canvas();
    canvas.SetPenColor(kRed);
    canvas.SetPenWidth(2);
    canvas.MoveTo(1, 1);
    canvas.LineTo(1, 5);  // columns 0 and 1
    const Found vertical = Find(*bitmap, kRed);
    EXPECT_EQ(vertical.left, 0);
    EXPECT_EQ(vertical.right, 1);
    EXPECT_EQ(vertical.top, 1);
    EXPECT_EQ(vertical.bottom, 4);
    EXPECT_EQ(vertical.count, 8);

    canvas.SetPenColor(kBlue);
    canvas.SetPenWidth(3);
    canvas.MoveTo(3, 5);
    canvas.LineTo(7, 5);  // rows 4, 5 and 6
    const Found horizontal = Find(*bitmap, kBlue);
    EXPECT_EQ(horizontal.top, 4);
    EXPECT_EQ(horizontal.bottom, 6);
    EXPECT_EQ(horizontal.left, 3);
    EXPECT_EQ(horizontal.right, 6);
    EXPECT_EQ(horizontal.count, 12);
}

TEST_F(SimGraphicsTest, SlantedLinesKeepTheirStartLeaveOutTheirEndAndMayComeFromFarAway) {
    auto bitmap = Filled(10, 10, kWhite);
    platform::Canvas& canvas = bitmap->canvas();
    canvas.SetPenColor(kRed);
    canvas.MoveTo(1, 1);
    canvas.LineTo(7, 4);
    EXPECT_EQ(canvas.Pixel(1, 1), kRed);
    EXPECT_EQ(canvas.Pixel(7, 4), kWhite);
    EXPECT_EQ(Find(*bitmap, kRed).count, 6);  // one pixel per column 1..6
    canvas.MoveTo(-1000000000, -1000000000);
    canvas.SetPenWidth(5);
    canvas.LineTo(1000000000, 999999999);
    EXPECT_EQ(canvas.Pixel(5, 5), kRed);
}

TEST_F(SimGraphicsTest, CoordinatesFarOutsideDrawWhatFallsInsideAndNothingElse) {
    auto bitmap = Filled(6, 6, kWhite);
    platform::Canvas& canvas = bitmap->canvas();
    auto source = Marked(4, 4);
    canvas.Draw(INT_MAX - 1, INT_MAX - 1, *source);
    canvas.Draw(INT_MIN, INT_MIN, *source);
    canvas.CopyRect({INT_MIN, 0, INT_MAX, 6}, source->canvas(), {0, 0, INT_MAX, INT_MAX});
    canvas.TextOut(INT_MAX - 2, INT_MAX - 2, "abc");
    canvas.TextOut(INT_MIN, 0, "abc");
    EXPECT_EQ(Find(*bitmap, kWhite).count, 36);

    canvas.SetPenColor(kRed);
    canvas.SetPenWidth(2);
    canvas.MoveTo(INT_MIN, 3);
    canvas.LineTo(INT_MAX, 3);  // rows 2 and 3
    EXPECT_EQ(Find(*bitmap, kRed).count, 12);
    canvas.SetPenWidth(1);
    canvas.SetBrushColor(kBlue);
    canvas.Rectangle({INT_MIN, INT_MIN, INT_MAX, INT_MAX});
    EXPECT_EQ(Find(*bitmap, kBlue).count, 36);
}

// --- Text ---

TEST_F(SimGraphicsTest, ANewCanvasWritesInTheDefaultFace) {
    EXPECT_EQ(graphics_.DefaultFontName(), "ＭＳ Ｐゴシック");
    auto bitmap = graphics_.CreateBitmap();
    EXPECT_EQ(bitmap->canvas().font().name, graphics_.DefaultFontName());
}

TEST_F(SimGraphicsTest, TextStartsAtItsX) {
    auto bitmap = TextBitmap(60, 20, pGothic_);
    bitmap->canvas().TextOut(10, 2, "M");
    const Found ink = Find(*bitmap, kBlack);
    ASSERT_GT(ink.count, 0);
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.left, 11);  // the stem of an "M" stands at the start of its cell
    EXPECT_LT(ink.right, 10 + bitmap->canvas().TextWidth("M"));
}

TEST_F(SimGraphicsTest, TheBaselineLiesAscentRowsBelowTheTopOfTheCell) {
    const int y = 7;
    for (const FontSpec& font :
         {pGothic_, FontSpec{"ＭＳ 明朝", -24, 0}, FontSpec{"ＭＳ ゴシック", 20, 0}, FontSpec{"ＭＳ Ｐ明朝", 13, 0}}) {
        SCOPED_TRACE(font.height);
        // The box-drawing bar reaches up to exactly the face's ascent: its top row is the cell's.
        auto bar = TextBitmap(80, 60, font);
        SimCanvas& canvas = Sim(*bar);
        canvas.TextOut(2, y, "│");
        const Found reach = Find(*bar, kBlack);
        EXPECT_EQ(reach.top, y);
        EXPECT_GE(reach.bottom, y + canvas.TextAscent());
        EXPECT_LT(reach.bottom, y + canvas.TextHeight());
        // Capitals stand on the baseline (the IPA faces lift them a twentieth of an em off it);
        // tails hang below it.
        auto capital = TextBitmap(80, 60, font);
        capital->canvas().TextOut(2, y, "M");
        EXPECT_LT(Find(*capital, kBlack).bottom, y + canvas.TextAscent());
        EXPECT_GE(Find(*capital, kBlack).bottom, y + canvas.TextAscent() - 2);
        auto tails = TextBitmap(80, 60, font);
        tails->canvas().TextOut(2, y, "gy");
        EXPECT_GE(Find(*tails, kBlack).bottom, y + canvas.TextAscent());
        EXPECT_LT(Find(*tails, kBlack).bottom, y + canvas.TextHeight());
    }
}

TEST_F(SimGraphicsTest, APositiveHeightIsTheCellAndANegativeOneTheCharacter) {
    auto bitmap = TextBitmap(10, 10, {"ＭＳ ゴシック", 20, 0});
    SimCanvas& canvas = Sim(*bitmap);
    EXPECT_EQ(canvas.TextHeight(), 20);
    EXPECT_LT(canvas.TextWidth("あ"), 20);  // the cell is taller than the character
    canvas.SetFont({"ＭＳ ゴシック", -20, 0});
    EXPECT_EQ(canvas.TextWidth("あ"), 20);  // a full-width character of a fixed face is one em wide
    EXPECT_GT(canvas.TextHeight(), 20);
}

TEST_F(SimGraphicsTest, AFixedFaceGivesHalfAndFullWidthCharactersHalfAndAWholeEm) {
    auto bitmap = TextBitmap(10, 10, gothic_);
    EXPECT_EQ(bitmap->canvas().TextWidth("あいう"), 36);
    EXPECT_EQ(bitmap->canvas().TextWidth("abc"), 18);
    EXPECT_EQ(bitmap->canvas().TextWidth("ab日本"), 36);
}

TEST_F(SimGraphicsTest, TextWidthGrowsWithTheTextAndDoublesWithTheHeight) {
    auto bitmap = TextBitmap(10, 10, pGothic_);
    platform::Canvas& canvas = bitmap->canvas();
    const std::string line = "Sorabell - きらきら星 (Live)";
    EXPECT_EQ(canvas.TextWidth(""), 0);
    EXPECT_LT(canvas.TextWidth("Sorabell"), canvas.TextWidth("Sorabell -"));
    EXPECT_LT(canvas.TextWidth("Sorabell -"), canvas.TextWidth(line));
    const int normal = canvas.TextWidth(line);
    canvas.SetFont({pGothic_.name, -24, 0});
    const int twice = canvas.TextWidth(line);
    EXPECT_GE(twice, normal * 9 / 5);
    EXPECT_LE(twice, normal * 11 / 5);
}

TEST_F(SimGraphicsTest, JapaneseTextDrawsEveryCharacterInItsCell) {
    auto bitmap = TextBitmap(100, 20, gothic_);
    bitmap->canvas().TextOut(4, 3, "日本語の歌詞");
    for (int i = 0; i < 6; ++i) {
        EXPECT_GT(Find(*bitmap, kBlack, {4 + 12 * i, 0, 4 + 12 * (i + 1), 20}).count, 10) << i;
    }
    EXPECT_EQ(Find(*bitmap, kBlack, {4 + 72, 0, 100, 20}).count, 0);
}

TEST_F(SimGraphicsTest, BytesThatAreNoCharacterDrawNothingAndTakeHalfAnEm) {
    auto bitmap = TextBitmap(40, 20, gothic_);
    platform::Canvas& canvas = bitmap->canvas();
    EXPECT_EQ(canvas.TextWidth("\x80"), 6);
    EXPECT_EQ(canvas.TextWidth("a\x80"
                               "b"),
              canvas.TextWidth("ab") + 6);
    canvas.TextOut(2, 2, "\x80\xFD");
    EXPECT_EQ(Find(*bitmap, kBlack).count, 0);
    // Half a double-byte character at the end of a cut title.
    EXPECT_EQ(canvas.TextWidth("a\x93"), canvas.TextWidth("a") + 6);
}

TEST_F(SimGraphicsTest, ASolidBrushFillsTheTextCellAndAClearOneLeavesIt) {
    auto solid = TextBitmap(40, 24, pGothic_);
    SimCanvas& canvas = Sim(*solid);
    canvas.SetBrushClear(false);
    canvas.SetBrushColor(kBlue);
    canvas.TextOut(5, 3, "Ag");
    const Rect cell{5, 3, 5 + canvas.TextWidth("Ag"), 3 + canvas.TextHeight()};
    const int area = cell.width() * cell.height();
    const Found background = Find(*solid, kBlue);
    const Found ink = Find(*solid, kBlack);
    EXPECT_EQ(background.count + ink.count, area);
    EXPECT_EQ(background.left, cell.left);
    EXPECT_EQ(background.top, cell.top);
    EXPECT_EQ(background.right, cell.right - 1);
    EXPECT_EQ(background.bottom, cell.bottom - 1);

    auto clear = TextBitmap(40, 24, pGothic_);
    clear->canvas().TextOut(5, 3, "Ag");
    EXPECT_EQ(Find(*clear, kBlack).count, ink.count);
    EXPECT_EQ(Find(*clear, kWhite).count, 40 * 24 - ink.count);
}

TEST_F(SimGraphicsTest, TextRectDrawsOnlyInsideItsRectangle) {
    auto whole = TextBitmap(80, 24, gothic_);
    whole->canvas().TextOut(3, 2, "MMMMMM");
    const Found all = Find(*whole, kBlack);
    // Edges that cut through the text: the last column and row inside carry ink, as do the
    // first ones outside, so a clip that is one off either way shows.
    int right = all.left + 20;
    while (right < all.right && (Find(*whole, kBlack, {right, 0, right + 1, 24}).count == 0 ||
                                 Find(*whole, kBlack, {right - 1, 0, right, 24}).count == 0)) {
        ++right;
    }
    ASSERT_LT(right, all.right);
    const Rect clip{all.left + 2, all.top + 1, right, all.bottom};
    ASSERT_GT(Find(*whole, kBlack, {0, clip.bottom, 80, clip.bottom + 1}).count, 0);
    ASSERT_GT(Find(*whole, kBlack, {0, clip.bottom - 1, 80, clip.bottom}).count, 0);

    auto clipped = TextBitmap(80, 24, gothic_);
    clipped->canvas().TextRect(clip, 3, 2, "MMMMMM");
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 80; ++x) {
            const bool inside = x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
            ASSERT_EQ(clipped->canvas().Pixel(x, y), inside ? whole->canvas().Pixel(x, y) : kWhite) << x << "," << y;
        }
    }
}

TEST_F(SimGraphicsTest, TextRectWithASolidBrushFillsItsWholeRectangle) {
    auto bitmap = TextBitmap(40, 30, pGothic_);
    bitmap->canvas().SetBrushClear(false);
    bitmap->canvas().SetBrushColor(kBlue);
    bitmap->canvas().TextRect({2, 2, 38, 28}, 4, 4, "a");
    const Found background = Find(*bitmap, kBlue);
    EXPECT_EQ(background.count + Find(*bitmap, kBlack).count, 36 * 26);
    EXPECT_EQ(bitmap->canvas().Pixel(36, 26), kBlue);
}

TEST_F(SimGraphicsTest, TextOutLeavesThePenAtTheEndOfTheText) {
    auto bitmap = TextBitmap(40, 20, pGothic_);
    SimCanvas& canvas = Sim(*bitmap);
    canvas.TextOut(3, 4, "ab");
    EXPECT_EQ(canvas.penPos().x, 3 + canvas.TextWidth("ab"));
    EXPECT_EQ(canvas.penPos().y, 4);
}

TEST_F(SimGraphicsTest, TextTakesTheFontColourExactly) {
    auto bitmap = TextBitmap(60, 20, pGothic_);
    bitmap->canvas().SetFontColor(RGBColor(0, 196, 0));
    bitmap->canvas().TextOut(2, 2, "Wave");
    const int ink = Find(*bitmap, RGBColor(0, 196, 0)).count;
    EXPECT_GT(ink, 0);
    EXPECT_EQ(ink + Find(*bitmap, kWhite).count, 60 * 20);  // no smoothed edge pixels
}

TEST_F(SimGraphicsTest, BoldWidensEveryCharacterByAPixel) {
    auto regular = TextBitmap(60, 20, gothic_);
    auto bold = TextBitmap(60, 20, {gothic_.name, gothic_.height, platform::fontstyle::Bold});
    EXPECT_EQ(bold->canvas().TextWidth("abc"), regular->canvas().TextWidth("abc") + 3);
    regular->canvas().TextOut(2, 2, "l");
    bold->canvas().TextOut(2, 2, "l");
    const Found thin = Find(*regular, kBlack);
    const Found thick = Find(*bold, kBlack);
    EXPECT_EQ(thick.left, thin.left);
    EXPECT_EQ(thick.right, thin.right + 1);
    EXPECT_GT(thick.count, thin.count);
}

TEST_F(SimGraphicsTest, ItalicLeansTheTopToTheRight) {
    auto regular = TextBitmap(40, 30, {gothic_.name, -24, 0});
    auto italic = TextBitmap(40, 30, {gothic_.name, -24, platform::fontstyle::Italic});
    regular->canvas().TextOut(2, 2, "l");
    italic->canvas().TextOut(2, 2, "l");
    const Found upright = Find(*regular, kBlack);
    const Found leaning = Find(*italic, kBlack);
    const Found uprightTop = Find(*regular, kBlack, {0, upright.top, 40, upright.top + 1});
    const Found uprightFoot = Find(*regular, kBlack, {0, upright.bottom, 40, upright.bottom + 1});
    const Found top = Find(*italic, kBlack, {0, leaning.top, 40, leaning.top + 1});
    const Found foot = Find(*italic, kBlack, {0, leaning.bottom, 40, leaning.bottom + 1});
    EXPECT_GE(top.left - foot.left, (uprightTop.left - uprightFoot.left) + 2);
    EXPECT_EQ(italic->canvas().TextWidth("l"), regular->canvas().TextWidth("l"));
}

// Four blanks drawn at (5, 3) in the style: blanks have no ink of their own, so whatever is
// drawn is the style's line, which must be solid and run exactly under the whole text.
Found BlankLineOf(platform::Bitmap& bitmap) {
    SimCanvas& canvas = static_cast<SimCanvas&>(bitmap.canvas());
    canvas.TextOut(5, 3, "    ");
    const Found line = Find(bitmap, kBlack);
    EXPECT_GT(line.count, 0);
    EXPECT_EQ(line.left, 5);
    EXPECT_EQ(line.right, 5 + canvas.TextWidth("    ") - 1);
    EXPECT_EQ(line.count, (line.right - line.left + 1) * (line.bottom - line.top + 1));
    return line;
}

TEST_F(SimGraphicsTest, UnderlineRunsUnderTheBaselineAcrossTheWholeText) {
    auto bitmap = TextBitmap(60, 20, {gothic_.name, gothic_.height, platform::fontstyle::Underline});
    const Found line = BlankLineOf(*bitmap);
    EXPECT_GE(line.top, 3 + Sim(*bitmap).TextAscent());
    EXPECT_LT(line.bottom, 3 + Sim(*bitmap).TextHeight());
}

TEST_F(SimGraphicsTest, StrikeOutRunsAboveTheBaselineAcrossTheWholeText) {
    auto bitmap = TextBitmap(60, 20, {gothic_.name, gothic_.height, platform::fontstyle::StrikeOut});
    const Found line = BlankLineOf(*bitmap);
    EXPECT_GT(line.top, 3);
    EXPECT_LT(line.bottom, 3 + Sim(*bitmap).TextAscent());
}

TEST_F(SimGraphicsTest, UnknownFacesDrawInTheFixedGothicFace) {
    auto unknown = TextBitmap(60, 20, {"No Such Face", -12, 0});
    auto gothic = TextBitmap(60, 20, gothic_);
    unknown->canvas().TextOut(1, 1, "Wa日");
    gothic->canvas().TextOut(1, 1, "Wa日");
    EXPECT_EQ(unknown->canvas().TextWidth("Wa日"), 24);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 60; ++x) {
            ASSERT_EQ(unknown->canvas().Pixel(x, y), gothic->canvas().Pixel(x, y)) << x << "," << y;
        }
    }
}

TEST_F(SimGraphicsTest, TheProportionalFaceIsNotTheFixedOne) {
    auto bitmap = TextBitmap(10, 10, pGothic_);
    const int proportional = bitmap->canvas().TextWidth("iiii");
    bitmap->canvas().SetFont(gothic_);
    EXPECT_LT(proportional, bitmap->canvas().TextWidth("iiii"));
}

TEST_F(SimGraphicsTest, TextDrawnAgainAfterOtherFontsIsTheSame) {
    auto first = TextBitmap(120, 30, pGothic_);
    first->canvas().TextOut(1, 1, "Scroll 歌詞 line");
    auto again = TextBitmap(120, 30, {pGothic_.name, -24, 0});
    again->canvas().TextOut(1, 1, "Scroll 歌詞 line");
    again->canvas().SetBrushClear(false);
    again->canvas().FillRect({0, 0, 120, 30});
    again->canvas().SetBrushClear(true);
    again->canvas().SetFont(pGothic_);
    again->canvas().TextOut(1, 1, "Scroll 歌詞 line");
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 120; ++x) {
            ASSERT_EQ(again->canvas().Pixel(x, y), first->canvas().Pixel(x, y)) << x << "," << y;
        }
    }
}

// --- Image lists ---

TEST_F(SimGraphicsTest, AnImageListDrawsItsCellsWithoutTheMaskedPixels) {
    constexpr TColor kMask = RGBColor(255, 0, 255);
    auto digits = Marked(20, 13);  // wider than a cell: only the first 9 columns count
    for (int y = 0; y < 13; ++y) {
        digits->canvas().SetPixel((y * 3) % 9, y, kMask);
    }
    auto list = graphics_.CreateImageList(9, 13);
    list->AddMasked(*digits, kMask);
    ASSERT_EQ(list->count(), 1);

    auto target = Filled(16, 16, kWhite);
    list->Draw(target->canvas(), 2, 1, 0);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const int cx = x - 2;
            const int cy = y - 1;
            const bool inCell = cx >= 0 && cx < 9 && cy >= 0 && cy < 13;
            const bool masked = inCell && cx == (cy * 3) % 9;
            EXPECT_EQ(target->canvas().Pixel(x, y), inCell && !masked ? Marker(cx, cy) : kWhite) << x << "," << y;
        }
    }
}

TEST_F(SimGraphicsTest, AnImageListCountsClearsAndIgnoresCellsItDoesNotHave) {
    auto list = graphics_.CreateImageList(9, 13);
    auto cell = Filled(9, 13, kRed);
    list->AddMasked(*cell, kWhite);
    list->AddMasked(*cell, kWhite);
    EXPECT_EQ(list->count(), 2);
    auto target = Filled(12, 14, kWhite);
    list->Draw(target->canvas(), 0, 0, 2);
    list->Draw(target->canvas(), 0, 0, -1);
    EXPECT_EQ(Find(*target, kRed).count, 0);
    list->Draw(target->canvas(), -5, 6, 1);
    EXPECT_EQ(Find(*target, kRed).count, 4 * 8);
    list->Clear();
    EXPECT_EQ(list->count(), 0);
}

// --- The player's window ---

class PlayerSurface : public ::testing::Test {
protected:
    PlayerSurface() { machine_.files().CreateFolder("C:\\Winamp"); }

    void WriteSkin(int width, int height) {
        machine_.files().CreateFolder("C:\\Winamp\\Skins");
        machine_.files().CreateFolder("C:\\Winamp\\Skins\\Base");
        testing::BmpFile file;
        file.width = width;
        file.height = height;
        std::vector<std::vector<uint32_t>> rows;
        for (int y = 0; y < height; ++y) {
            std::vector<uint32_t>& row = rows.emplace_back();
            for (int x = 0; x < width; ++x) {
                const TColor c = Marker(x, y);
                row.push_back(static_cast<uint32_t>((RedOf(c) << 16) | (GreenOf(c) << 8) | BlueOf(c)));
            }
        }
        file.pixelData = testing::PixelRows(24, rows);
        platform::WriteWholeFile(machine_.files(), "C:\\Winamp\\Skins\\Base\\main.bmp", file.Bytes());
        platform::WriteWholeFile(machine_.files(), "C:\\Winamp\\WINAMP.INI", "[Winamp]\r\nskin=Base\r\n");
    }

    testing::TempFolder temp_;
    SimMachine machine_{temp_.path()};
    SimGraphics graphics_{&machine_.desktop()};
    testing::SimPlayer player_{machine_.desktop(), machine_.files(), "C:\\Winamp\\"};
};

TEST_F(PlayerSurface, AWindowCanvasDrawsOnThePlayersWindow) {
    SimBitmap& surface = player_.surface();
    ASSERT_EQ(surface.width(), 275);
    ASSERT_EQ(surface.height(), 116);
    EXPECT_EQ(surface.At(0, 0), kPlayerPlain);
    auto canvas = graphics_.WindowCanvas(player_.main());
    ASSERT_NE(canvas, nullptr);
    auto mark = graphics_.CreateBitmap();
    mark->canvas().SetBrushColor(kRed);
    mark->SetSize(3, 2);
    canvas->Draw(109, 24, *mark);
    EXPECT_EQ(surface.At(109, 24), kRed);
    EXPECT_EQ(surface.At(111, 25), kRed);
    EXPECT_EQ(surface.At(108, 24), kPlayerPlain);
    EXPECT_EQ(surface.At(112, 24), kPlayerPlain);
    EXPECT_EQ(surface.At(109, 26), kPlayerPlain);
}

TEST_F(PlayerSurface, AWindowCanvasStartsWithTheDefaultFaceAndKeepsItsStateToItself) {
    auto first = graphics_.WindowCanvas(player_.main());
    first->SetFont({"ＭＳ 明朝", -30, 0});
    auto second = graphics_.WindowCanvas(player_.main());
    EXPECT_EQ(second->font().name, graphics_.DefaultFontName());
}

TEST_F(PlayerSurface, OnlyLivingWindowsWithASurfaceGiveACanvas) {
    EXPECT_EQ(graphics_.WindowCanvas(player_.playList()), nullptr);
    EXPECT_EQ(graphics_.WindowCanvas(0x7FFF0), nullptr);
    SimGraphics alone;
    EXPECT_EQ(alone.WindowCanvas(player_.main()), nullptr);
    // A canvas taken before its window went keeps the surface it drew on.
    auto other = std::make_unique<testing::SimPlayer>(machine_.desktop(), machine_.files(), "C:\\Winamp\\");
    const platform::WindowHandle gone = other->main();
    auto kept = graphics_.WindowCanvas(gone);
    ASSERT_NE(kept, nullptr);
    other.reset();
    EXPECT_EQ(graphics_.WindowCanvas(gone), nullptr);
    kept->SetPixel(1, 1, kRed);
    EXPECT_EQ(kept->Pixel(1, 1), kRed);
    EXPECT_NE(graphics_.WindowCanvas(player_.main()), nullptr);
}

TEST_F(PlayerSurface, ThePlayerPaintsOverWhatWasDrawnAndFollowsItsSize) {
    auto canvas = graphics_.WindowCanvas(player_.main());
    canvas->SetPixel(10, 10, kRed);
    player_.Command("paint");
    EXPECT_EQ(player_.surface().At(10, 10), kPlayerPlain);
    player_.Command("size double");
    EXPECT_EQ(player_.surface().width(), 550);
    EXPECT_EQ(player_.surface().height(), 232);
    EXPECT_EQ(player_.surface().At(549, 231), kPlayerPlain);
    player_.Command("size normal");
    EXPECT_EQ(player_.surface().width(), 275);
}

TEST_F(PlayerSurface, ThePlayerShowsItsSkinDoubledInDoubleSize) {
    WriteSkin(275, 116);
    player_.Command("skin");
    EXPECT_EQ(player_.surface().At(0, 0), Marker(0, 0));
    EXPECT_EQ(player_.surface().At(274, 115), Marker(274, 115));
    EXPECT_EQ(player_.surface().At(107, 22), Marker(107, 22));
    player_.Command("size double");
    for (const auto& [x, y] : {std::pair{0, 0}, {107, 22}, {274, 115}}) {
        EXPECT_EQ(player_.surface().At(2 * x, 2 * y), Marker(x, y));
        EXPECT_EQ(player_.surface().At(2 * x + 1, 2 * y + 1), Marker(x, y));
    }
}

}  // namespace
}  // namespace sorabell::sim
