#include "study/summary.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

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

std::string summaryOf(const StudyTally& tally, const SummaryOptions& options) {
    std::ostringstream out;
    writeSummary(out, tally, options);
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
