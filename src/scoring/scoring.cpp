// SPDX-License-Identifier: MIT
#include "scoring/scoring.h"

#include <string_view>

namespace dealwise {

namespace {

// Rank indices, as the grid's cells take them (the ace 0, the king 12).
constexpr int kAce = rankIndex(Rank::Ace);
constexpr int kTwo = rankIndex(Rank::Two);
constexpr int kSeven = rankIndex(Rank::Seven);
constexpr int kEight = rankIndex(Rank::Eight);
constexpr int kJack = rankIndex(Rank::Jack);
constexpr int kQueen = rankIndex(Rank::Queen);
constexpr int kKing = rankIndex(Rank::King);

constexpr int kSpades = suitIndex(Suit::Spades);
constexpr int kClubs = suitIndex(Suit::Clubs);
constexpr int kDiamonds = suitIndex(Suit::Diamonds);
constexpr int kHearts = suitIndex(Suit::Hearts);

// An ace and the cards 2 to 7 of one suit: the ranks an ace-up play can reach.
constexpr int kFoundationRanks = 7;
constexpr int kAceUpTests = 6;

Int16 sumOfRanks(const CardGrid& grid, int firstRank, int lastRank, int firstSuit, int lastSuit) {
    Int16 sum;
    for (int rank = firstRank; rank <= lastRank; ++rank) {
        for (int suit = firstSuit; suit <= lastSuit; ++suit) {
            sum += grid.cell(rank, suit);
        }
    }
    return sum;
}

bool present(const CardGrid& grid, int rank, int suit) { return grid.cell(rank, suit) == 1; }

bool blackPresent(const CardGrid& grid, int rank) {
    return present(grid, rank, kSpades) || present(grid, rank, kClubs);
}

bool redPresent(const CardGrid& grid, int rank) {
    return present(grid, rank, kDiamonds) || present(grid, rank, kHearts);
}

Int16 aceBonus(Int16 aceCount) { return aceCount >= 1 ? aceCount + 1 : Int16{}; }

void countDuplicateRanks(const CardGrid& grid, ScoreSheet& sheet) {
    for (int rank = kTwo; rank <= kKing; ++rank) {
        Int16 sameRank = sumOfRanks(grid, rank, rank, kSpades, kHearts);
        if (sameRank == 2) {
            sheet.pairCount += 1;
        } else if (sameRank > 2) {
            sheet.multipleCount += 1;
        }
    }
}

// Plays onto the foundations, and the cards they take: test k passes when
// the ace and every card 2 to k + 1 of the suit are present.
void playAcesUp(CardGrid& grid, ScoreSheet& sheet) {
    std::array<std::array<Int16, kFoundationRanks>, kSuitCount> foundationMarks{};
    for (int suit = kSpades; suit <= kHearts; ++suit) {
        for (int k = 1; k <= kAceUpTests; ++k) {
            bool runComplete = true;
            for (int rank = kAce; rank <= k; ++rank) {
                runComplete = runComplete && present(grid, rank, suit);
            }
            if (runComplete) {
                sheet.aceUpPlays += 1;
                foundationMarks.at(static_cast<std::size_t>(suit)).at(static_cast<std::size_t>(k)) = 1;
            }
        }
    }
    for (int suit = kSpades; suit <= kHearts; ++suit) {
        for (int rank = kTwo; rank <= kSeven; ++rank) {
            if (foundationMarks.at(static_cast<std::size_t>(suit)).at(static_cast<std::size_t>(rank)) == 1) {
                grid.clearCell(rank, suit);
            }
        }
    }
}

// Black on red and red on black, one rank apart; each lower rank counts at
// most once in each pass, and an ace never takes part.
Int16 countTableauPlays(const CardGrid& grid) {
    Int16 plays;
    for (int rank = kTwo; rank <= kQueen; ++rank) {
        if (blackPresent(grid, rank) && redPresent(grid, rank + 1)) {
            plays += 1;
        }
    }
    for (int rank = kTwo; rank <= kQueen; ++rank) {
        if (redPresent(grid, rank) && blackPresent(grid, rank + 1)) {
            plays += 1;
        }
    }
    return plays;
}

} // namespace

ScoreSheet scoreGrid(CardGrid& grid) {
    ScoreSheet sheet;
    Int16 score;

    sheet.aceCount = sumOfRanks(grid, kAce, kAce, kSpades, kHearts);
    score += aceBonus(sheet.aceCount);
    sheet.scoreAfterAces = score;

    sheet.lowCardTally = Int16{} - sumOfRanks(grid, kTwo, kEight, kSpades, kHearts);
    score += sheet.lowCardTally;
    sheet.scoreAfterLowCards = score;

    sheet.faceCardCount = sumOfRanks(grid, kJack, kKing, kSpades, kHearts);
    score += sheet.faceCardCount;
    sheet.scoreAfterFaceCards = score;

    countDuplicateRanks(grid, sheet);
    score -= Int16{2} * sheet.pairCount;
    sheet.scoreAfterPairs = score;
    score -= Int16{3} * sheet.multipleCount;
    sheet.scoreAfterMultiples = score;

    constexpr int kColourLimit = 4;
    constexpr int kColourLoss = 3;
    sheet.blackCount = sumOfRanks(grid, kTwo, kKing, kSpades, kClubs);
    if (sheet.blackCount > kColourLimit) {
        score -= kColourLoss;
    }
    sheet.scoreAfterBlack = score;

    sheet.redCount = sumOfRanks(grid, kTwo, kKing, kDiamonds, kHearts);
    if (sheet.redCount > kColourLimit) {
        score -= kColourLoss;
    }
    sheet.scoreAfterRed = score;

    playAcesUp(grid, sheet);
    score += sheet.aceUpPlays;
    sheet.scoreAfterAceUp = score;

    sheet.tableauPlays = countTableauPlays(grid);
    score += sheet.tableauPlays;
    sheet.finalScore = score;
    return sheet;
}

std::array<PrintLine, 12> reportLines(const ScoreSheet& s) {
    using namespace std::string_view_literals;
    const Int16 zero;
    return {
        PrintLine{"#ACES= "sv, s.aceCount, "                      SCORE= "sv, s.scoreAfterAces},
        PrintLine{"LOW CARDS= "sv, s.lowCardTally, "            SCORE= "sv, s.scoreAfterLowCards},
        PrintLine{"FACE CARDS= "sv, s.faceCardCount, "           SCORE= "sv, s.scoreAfterFaceCards},
        PrintLine{"DUPS= "sv, s.pairCount, ">DUPS= "sv, s.multipleCount},
        PrintLine{"gdu score="sv, s.scoreAfterPairs},
        PrintLine{"gd2                                  SCORE= "sv, s.scoreAfterMultiples},
        PrintLine{"BLACK= "sv, s.blackCount, "                      SCORE= "sv, s.scoreAfterBlack},
        PrintLine{"RED=   "sv, s.redCount, "                        SCORE= "sv, s.scoreAfterRed},
        PrintLine{"ACE-UP PLAYS= "sv, s.aceUpPlays, "        SCORE= "sv, s.scoreAfterAceUp},
        PrintLine{"PLAY (2-K)= "sv, s.tableauPlays, "                SCORE= "sv, s.finalScore},
        PrintLine{"1st Ace? "sv, zero, "KINGS? "sv, zero, zero, zero, zero, zero, zero, zero},
        PrintLine{"                             FINAL SCORE= "sv, s.finalScore},
    };
}

ScoringReport scoreHand(CardGrid& cardGrid) {
    const ScoreSheet sheet = scoreGrid(cardGrid);
    return {reportLines(sheet), sheet.finalScore};
}

std::string finalScoreText(Int16 finalScore) {
    std::string text(1, ' ');
    text += toDecimal(finalScore);
    return text;
}

} // namespace dealwise
