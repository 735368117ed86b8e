// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "klondike/deal.h"
#include "klondike/game.h"
#include "klondike/solver.h"
#include "klondike/solver_position.h"
#include "random_play.h"

namespace dealwise::klondike {
namespace {

using testing::randomPositions;
using testing::solverWalks;

// A rule of the solver's, switched on or off in otherwise equal limits.
using Rule = std::function<void(SolveLimits&, bool on)>;

const Rule kWasteCover = [](SolveLimits& limits, bool on) { limits.wasteCover = on; };
const Rule kPairedPlays = [](SolveLimits& limits, bool on) {
    limits.pairedPlays = on;
    limits.pairedPlaysAfter = 0; // from the first position, so that the checks test it
};

// A card that fits its foundation, on top of a pile on a face-up card,
// goes up or is used where it lies, and a lone card that fits is not moved
// onto the tableau; with the cards brought down from the foundations alone,
// and paired with their uses from the first position.
const Rule kUpOrUsed = [](SolveLimits& limits, bool on) {
    limits.upOrUsed = on;
    limits.upOrUsedAfter = 0; // from the first position, so that the checks test it
};
const Rule kUpOrUsedPaired = [](SolveLimits& limits, bool on) {
    kUpOrUsed(limits, on);
    limits.pairedPlaysAfter = 0;
};

// A run on a face-up card can move to the other card of that colour and
// rank when that one is free, and back: a position lost marks such twins
// lost. With the cards from the foundations paired with their uses and going
// up or used from the first position too, so that cards go up and come back
// down on the line of play; and with every move the rules allow, runs going
// back and forth, where the search meets the line of play most.
const Rule kEitherParent = [](SolveLimits& limits, bool on) {
    limits.eitherParent = on;
    limits.eitherParentAfter = 0; // from the first position, so that the checks test it
};
const Rule kEitherParentPaired = [](SolveLimits& limits, bool on) {
    kEitherParent(limits, on);
    kUpOrUsedPaired(limits, true);
};
const Rule kEitherParentUnpruned = [](SolveLimits& limits, bool on) {
    kEitherParent(limits, on);
    limits.pruning = false;
};

// Every move the rules allow against the moves that can never be needed left
// out; the proof of a stuck card is used by both.
const Rule kPruning = [](SolveLimits& limits, bool on) { limits.pruning = on; };

// A search not decided soon goes on with the other draw: a win with three
// cards turned at a time is a win with one, a loss with one a loss with
// three. Soon and for long, so that the checks below test it.
const Rule kOtherDraw = [](SolveLimits& limits, bool on) {
    limits.drawThreeForOne = on;
    limits.drawOneForThree = on;
    limits.otherDrawAfter = 300;
    limits.otherDrawShare = 0.6;
};

// The search begun again and again from what the table kept, the moves in
// a new order each time: often, so that the checks below test it.
const Rule kRestarts = [](SolveLimits& limits, bool on) {
    limits.restarts = on;
    limits.restartAfter = 40;
    limits.restartGrowth = 1.3;
    limits.shuffleDepth = 60;
};

// Both draws searched by turns, round for round, each keeping what it
// searched to the end in the one table.
const Rule kOtherDrawByTurns = [](SolveLimits& limits, bool on) {
    kOtherDraw(limits, on);
    kRestarts(limits, on);
};

SolveLimits withRule(const Rule& rule, bool on, std::uint64_t positions) {
    SolveLimits limits;
    limits.seconds = 600;
    limits.positions = positions;
    limits.tableBits = 16;
    limits.drawThreeForOne = false; // each rule alone
    limits.drawOneForThree = false;
    limits.restarts = false;
    rule(limits, on);
    return limits;
}

void expectWins(const Game& start, const Solution& solution) {
    Game end = start;
    for (const Move& move : solution.moves) {
        ASSERT_TRUE(end.isLegal(move));
        end.apply(move);
    }
    EXPECT_TRUE(end.isWon());
}

// Wherever searches with and without the rule both finish, on positions
// from random play and from the solver's own moves in both draws, the rule
// changes no verdict; what it calls lost, a search without it never wins.
void expectNoVerdictChangesOnPositions(const Rule& rule) {
    int compared = 0;
    int lostWithRule = 0;
    for (const int draw : {3, 1}) {
        std::vector<Game> positions = randomPositions(draw, 40, 120);
        const std::vector<Game> walks = solverWalks(draw, 60, 120);
        positions.insert(positions.end(), walks.begin(), walks.end());
        for (std::size_t index = 0; index < positions.size(); index += 9) {
            const Game& game = positions[index];
            const Solution with = solve(game, withRule(rule, true, 3000));
            const Solution without = solve(game, withRule(rule, false, 3000));
            if (with.verdict == Verdict::Lost) {
                ++lostWithRule;
                EXPECT_NE(without.verdict, Verdict::Won) << solver::Position(game).describe();
            }
            if (with.verdict != Verdict::Undecided && without.verdict != Verdict::Undecided) {
                EXPECT_EQ(with.verdict, without.verdict) << solver::Position(game).describe();
                ++compared;
            }
            if (with.verdict == Verdict::Won) {
                expectWins(game, with);
            }
        }
    }
    EXPECT_GT(compared, 1000);
    EXPECT_GT(lostWithRule, 300);
}

// Whole deals, both draws: the same verdict with and without the rule, and
// fewer positions to the losses with it.
void expectNoVerdictChangesOnDeals(const Rule& rule) {
    int compared = 0;
    std::uint64_t lostPositionsWith = 0;
    std::uint64_t lostPositionsWithout = 0;
    for (const int draw : {3, 1}) {
        for (std::uint64_t deal = 1; deal <= 60; ++deal) {
            const Deck deck = dealNumber(deal);
            const Solution with = solve(deck, draw, withRule(rule, true, 20'000));
            const Solution without = solve(deck, draw, withRule(rule, false, 20'000));
            if (with.verdict != Verdict::Undecided && without.verdict != Verdict::Undecided) {
                EXPECT_EQ(with.verdict, without.verdict) << "draw " << draw << ", deal " << deal;
                ++compared;
                if (with.verdict == Verdict::Lost) {
                    lostPositionsWith += with.positions;
                    lostPositionsWithout += without.positions;
                }
            }
        }
    }
    EXPECT_GT(compared, 100);
    EXPECT_GT(lostPositionsWith, 0U);
    EXPECT_LT(lostPositionsWith, lostPositionsWithout);
}

// A position met again with fewer talon cards within reach is not searched
// again.
TEST(SolverWasteCover, ChangesNoVerdictOnPositionsFromPlay) { expectNoVerdictChangesOnPositions(kWasteCover); }
TEST(SolverWasteCover, ChangesNoVerdictOnDeals) { expectNoVerdictChangesOnDeals(kWasteCover); }

// A card down from its foundation, or from the talon in draw one, comes
// only with the move that uses it, and a pile moved off whole only with the
// king that takes its place.
TEST(SolverPairedPlays, ChangeNoVerdictOnPositionsFromPlay) { expectNoVerdictChangesOnPositions(kPairedPlays); }
TEST(SolverPairedPlays, ChangeNoVerdictOnDeals) { expectNoVerdictChangesOnDeals(kPairedPlays); }

// A card nothing could need goes up alone, from the tableau or, with one
// card turned at a time, from the talon, where a card goes up alone too when
// the card it covers on its foundation is not needed; part of a run moves
// only to free the card beneath for its foundation; a king tries one empty
// pile.
TEST(SolverPruning, ChangesNoVerdictOnPositionsFromPlay) { expectNoVerdictChangesOnPositions(kPruning); }

TEST(SolverUpOrUsed, ChangesNoVerdictOnPositionsFromPlay) {
    expectNoVerdictChangesOnPositions(kUpOrUsed);
    expectNoVerdictChangesOnPositions(kUpOrUsedPaired);
}
TEST(SolverUpOrUsed, ChangesNoVerdictOnDeals) {
    expectNoVerdictChangesOnDeals(kUpOrUsed);
    expectNoVerdictChangesOnDeals(kUpOrUsedPaired);
}

TEST(SolverEitherParent, ChangesNoVerdictOnPositionsFromPlay) {
    expectNoVerdictChangesOnPositions(kEitherParent);
    expectNoVerdictChangesOnPositions(kEitherParentPaired);
    expectNoVerdictChangesOnPositions(kEitherParentUnpruned);
}
TEST(SolverEitherParent, ChangesNoVerdictOnDeals) {
    expectNoVerdictChangesOnDeals(kEitherParent);
    expectNoVerdictChangesOnDeals(kEitherParentPaired);
}

TEST(SolverOtherDraw, ChangesNoVerdictOnPositionsFromPlay) { expectNoVerdictChangesOnPositions(kOtherDraw); }

TEST(SolverRestarts, ChangeNoVerdictOnPositionsFromPlay) { expectNoVerdictChangesOnPositions(kRestarts); }

TEST(SolverOtherDraw, ByTurnsChangesNoVerdictOnPositionsFromPlay) {
    expectNoVerdictChangesOnPositions(kOtherDrawByTurns);
}

} // namespace
} // namespace dealwise::klondike
