// SPDX-License-Identifier: MIT
#include "scoring/scoring.h"

#include <gtest/gtest.h>

#include "test_hands.h"

namespace dealwise {
namespace {

using testing::cardOf;
using testing::gridOf;

std::vector<std::string> renderedReport(const ScoringReport& report) {
    std::vector<std::string> out;
    for (const PrintLine& line : report.lines) {
        out.push_back(renderLine(line));
    }
    return out;
}

struct WorkedExample {
    const char* name;
    const char* hand;
    std::vector<std::string> want;
    int finalScore;
};

void PrintTo(const WorkedExample& example, std::ostream* os) { *os << example.hand; }

class ScoringReportTest : public ::testing::TestWithParam<WorkedExample> {};

TEST_P(ScoringReportTest, PrintsTheTwelveLinesExactly) {
    CardGrid grid = gridOf(GetParam().hand);
    const ScoringReport report = scoreHand(grid);
    EXPECT_EQ(renderedReport(report), GetParam().want);
    EXPECT_EQ(report.finalScore, Int16{GetParam().finalScore});
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, ScoringReportTest,
                         ::testing::Values(WorkedExample{"AceUpRunAndOneTableauPlay",
                                                         "AS 2S 3S 4H 9C 10D KC",
                                                         {
                                                             "#ACES=  1                       SCORE=  2 ",
                                                             "LOW CARDS= -3             SCORE= -1 ",
                                                             "FACE CARDS=  1            SCORE=  0 ",
                                                             "DUPS=  0 >DUPS=  0 ",
                                                             "gdu score= 0 ",
                                                             "gd2                                  SCORE=  0 ",
                                                             "BLACK=  4                       SCORE=  0 ",
                                                             "RED=    2                         SCORE=  0 ",
                                                             "ACE-UP PLAYS=  2         SCORE=  2 ",
                                                             "PLAY (2-K)=  1                 SCORE=  3 ",
                                                             "1st Ace?  0 KINGS?  0  0  0  0  0  0  0 ",
                                                             "                             FINAL SCORE=  3 ",
                                                         },
                                                         3},
                                           WorkedExample{"ThreeFoursAndTooManyBlacks",
                                                         "4S 4C 4H 9S 10C JS QD",
                                                         {
                                                             "#ACES=  0                       SCORE=  0 ",
                                                             "LOW CARDS= -3             SCORE= -3 ",
                                                             "FACE CARDS=  2            SCORE= -1 ",
                                                             "DUPS=  0 >DUPS=  1 ",
                                                             "gdu score=-1 ",
                                                             "gd2                                  SCORE= -4 ",
                                                             "BLACK=  5                       SCORE= -7 ",
                                                             "RED=    2                         SCORE= -7 ",
                                                             "ACE-UP PLAYS=  0         SCORE= -7 ",
                                                             "PLAY (2-K)=  1                 SCORE= -6 ",
                                                             "1st Ace?  0 KINGS?  0  0  0  0  0  0  0 ",
                                                             "                             FINAL SCORE= -6 ",
                                                         },
                                                         -6}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Scoring, ASecondPressScoresTheGridTheFirstReduced) {
    CardGrid grid = gridOf("AS 2S 3S 4H 9C 10D KC");
    (void)scoreHand(grid);
    EXPECT_EQ(grid, gridOf("AS 4H 9C 10D KC"));
    const ScoringReport second = scoreHand(grid);
    EXPECT_EQ(renderedReport(second), (std::vector<std::string>{
                                          "#ACES=  1                       SCORE=  2 ",
                                          "LOW CARDS= -1             SCORE=  1 ",
                                          "FACE CARDS=  1            SCORE=  2 ",
                                          "DUPS=  0 >DUPS=  0 ",
                                          "gdu score= 2 ",
                                          "gd2                                  SCORE=  2 ",
                                          "BLACK=  2                       SCORE=  2 ",
                                          "RED=    2                         SCORE=  2 ",
                                          "ACE-UP PLAYS=  0         SCORE=  2 ",
                                          "PLAY (2-K)=  1                 SCORE=  3 ",
                                          "1st Ace?  0 KINGS?  0  0  0  0  0  0  0 ",
                                          "                             FINAL SCORE=  3 ",
                                      }));
}

ScoreSheet sheetOf(const char* hand) {
    CardGrid grid = gridOf(hand);
    return scoreGrid(grid);
}

TEST(Scoring, AcesAddOneMoreThanTheirNumberAndTakeNoOtherPart) {
    EXPECT_EQ(sheetOf("9S").scoreAfterAces, Int16{0});
    EXPECT_EQ(sheetOf("AS").scoreAfterAces, Int16{2});
    EXPECT_EQ(sheetOf("AS AD").scoreAfterAces, Int16{3});
    EXPECT_EQ(sheetOf("AS AD AC").scoreAfterAces, Int16{4});
    const ScoreSheet four = sheetOf("AS AC AD AH");
    EXPECT_EQ(four.aceCount, Int16{4});
    EXPECT_EQ(four.scoreAfterAces, Int16{5});
    EXPECT_EQ(four.multipleCount, Int16{0});
    EXPECT_EQ(four.blackCount, Int16{0});
    EXPECT_EQ(four.redCount, Int16{0});
    EXPECT_EQ(sheetOf("AS AC").pairCount, Int16{0});
}

TEST(Scoring, LowAndFaceCardsCountOneEachAndNinesAndTensNothing) {
    const ScoreSheet sheet = sheetOf("8S 2H 9D 10C JS QH KD");
    EXPECT_EQ(sheet.lowCardTally, Int16{-2});
    EXPECT_EQ(sheet.scoreAfterLowCards, Int16{-2});
    EXPECT_EQ(sheet.faceCardCount, Int16{3});
    EXPECT_EQ(sheet.scoreAfterFaceCards, Int16{1});
    EXPECT_EQ(sheetOf("9S 10H").scoreAfterFaceCards, Int16{0});
}

TEST(Scoring, DuplicateRanksCostTwoForAPairAndThreeForMore) {
    const ScoreSheet pairs = sheetOf("9S 9H KC KD");
    EXPECT_EQ(pairs.pairCount, Int16{2});
    EXPECT_EQ(pairs.scoreAfterPairs - pairs.scoreAfterFaceCards, Int16{-4});
    const ScoreSheet sevens = sheetOf("7S 7C 7D");
    EXPECT_EQ(sevens.multipleCount, Int16{1});
    EXPECT_EQ(sevens.scoreAfterMultiples - sevens.scoreAfterPairs, Int16{-3});
    EXPECT_EQ(sheetOf("7S 7C 7D 7H").multipleCount, Int16{1});
}

TEST(Scoring, ColoursCostThreeFromTheFifthCardOfRanksTwoToKing) {
    const ScoreSheet fourBlack = sheetOf("AS AC 2S 5C 9S KC 3D");
    EXPECT_EQ(fourBlack.blackCount, Int16{4});
    EXPECT_EQ(fourBlack.scoreAfterBlack, fourBlack.scoreAfterMultiples);
    const ScoreSheet fiveBlack = sheetOf("2S 5C 9S KC JC");
    EXPECT_EQ(fiveBlack.scoreAfterBlack - fiveBlack.scoreAfterMultiples, Int16{-3});
    const ScoreSheet fiveRed = sheetOf("AD AH 2D 5H 9D KH JH");
    EXPECT_EQ(fiveRed.redCount, Int16{5});
    EXPECT_EQ(fiveRed.scoreAfterRed - fiveRed.scoreAfterBlack, Int16{-3});
    const ScoreSheet both = sheetOf("2S 3S 4S 5C 6C 2D 3D 4D 5H 6H");
    EXPECT_EQ(both.scoreAfterRed - both.scoreAfterMultiples, Int16{-6});
}

TEST(Scoring, AceUpPlaysTakeOnlyAnUnbrokenRunFromTheAce) {
    struct Row {
        const char* hand;
        int plays;
        const char* gridAfter;
    };
    for (const Row& row : {
             Row{"AH 3H 9C", 0, "AH 3H 9C"},
             Row{"2D 3D", 0, "2D 3D"},
             Row{"AS 2S 4S", 1, "AS 4S"},
             Row{"AS 2S 3S 4S 5S 6S 7S", 6, "AS"},
             Row{"AC 2C 3C 4C 5C 6C 7C 8C", 6, "AC 8C"},
             Row{"AD 2D AH 2H 3H", 3, "AD AH"},
         }) {
        CardGrid grid = gridOf(row.hand);
        EXPECT_EQ(scoreGrid(grid).aceUpPlays, Int16{row.plays}) << row.hand;
        EXPECT_EQ(grid, gridOf(row.gridAfter)) << row.hand;
    }
}

TEST(Scoring, AWholeSuitFromAceToSevenScoresMinusOne) {
    const ScoreSheet sheet = sheetOf("AS 2S 3S 4S 5S 6S 7S");
    EXPECT_EQ(sheet.scoreAfterAces, Int16{2});
    EXPECT_EQ(sheet.lowCardTally, Int16{-6});
    EXPECT_EQ(sheet.scoreAfterLowCards, Int16{-4});
    EXPECT_EQ(sheet.blackCount, Int16{6});
    EXPECT_EQ(sheet.scoreAfterBlack, Int16{-7});
    EXPECT_EQ(sheet.aceUpPlays, Int16{6});
    EXPECT_EQ(sheet.tableauPlays, Int16{0});
    EXPECT_EQ(sheet.finalScore, Int16{-1});
}

TEST(Scoring, TableauPlaysCountEachLowerRankOncePerPass) {
    struct Row {
        const char* hand;
        int plays;
    };
    for (const Row& row : {
             Row{"5S 5C 6H", 1}, Row{"5S 6H 5H 6C", 2}, Row{"5S 6H 7C", 2}, Row{"QH KS", 1}, Row{"KS AH", 0},
             Row{"AS 2H", 0}, Row{"KH QS", 1}, Row{"5S 6S 5D 6D", 2}, Row{"5S 6S 7C", 0},
             Row{"AH 2H 3S", 0}, // the 2 of hearts went to its ace first
         }) {
        EXPECT_EQ(sheetOf(row.hand).tableauPlays, Int16{row.plays}) << row.hand;
    }
}

TEST(Scoring, ScoreBoxShowsABlankAndThePlainScore) {
    EXPECT_EQ(finalScoreText(3), " 3");
    EXPECT_EQ(finalScoreText(-6), " -6");
    EXPECT_EQ(finalScoreText(0), " 0");
    EXPECT_EQ(finalScoreText(12), " 12");
}

TEST(Scoring, AFullDeckStaysFarInsideTheRange) {
    CardGrid grid;
    for (int linear = 0; linear < CardGrid::kCellCount; ++linear) {
        grid.markCell(linear / kSuitCount, linear % kSuitCount);
    }
    const ScoreSheet sheet = scoreGrid(grid);
    EXPECT_EQ(sheet.aceUpPlays, Int16{24});
    EXPECT_EQ(sheet.multipleCount, Int16{12});
    EXPECT_EQ(sheet.lowCardTally, Int16{-28});
}

} // namespace
} // namespace dealwise
