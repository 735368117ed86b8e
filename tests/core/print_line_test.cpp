// SPDX-License-Identifier: MIT
#include "report/print_line.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "report/hand_grid.h"
#include "test_hands.h"

namespace dealwise {
namespace {

using namespace std::string_view_literals;

TEST(PrintLine, IntegersTakeASignPositionTheirDigitsAndOneBlank) {
    struct Row {
        int value;
        const char* want;
    };
    for (const Row& row : {Row{0, " 0 "}, Row{1, " 1 "}, Row{12, " 12 "}, Row{-3, "-3 "}, Row{-32768, "-32768 "},
                           Row{32767, " 32767 "}, Row{-10, "-10 "}}) {
        EXPECT_EQ(renderLine(PrintLine{Int16{row.value}}), row.want) << row.value;
    }
}

TEST(PrintLine, ItemsFollowOneAnotherWithNothingBetween) {
    EXPECT_EQ(renderLine(PrintLine{"#ACES= "sv, Int16{2}, "                      SCORE= "sv, Int16{3}}),
              "#ACES=  2                       SCORE=  3 ");
    EXPECT_EQ(renderLine(PrintLine{"LOW CARDS= "sv, Int16{-3}, "            SCORE= "sv, Int16{0}}),
              "LOW CARDS= -3             SCORE=  0 ");
    EXPECT_EQ(renderLine(PrintLine{"gdu score="sv, Int16{-1}}), "gdu score=-1 ");
    EXPECT_EQ(renderLine(PrintLine{"  lead and trail  "sv}), "  lead and trail  ");
    EXPECT_EQ(renderLine(PrintLine{}), "");
}

TEST(PrintLine, ALineHoldsAtMostFourteenItems) {
    PrintLine line;
    for (std::size_t i = 0; i < PrintLine::kMaxItems; ++i) {
        line.append(Int16{1});
    }
    EXPECT_THROW(line.append("one too many"sv), IndexOutOfRangeError);
    EXPECT_EQ(renderLine(line).size(), 3 * PrintLine::kMaxItems);
}

std::vector<std::string> rendered(const std::array<PrintLine, 5>& lines) {
    std::vector<std::string> out;
    for (const PrintLine& line : lines) {
        out.push_back(renderLine(line));
    }
    return out;
}

TEST(HandGrid, ShowsEachSuitRowWithItsOwnLabelBlanks) {
    // Entered left to right: 5S KH AD 10C 5D JS 2H.
    const CardGrid grid = testing::gridOf("5S KH AD 10C 5D JS 2H");
    const std::vector<std::string> want{
        "HAND----  A  2  3  4  5  6  7  8  9 10  J  Q  K",     "Spades     0  0  0  0  1  0  0  0  0  0  1  0  0 ",
        "Clubs        0  0  0  0  0  0  0  0  0  1  0  0  0 ", "Diamonds  1  0  0  0  1  0  0  0  0  0  0  0  0 ",
        "Hearts       0  1  0  0  0  0  0  0  0  0  0  0  1 ",
    };
    EXPECT_EQ(rendered(handGridLines(grid)), want);
}

TEST(HandGrid, PrintsTheCellsAsTheyAreWhateverTheirNumber) {
    const auto empty = rendered(handGridLines(CardGrid{}));
    EXPECT_EQ(empty[1], "Spades     0  0  0  0  0  0  0  0  0  0  0  0  0 ");
    const auto oneSuit = rendered(handGridLines(testing::gridOf("AH 2H 3H 4H 5H 6H 7H")));
    EXPECT_EQ(oneSuit[4], "Hearts       1  1  1  1  1  1  1  0  0  0  0  0  0 ");
    EXPECT_EQ(oneSuit[3], "Diamonds  0  0  0  0  0  0  0  0  0  0  0  0  0 ");
}

} // namespace
} // namespace dealwise
