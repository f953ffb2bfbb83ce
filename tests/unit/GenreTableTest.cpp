#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "platform/Text.h"
#include "tags/GenreTable.h"

namespace sorabell::tags {
namespace {

TEST(GenreTable, EveryByteHasItsName) {
    EXPECT_EQ(GenreName(0), "Blues");
    EXPECT_EQ(GenreName(17), "Rock");
    EXPECT_EQ(GenreName(40), "Alt. Rock");
    EXPECT_EQ(GenreName(77), "Rock & Roll");
    EXPECT_EQ(GenreName(78), "Musical");
    EXPECT_EQ(GenreName(79), "HardRock");
    EXPECT_EQ(GenreName(123), "Acapella");
    EXPECT_EQ(GenreName(131), "Indio");
    EXPECT_EQ(GenreName(136), "Christian Gangst");
    EXPECT_EQ(GenreName(140), "Contemporary Ch...");
    EXPECT_EQ(GenreName(144), "Thrash Metal");
    EXPECT_EQ(GenreName(145), "91");
    EXPECT_EQ(GenreName(159), "9f");
    EXPECT_EQ(GenreName(160), "a0");
    EXPECT_EQ(GenreName(250), "fa");
    EXPECT_EQ(GenreName(251), "Seiyu");
    EXPECT_EQ(GenreName(254), "Tokusatsu");
    EXPECT_EQ(GenreName(255), "Anime");
    for (int i = 0; i < 256; ++i) {
        EXPECT_FALSE(GenreName(static_cast<uint8_t>(i)).empty()) << i;
    }
}

TEST(GenreTable, LookUpComparesWholeNamesWithoutCase) {
    EXPECT_EQ(GenreIndex("rock & roll"), 77);
    EXPECT_EQ(GenreIndex("ROCK"), 17);
    EXPECT_EQ(GenreIndex("FA"), 250);
    EXPECT_EQ(GenreIndex("9f"), 159);
    EXPECT_EQ(GenreIndex("Anime"), 255);
    EXPECT_EQ(GenreIndex("Hard Rock"), std::nullopt);
    EXPECT_EQ(GenreIndex("Roc"), std::nullopt);
    EXPECT_EQ(GenreIndex(""), std::nullopt);
    EXPECT_EQ(GenreIndex("Contemporary Christian"), std::nullopt);
}

TEST(GenreTable, PickerHoldsTheNamedGenresSortedWithoutCase) {
    const auto& picker = GenrePickerList();
    ASSERT_EQ(picker.size(), 150u);
    EXPECT_TRUE(std::is_sorted(picker.begin(), picker.end(),
                               [](const std::string& a, const std::string& b) { return text::CompareText(a, b) < 0; }));
    const std::set<std::string> names(picker.begin(), picker.end());
    EXPECT_EQ(names.size(), 150u);
    for (int i = 145; i <= 250; ++i) {
        EXPECT_EQ(names.count(GenreName(static_cast<uint8_t>(i))), 0u) << i;
    }
    for (int i : {0, 144, 251, 255}) {
        EXPECT_EQ(names.count(GenreName(static_cast<uint8_t>(i))), 1u) << i;
    }
    EXPECT_EQ(picker.front(), "Acapella");
    EXPECT_EQ(picker.back(), "Vocal");
}

}  // namespace
}  // namespace sorabell::tags
