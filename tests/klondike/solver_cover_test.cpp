// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cstdint>
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

SolveLimits coverSearch(std::uint64_t positions, bool wasteCover) {
    SolveLimits limits;
    limits.seconds = 600;
    limits.positions = positions;
    limits.tableBits = 16;
    limits.wasteCover = wasteCover;
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

// A position met again with fewer talon cards within reach is not searched
// again. Wherever both searches finish, that changes no verdict; and what the
// cover calls lost, a search without it never wins.
TEST(SolverWasteCover, ChangesNoVerdictOnPositionsFromPlay) {
    int compared = 0;
    int lostWithCover = 0;
    for (const int draw : {3, 1}) {
        std::vector<Game> positions = randomPositions(draw, 40, 120);
        const std::vector<Game> walks = solverWalks(draw, 60, 120);
        positions.insert(positions.end(), walks.begin(), walks.end());
        for (std::size_t index = 0; index < positions.size(); index += 6) {
            const Game& game = positions[index];
            const Solution with = solve(game, coverSearch(3000, true));
            const Solution without = solve(game, coverSearch(3000, false));
            if (with.verdict == Verdict::Lost) {
                ++lostWithCover;
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
    EXPECT_GT(lostWithCover, 300);
}

// Whole deals, both draws: the same verdict with and without the cover, and
// the cover searches fewer positions to a loss.
TEST(SolverWasteCover, ChangesNoVerdictOnDeals) {
    int compared = 0;
    std::uint64_t lostPositionsWith = 0;
    std::uint64_t lostPositionsWithout = 0;
    for (const int draw : {3, 1}) {
        for (std::uint64_t deal = 1; deal <= 60; ++deal) {
            const Deck deck = dealNumber(deal);
            const Solution with = solve(deck, draw, coverSearch(20'000, true));
            const Solution without = solve(deck, draw, coverSearch(20'000, false));
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

} // namespace
} // namespace dealwise::klondike
