// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "klondike/deal.h"
#include "klondike/game.h"
#include "klondike/greedy.h"
#include "klondike/solver.h"

namespace dealwise::klondike {
namespace {

// A small table: a test solves few positions, and each test process would
// otherwise set up the full 256 MiB. Without pruning, no rule of the solver's
// own is used: no moves left out and no position proved lost early.
SolveLimits testLimits(std::uint64_t positions, bool pruning = true, bool stuckCards = true) {
    SolveLimits limits;
    limits.seconds = 600;
    limits.positions = positions;
    limits.tableBits = 18;
    limits.pruning = pruning;
    limits.stuckCards = pruning && stuckCards;
    limits.stuckCardsAfter = 0; // the proof from the first position, so that the checks below test it
    limits.drawThreeForOne = pruning;
    limits.drawOneForThree = pruning;
    limits.restarts = pruning;
    return limits;
}

// A won verdict must come with a line the engine plays, move by legal move,
// to four full foundations.
void expectWinningLine(const Deck& deck, int draw, const Solution& solution, std::uint64_t deal) {
    Game end(deck, draw);
    ASSERT_TRUE(replay(deck, draw, solution.moves, &end)) << "deal " << deal << ": an illegal move";
    EXPECT_TRUE(end.isWon()) << "deal " << deal << ": " << end.foundationCards() << " cards up";
}

TEST(Solver, WinningLinesReplayAndEveryGreedyWinIsWon) {
    int won = 0;
    int greedyWins = 0;
    for (const int draw : {3, 1}) {
        for (std::uint64_t deal = 1; deal <= 60; ++deal) {
            const Deck deck = dealNumber(deal);
            Solution solution = solve(deck, draw, testLimits(20'000));
            if (solution.verdict == Verdict::Won) {
                ++won;
                expectWinningLine(deck, draw, solution, deal);
            }
            if (playGreedy(deck, draw).won) {
                ++greedyWins;
                if (solution.verdict == Verdict::Undecided) {
                    solution = solve(deck, draw, testLimits(5'000'000)); // a deep first line, but a win
                    expectWinningLine(deck, draw, solution, deal);
                }
                EXPECT_EQ(solution.verdict, Verdict::Won) << "draw " << draw << ", deal " << deal;
            }
        }
    }
    // Most of these deals are won, and the greedy player wins some: the
    // checks above did check something.
    EXPECT_GT(won, 90);
    EXPECT_GT(greedyWins, 20);
}

// The pruning rules leave out moves that can never be needed; a search
// without them must find these deals lost too.
TEST(Solver, ASearchWithoutPruningAgreesThatLostDealsAreLost) {
    for (const std::uint64_t deal : {135, 111, 50, 57, 126, 113, 56, 34, 47, 40, 4}) {
        const Deck deck = dealNumber(deal);
        EXPECT_EQ(solve(deck, 3, testLimits(0)).verdict, Verdict::Lost) << "deal " << deal;
        EXPECT_EQ(solve(deck, 3, testLimits(0, false)).verdict, Verdict::Lost) << "deal " << deal << ", no pruning";
    }
}

// Proving a position lost when a card can never move must not change what a
// search finds: wherever both searches finish, they agree. (The hard deals'
// verdicts below were found without the proof.)
TEST(Solver, TheStuckCardProofChangesNoVerdict) {
    int compared = 0;
    for (std::uint64_t deal = 1; deal <= 60; ++deal) {
        const Deck deck = dealNumber(deal);
        const Verdict with = solve(deck, 3, testLimits(10'000)).verdict;
        const Verdict without = solve(deck, 3, testLimits(10'000, true, false)).verdict;
        if (with != Verdict::Undecided && without != Verdict::Undecided) {
            EXPECT_EQ(with, without) << "deal " << deal;
            ++compared;
        }
    }
    EXPECT_GT(compared, 45);
}

// What the search with the other draw rests on: no deal is won with three
// cards turned at a time and lost with one. And where its own draw's search
// is stuck, the other draw, searched by turns with it, decides: draw-one deal
// 88 is won in a hundred positions with draw three, and its line replays
// with draw one; draw-three deal 7542 is lost in a hundred thousand with
// draw one.
TEST(Solver, TheOtherDrawDecidesWhereItsOwnSearchIsStuck) {
    int bothDecided = 0;
    for (std::uint64_t deal = 1; deal <= 60; ++deal) {
        const Deck deck = dealNumber(deal);
        const Verdict three = solve(deck, 3, testLimits(20'000)).verdict;
        const Verdict one = solve(deck, 1, testLimits(20'000)).verdict;
        if (three != Verdict::Undecided && one != Verdict::Undecided) {
            ++bothDecided;
            EXPECT_FALSE(three == Verdict::Won && one == Verdict::Lost) << "deal " << deal;
        }
    }
    EXPECT_GT(bothDecided, 45);

    SolveLimits ownOnly = testLimits(200'000);
    ownOnly.drawThreeForOne = false;
    ownOnly.drawOneForThree = false;
    SolveLimits withOther = testLimits(200'000);
    withOther.restartAfter = 1000; // the other draw's first turn comes after the first round
    withOther.otherDrawShare = 0.7;
    const Deck won = dealNumber(88);
    EXPECT_EQ(solve(won, 1, ownOnly).verdict, Verdict::Undecided);
    const Solution wonWithThree = solve(won, 1, withOther);
    EXPECT_EQ(wonWithThree.verdict, Verdict::Won);
    EXPECT_EQ(wonWithThree.searchedDraw, 3);
    expectWinningLine(won, 1, wonWithThree, 88);
    const Deck lost = dealNumber(7542);
    EXPECT_EQ(solve(lost, 3, ownOnly).verdict, Verdict::Undecided);
    const Solution lostWithOne = solve(lost, 3, withOther);
    EXPECT_EQ(lostWithOne.verdict, Verdict::Lost);
    EXPECT_EQ(lostWithOne.searchedDraw, 1);
    EXPECT_FALSE(playGreedy(lost, 3).won);
}

// Draw-three deal 23 opens, in the usual order, into a lost part of the
// game that takes over 3 million positions to leave; the first round in
// another order wins it at once.
TEST(Solver, RoundsInAnotherOrderWinWhereTheUsualOrderIsStuck) {
    SolveLimits usualOrder = testLimits(300'000);
    usualOrder.drawOneForThree = false;
    usualOrder.restarts = false;
    SolveLimits rounds = usualOrder;
    rounds.restarts = true;
    const Deck deck = dealNumber(23);
    EXPECT_EQ(solve(deck, 3, usualOrder).verdict, Verdict::Undecided);
    const Solution won = solve(deck, 3, rounds);
    ASSERT_EQ(won.verdict, Verdict::Won);
    EXPECT_GT(won.positions, rounds.restartAfter); // not in the first round
    expectWinningLine(deck, 3, won, 23);
}

// Draw-one deal 1002 is won through the draw-three search, but only in
// rounds: the usual draw-three order opens into millions of lost positions,
// and the draw-one search gets nowhere in its share either.
TEST(Solver, TheOtherDrawGoesInRoundsToo) {
    SolveLimits rounds = testLimits(100'000);
    rounds.restartAfter = 20'000;
    rounds.otherDrawAfter = 1000;
    rounds.otherDrawShare = 0.7;
    SolveLimits usualOrder = rounds;
    usualOrder.restarts = false;
    const Deck deck = dealNumber(1002);
    EXPECT_EQ(solve(deck, 1, usualOrder).verdict, Verdict::Undecided);
    const Solution won = solve(deck, 1, rounds);
    ASSERT_EQ(won.verdict, Verdict::Won);
    EXPECT_EQ(won.searchedDraw, 3);
    expectWinningLine(deck, 1, won, 1002);
}

TEST(Solver, ALimitReachedIsUndecidedNeverLost) {
    const Deck deck = dealNumber(174); // lost, after half a million positions
    const Solution cut = solve(deck, 3, testLimits(1000));
    EXPECT_EQ(cut.verdict, Verdict::Undecided);
    EXPECT_TRUE(cut.moves.empty());
    SolveLimits quick = testLimits(0);
    quick.seconds = 0.001;
    EXPECT_EQ(solve(deck, 3, quick).verdict, Verdict::Undecided);
}

// Room for the positions the limits allow, from 16 MiB to 1 GiB, within a
// quarter of the memory shared by the searches at once, and no more than
// the default where the memory is not known.
TEST(Solver, TheTableIsSizedForTheLimitsTheMemoryAndTheThreads) {
    constexpr std::uint64_t kGiB = std::uint64_t{1} << 30;
    const auto limits = [](double seconds, std::uint64_t positions) {
        SolveLimits sized;
        sized.seconds = seconds;
        sized.positions = positions;
        return sized;
    };
    EXPECT_EQ(tableBitsFor(limits(10, 0), 24 * kGiB, 2), SolveLimits{}.tableBits); // 256 MiB
    EXPECT_EQ(tableBitsFor(limits(0.25, 0), 24 * kGiB, 2), 18U);                   // 16 MiB
    EXPECT_EQ(tableBitsFor(limits(20, 0), 24 * kGiB, 2), 23U);
    EXPECT_EQ(tableBitsFor(limits(60, 0), 24 * kGiB, 2), 24U); // 1 GiB
    EXPECT_EQ(tableBitsFor(limits(1e9, 0), 24 * kGiB, 0), 24U);
    EXPECT_EQ(tableBitsFor(limits(1e9, 20'000), 24 * kGiB, 2), 18U); // the positions count first
    EXPECT_EQ(tableBitsFor(limits(10, 40'000'000), 24 * kGiB, 2), 24U);
    EXPECT_EQ(tableBitsFor(limits(60, 0), 4 * kGiB, 1), 24U);
    EXPECT_EQ(tableBitsFor(limits(60, 0), 4 * kGiB - 1, 1), 23U);
    EXPECT_EQ(tableBitsFor(limits(60, 0), 24 * kGiB, 64), 20U); // 96 MiB each: 64 MiB
    EXPECT_EQ(tableBitsFor(limits(60, 0), kGiB / 16, 8), 18U);  // 2 MiB each: still 16 MiB
    EXPECT_EQ(tableBitsFor(limits(60, 0), 0, 1), SolveLimits{}.tableBits);
    EXPECT_EQ(tableBitsFor(limits(0.25, 0), 0, 1), 18U);
}

// A thread's table is made anew when a search asks for another size, and the
// verdicts do not depend on it.
TEST(Solver, TablesOfEverySizeReachTheSameVerdicts) {
    for (std::uint64_t number = 1; number <= 8; ++number) {
        const Deck deck = dealNumber(number);
        const Solution small = solve(deck, 3, testLimits(0));
        SolveLimits larger = testLimits(0);
        larger.tableBits = 20;
        const Solution large = solve(deck, 3, larger);
        ASSERT_NE(small.verdict, Verdict::Undecided) << "deal " << number;
        EXPECT_EQ(large.verdict, small.verdict) << "deal " << number;
        if (large.verdict == Verdict::Won) {
            expectWinningLine(deck, 3, large, number);
        }
    }
}

struct HardDeal {
    int draw = 3;
    std::uint64_t deal = 0;
    std::string verdict;
    double seconds = 0.0; // in a release build
};

std::vector<HardDeal> hardDeals() {
    std::ifstream file(DEALWISE_HARD_DEALS);
    std::vector<HardDeal> deals;
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        HardDeal deal;
        fields >> deal.draw >> deal.deal >> deal.verdict >> deal.seconds;
        if (deal.seconds <= 1.0 || std::getenv("DEALWISE_HARD_DEALS_ALL") != nullptr) {
            deals.push_back(deal);
        }
    }
    return deals;
}

TEST(SolverHardDeals, KeepTheirVerdicts) {
    const std::vector<HardDeal> deals = hardDeals();
    ASSERT_FALSE(deals.empty()) << DEALWISE_HARD_DEALS;
    for (const HardDeal& hard : deals) {
        const Deck deck = dealNumber(hard.deal);
        SolveLimits limits = testLimits(0);
        limits.tableBits = hard.seconds <= 1.0 ? 21 : 23;
        const Solution solution = solve(deck, hard.draw, limits);
        EXPECT_EQ(solution.verdict, hard.verdict == "won" ? Verdict::Won : Verdict::Lost) << "deal " << hard.deal;
        if (solution.verdict == Verdict::Won) {
            expectWinningLine(deck, hard.draw, solution, hard.deal);
        } else {
            EXPECT_FALSE(playGreedy(deck, hard.draw).won) << "deal " << hard.deal;
        }
    }
}

} // namespace
} // namespace dealwise::klondike
