// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>

#include "core/int16.h"
#include "hand/card_grid.h"
#include "report/print_line.h"

namespace dealwise {

// What one press of Run finds in a hand: each rule's count and the running
// score after each step of the report.
struct ScoreSheet {
    Int16 aceCount;
    Int16 lowCardTally; // 0 minus the low cards present, never positive
    Int16 faceCardCount;
    Int16 pairCount;
    Int16 multipleCount;
    Int16 blackCount;
    Int16 redCount;
    Int16 aceUpPlays;
    Int16 tableauPlays;

    Int16 scoreAfterAces;
    Int16 scoreAfterLowCards;
    Int16 scoreAfterFaceCards;
    Int16 scoreAfterPairs;
    Int16 scoreAfterMultiples;
    Int16 scoreAfterBlack;
    Int16 scoreAfterRed;
    Int16 scoreAfterAceUp;
    Int16 finalScore;
};

// Rates the hand in the grid by the eight rules, in order, on one running
// score.
//
// It changes the grid: the cards 2 to 7 that build up unbroken on the ace of
// their suit could go straight to the foundations, so they are cleared from
// the grid before the plays between tableau cards are counted, and stay out
// until the next reset, so a second press of Run scores what is left. Score a
// copy to keep the hand whole.
[[nodiscard]] ScoreSheet scoreGrid(CardGrid& cardGrid);

// The twelve lines of the scoring report, in the order they are printed.
[[nodiscard]] std::array<PrintLine, 12> reportLines(const ScoreSheet& sheet);

struct ScoringReport {
    std::array<PrintLine, 12> lines;
    Int16 finalScore;
};

// One press of Run: the rules applied to the grid, and the report they print.
// Like scoreGrid, it clears the cards that build up on their ace.
[[nodiscard]] ScoringReport scoreHand(CardGrid& cardGrid);

// The score box's text: one blank, then the final score in plain decimal.
[[nodiscard]] std::string finalScoreText(Int16 finalScore);

} // namespace dealwise
