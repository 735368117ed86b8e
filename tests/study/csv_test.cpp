// SPDX-License-Identifier: MIT
#include "study/csv.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <locale>
#include <sstream>
#include <stdexcept>
#include <string>

#include "study_test_support.h"

namespace dealwise::study {
namespace {

using testing::cardOf;
using testing::dealOf;

TEST(StudyCsv, WritesTheHeaderAndOneLinePerDeal) {
    struct Row {
        DealResult deal;
        std::string line;
    };
    const Row rows[] = {
        {dealOf(1, "AS 10H KC 2D 3C 4S 5H", 4, true, 93), "1,AS 10H KC 2D 3C 4S 5H,4,1,93\n"},
        {dealOf(2, "QD JH 9S 8C 7D 6H 10S", -3, false, 0), "2,QD JH 9S 8C 7D 6H 10S,-3,0,0\n"},
        {dealOf(0, "KH KS KD KC QH QS QD", 0, false, 12), "0,KH KS KD KC QH QS QD,0,0,12\n"},
        {dealOf(std::numeric_limits<std::uint64_t>::max(), "10S 10C 10D 10H 9S 9C 9D", std::numeric_limits<int>::min(),
                true, std::numeric_limits<int>::max()),
         "18446744073709551615,10S 10C 10D 10H 9S 9C 9D,-2147483648,1,2147483647\n"},
    };
    std::ostringstream out;
    writeCsvHeader(out);
    std::string expected = "deal,cards,score,won,moves\n";
    for (const Row& row : rows) {
        std::ostringstream line;
        writeCsvRow(line, row.deal);
        EXPECT_EQ(line.str(), row.line);
        writeCsvRow(out, row.deal);
        expected += row.line;
    }
    EXPECT_EQ(out.str(), expected);
}

TEST(StudyCsv, AddsTheSolversVerdictAndTimeWhenItWasAsked) {
    struct Row {
        Winnable winnable;
        double seconds;
        std::string line;
    };
    const Row rows[] = {
        {Winnable::Yes, 0.012345, "5,AS 10H KC 2D 3C 4S 5H,4,1,93,1,12.345\n"},
        {Winnable::No, 2.5, "5,AS 10H KC 2D 3C 4S 5H,4,1,93,0,2500.000\n"},
        {Winnable::Undecided, 10.0, "5,AS 10H KC 2D 3C 4S 5H,4,1,93,,10000.000\n"},
        // A stray time on a deal the solver never saw is not written.
        {Winnable::NotAsked, 3.0, "5,AS 10H KC 2D 3C 4S 5H,4,1,93\n"},
    };
    std::ostringstream header;
    writeCsvHeader(header, true);
    EXPECT_EQ(header.str(), "deal,cards,score,won,moves,winnable,solve_ms\n");
    for (const Row& row : rows) {
        DealResult deal = dealOf(5, "AS 10H KC 2D 3C 4S 5H", 4, true, 93);
        deal.winnable = row.winnable;
        deal.solveSeconds = row.seconds;
        std::ostringstream line;
        writeCsvRow(line, deal);
        EXPECT_EQ(line.str(), row.line) << static_cast<int>(row.winnable);
    }
}

// The study program runs a Qt application, which sets the C locale from the
// environment; a stream may also carry a locale that groups digits.
TEST(StudyCsv, NumbersDoNotFollowTheLocale) {
    struct Grouping : std::numpunct<char> {
        char do_thousands_sep() const override { return '.'; }
        std::string do_grouping() const override { return "\3"; }
    };
    std::ostringstream out;
    out.imbue(std::locale(std::locale::classic(), new Grouping));
    writeCsvRow(out, dealOf(1234567, "AS 2S 3S 4S 5S 6S 7S", -1234, true, 4321));
    DealResult solved = dealOf(1, "AS 2S 3S 4S 5S 6S 7S", 0, false, 0);
    solved.winnable = Winnable::No;
    solved.solveSeconds = 1234.5;
    writeCsvRow(out, solved);
    EXPECT_EQ(out.str(), "1234567,AS 2S 3S 4S 5S 6S 7S,-1234,1,4321\n1,AS 2S 3S 4S 5S 6S 7S,0,0,0,0,1234500.000\n");
}

TEST(StudyCsv, RejectsACardThatIsNotOneOfTheFiftyTwo) {
    DealResult bad = dealOf(7, "AS 2S 3S 4S 5S 6S 7S", 1, false, 1);
    bad.hand[3].rank = static_cast<Rank>(14);
    std::ostringstream out;
    EXPECT_THROW(writeCsvRow(out, bad), std::invalid_argument);
    bad.hand[3] = cardOf("4S");
    bad.hand[6].suit = static_cast<Suit>(4);
    EXPECT_THROW(writeCsvRow(out, bad), std::invalid_argument);
    EXPECT_EQ(out.str(), "");
}

} // namespace
} // namespace dealwise::study
