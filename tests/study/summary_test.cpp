// SPDX-License-Identifier: MIT
#include "study/summary.h"

#include "study/solver_times.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>

namespace dealwise::study {
namespace {

StudyTally smallStudy() {
    // Scores -1 (2 deals, no win), 0 (3 deals, 1 win), 2 (3 deals, 2 wins).
    StudyTally tally;
    for (const auto& [score, won] :
         {std::pair{2, true}, std::pair{-1, false}, std::pair{0, false}, std::pair{2, false}, std::pair{0, true},
          std::pair{-1, false}, std::pair{2, true}, std::pair{0, false}}) {
        tally.add(score, won);
    }
    return tally;
}

// The small study again, with the solver's verdicts, and one more deal that
// the solver gave up on: a score with nothing decided.
StudyTally smallSolvedStudy() {
    StudyTally tally;
    for (const auto& [score, won, winnable] :
         {std::tuple{-1, false, Winnable::No}, std::tuple{-1, false, Winnable::Undecided},
          std::tuple{0, true, Winnable::Yes}, std::tuple{0, false, Winnable::Yes}, std::tuple{0, false, Winnable::No},
          std::tuple{2, true, Winnable::Yes}, std::tuple{2, true, Winnable::Yes},
          std::tuple{2, false, Winnable::Undecided}, std::tuple{3, false, Winnable::Undecided}}) {
        tally.add(score, won, winnable);
    }
    return tally;
}

std::string summaryOf(const StudyTally& tally, const SummaryOptions& options, const SolverTimes* times = nullptr) {
    std::ostringstream out;
    writeSummary(out, tally, options, times);
    return out.str();
}

TEST(StudySummary, ReportsASmallStudy) {
    // The intervals are Wilson's at 95 %, worked separately; the AUC is the
    // hand-worked 12 of 15 pairs.
    const std::string expected = "# Dealwise study: 8 deals, draw 3, first deal 101\n"
                                 "\n"
                                 "Won 3 of 8: 37.50 % (95 % Wilson interval 13.68 % to 69.43 %).\n"
                                 "\n"
                                 "Area under the ROC curve of the score as a predictor of a win: 0.8000 "
                                 "(0.5 is no better than chance, 1 separates wins from losses).\n"
                                 "\n"
                                 "## Win rate by score\n"
                                 "\n"
                                 "| score | deals | share | wins | win rate | 95 % interval |\n"
                                 "|------:|------:|------:|-----:|---------:|:--------------|\n"
                                 "| -1 | 2 | 25.00 % | 0 | 0.00 % | 0.00 % to 65.76 % |\n"
                                 "| 0 | 3 | 37.50 % | 1 | 33.33 % | 6.15 % to 79.23 % |\n"
                                 "| 2 | 3 | 37.50 % | 2 | 66.67 % | 20.77 % to 93.85 % |\n"
                                 "\n"
                                 "## Playing only deals that score S or more\n"
                                 "\n"
                                 "| play only S or more | share kept | win rate | 95 % interval |\n"
                                 "|--------------------:|-----------:|---------:|:--------------|\n"
                                 "| -1 | 100.00 % | 37.50 % | 13.68 % to 69.43 % |\n"
                                 "| 0 | 75.00 % | 50.00 % | 18.76 % to 81.24 % |\n"
                                 "| 1 | 37.50 % | 66.67 % | 20.77 % to 93.85 % |\n"
                                 "| 2 | 37.50 % | 66.67 % | 20.77 % to 93.85 % |\n";
    EXPECT_EQ(summaryOf(smallStudy(), {3, 101}), expected);
    // Times of a solver that saw none of these deals add nothing.
    SolverTimes times;
    times.add(0.5);
    EXPECT_EQ(summaryOf(smallStudy(), {3, 101, 10.0}, &times), expected);
}

TEST(StudySummary, ReportsWhatTheSolverFound) {
    // Winnable: 4 of the 6 decided. Its AUC: the two winnable deals at 0 each
    // beat the one not winnable at -1 and tie the one at 0 (1.5), the two at 2
    // beat both (2): 7 of 8 pairs. The intervals are Wilson's, worked
    // separately.
    const std::string expected =
        "# Dealwise study: 9 deals, draw 3, first deal 101\n"
        "\n"
        "Won 3 of 9: 33.33 % (95 % Wilson interval 12.06 % to 64.58 %).\n"
        "\n"
        "Area under the ROC curve of the score as a predictor of a win: 0.6667 "
        "(0.5 is no better than chance, 1 separates wins from losses).\n"
        "\n"
        "Winnable (exact solver, every card seen): 4 of 6 decided deals: 66.67 % "
        "(95 % Wilson interval 30.00 % to 90.32 %); 3 undecided at the time limit of 10 s.\n"
        "\n"
        "Area under the ROC curve of the score as a predictor of a winnable deal, undecided deals left out: "
        "0.8750.\n"
        "\n"
        "## Win rate by score\n"
        "\n"
        "| score | deals | share | wins | win rate | 95 % interval | winnable | winnable rate | 95 % interval "
        "| undecided |\n"
        "|------:|------:|------:|-----:|---------:|:--------------|---------:|--------------:|:--------------"
        "|----------:|\n"
        "| -1 | 2 | 22.22 % | 0 | 0.00 % | 0.00 % to 65.76 % | 0 | 0.00 % | 0.00 % to 79.35 % | 1 |\n"
        "| 0 | 3 | 33.33 % | 1 | 33.33 % | 6.15 % to 79.23 % | 2 | 66.67 % | 20.77 % to 93.85 % | 0 |\n"
        "| 2 | 3 | 33.33 % | 2 | 66.67 % | 20.77 % to 93.85 % | 2 | 100.00 % | 34.24 % to 100.00 % | 1 |\n"
        "| 3 | 1 | 11.11 % | 0 | 0.00 % | 0.00 % to 79.35 % | 0 | - | - | 1 |\n"
        "\n"
        "## Playing only deals that score S or more\n"
        "\n"
        "| play only S or more | share kept | win rate | 95 % interval | winnable rate | 95 % interval |\n"
        "|--------------------:|-----------:|---------:|:--------------|--------------:|:--------------|\n"
        "| -1 | 100.00 % | 33.33 % | 12.06 % to 64.58 % | 66.67 % | 30.00 % to 90.32 % |\n"
        "| 0 | 77.78 % | 42.86 % | 15.82 % to 74.95 % | 80.00 % | 37.55 % to 96.38 % |\n"
        "| 1 | 44.44 % | 50.00 % | 15.00 % to 85.00 % | 100.00 % | 34.24 % to 100.00 % |\n"
        "| 2 | 44.44 % | 50.00 % | 15.00 % to 85.00 % | 100.00 % | 34.24 % to 100.00 % |\n"
        "| 3 | 11.11 % | 0.00 % | 0.00 % to 79.35 % | - | - |\n";
    EXPECT_EQ(summaryOf(smallSolvedStudy(), {3, 101, 10.0}), expected);
    SolverTimes none;
    EXPECT_EQ(summaryOf(smallSolvedStudy(), {3, 101, 10.0}, &none), expected);

    // The undecided deals ran to the limit. Nine times: the 90th and 99th
    // percentiles are both the ninth, the longest.
    SolverTimes times;
    for (const double seconds : {0.0012345, 10.0, 0.0105, 0.25, 0.004, 10.0, 0.003, 10.0, 0.0005}) {
        times.add(seconds);
    }
    EXPECT_EQ(summaryOf(smallSolvedStudy(), {3, 101, 10.0}, &times),
              expected + "\n"
                         "## Solver time per deal\n"
                         "\n"
                         "| median | 90th percentile | 99th percentile | maximum |\n"
                         "|-------:|----------------:|----------------:|--------:|\n"
                         "| 10.500 ms | 10000.000 ms | 10000.000 ms | 10000.000 ms |\n"
                         "\n"
                         "Nearest-rank percentiles of the solver's time on 9 deals; 3 undecided at the time limit "
                         "of 10 s.\n");
}

TEST(StudySummary, SaysWhenTheSolverLeavesNothingToCompare) {
    StudyTally nothingDecided;
    nothingDecided.add(1, false, Winnable::Undecided);
    nothingDecided.add(2, true, Winnable::Undecided);
    StudyTally partlyAsked;
    partlyAsked.add(1, false, Winnable::Yes);
    partlyAsked.add(2, true, Winnable::Yes);
    partlyAsked.add(2, false);
    const std::string nothing = summaryOf(nothingDecided, {1, 1, 0.5});
    EXPECT_NE(nothing.find("Winnable (exact solver, every card seen): no deal decided; 2 undecided at the time limit "
                           "of 0.5 s.\n\nArea under the ROC curve of the score as a predictor of a winnable deal, "
                           "undecided deals left out: none, since no deal was decided.\n\n## Win rate"),
              std::string::npos)
        << nothing;
    // No limit given: the text does not make one up.
    const std::string partly = summaryOf(partlyAsked, {});
    EXPECT_NE(partly.find("Winnable (exact solver, every card seen): 2 of 2 decided deals: 100.00 % (95 % Wilson "
                          "interval 34.24 % to 100.00 %); 0 undecided at the time limit. The solver was asked about 2 "
                          "of the 3 deals only.\n\nArea under the ROC curve of the score as a predictor of a "
                          "winnable deal, undecided deals left out: none, since every decided deal was winnable."),
              std::string::npos)
        << partly;
}

TEST(StudySummary, SaysWhenThereIsNothingToReport) {
    struct Case {
        StudyTally tally;
        std::string expected;
    };
    StudyTally allWon;
    allWon.add(5, true);
    StudyTally allLost;
    allLost.add(-4, false);
    allLost.add(-4, false);
    const Case cases[] = {
        {StudyTally{}, "# Dealwise study: 0 deals, draw 1, first deal 1\n\nNo deals were played.\n"},
        {allWon, "# Dealwise study: 1 deal, draw 1, first deal 1\n"
                 "\n"
                 "Won 1 of 1: 100.00 % (95 % Wilson interval 20.65 % to 100.00 %).\n"
                 "\n"
                 "Area under the ROC curve of the score as a predictor of a win: none, since every deal was won.\n"
                 "\n"
                 "## Win rate by score\n"
                 "\n"
                 "| score | deals | share | wins | win rate | 95 % interval |\n"
                 "|------:|------:|------:|-----:|---------:|:--------------|\n"
                 "| 5 | 1 | 100.00 % | 1 | 100.00 % | 20.65 % to 100.00 % |\n"
                 "\n"
                 "## Playing only deals that score S or more\n"
                 "\n"
                 "| play only S or more | share kept | win rate | 95 % interval |\n"
                 "|--------------------:|-----------:|---------:|:--------------|\n"
                 "| 5 | 100.00 % | 100.00 % | 20.65 % to 100.00 % |\n"},
        {allLost, "# Dealwise study: 2 deals, draw 1, first deal 1\n"
                  "\n"
                  "Won 0 of 2: 0.00 % (95 % Wilson interval 0.00 % to 65.76 %).\n"
                  "\n"
                  "Area under the ROC curve of the score as a predictor of a win: none, since every deal was lost.\n"
                  "\n"
                  "## Win rate by score\n"
                  "\n"
                  "| score | deals | share | wins | win rate | 95 % interval |\n"
                  "|------:|------:|------:|-----:|---------:|:--------------|\n"
                  "| -4 | 2 | 100.00 % | 0 | 0.00 % | 0.00 % to 65.76 % |\n"
                  "\n"
                  "## Playing only deals that score S or more\n"
                  "\n"
                  "| play only S or more | share kept | win rate | 95 % interval |\n"
                  "|--------------------:|-----------:|---------:|:--------------|\n"
                  "| -4 | 100.00 % | 0.00 % | 0.00 % to 65.76 % |\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(summaryOf(c.tally, {}), c.expected);
    }
}

TEST(StudySummary, PercentagesRoundToTwoDecimals) {
    struct Case {
        double fraction;
        const char* text;
    };
    for (const Case& c :
         {Case{0.0, "0.00 %"}, Case{1.0, "100.00 %"}, Case{1.0 / 3.0, "33.33 %"}, Case{2.0 / 3.0, "66.67 %"},
          Case{0.81945, "81.95 %"}, Case{0.123456, "12.35 %"}, Case{0.00004, "0.00 %"}, Case{0.00006, "0.01 %"}}) {
        EXPECT_EQ(percentText(c.fraction), c.text) << c.fraction;
    }
}

} // namespace
} // namespace dealwise::study
