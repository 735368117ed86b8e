// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "klondike/deal.h"
#include "klondike/game.h"
#include "klondike/solver_position.h"
#include "random_play.h"

namespace dealwise::klondike::solver {
namespace {

using testing::randomPositions;

std::set<std::string> outcomesOfSteps(const Game& game, Pruning pruning) {
    Position position(game);
    std::vector<Step> steps;
    position.generate(steps, pruning);
    std::set<std::string> outcomes;
    for (Step step : steps) {
        position.apply(step);
        outcomes.insert(position.describe());
        position.undo(step);
    }
    return outcomes;
}

// Each step is a move a player can make, leads where the game goes, and is
// taken back exactly, the key's hashes kept move by move included (the
// tableau's as a new position would have it; the talon's part of the key
// counts from the talon a position starts with); without pruning the steps
// miss no legal move.
TEST(SolverPosition, StepsAreThePlayersMovesAndTakeBackExactly) {
    for (const int draw : {1, 3}) {
        for (const Game& game : randomPositions(draw, 25, 50)) {
            for (const Pruning pruning : {Pruning::None, Pruning::Exact, Pruning::UpOrUsed}) {
                Position position(game);
                const std::string before = position.describe();
                const Key keyBefore = position.key();
                const KeyHash hashBefore = position.keyHash();
                std::vector<Step> steps;
                position.generate(steps, pruning);
                for (Step step : steps) {
                    Game played = game;
                    std::vector<Move> moves;
                    ASSERT_TRUE(playStep(played, step, moves)) << before;
                    Game check = game;
                    for (const Move& move : moves) {
                        ASSERT_TRUE(check.isLegal(move)) << before;
                        check.apply(move);
                    }
                    position.apply(step);
                    EXPECT_EQ(position.describe(), Position(played).describe()) << before;
                    EXPECT_EQ(position.tableauHash(), Position(played).tableauHash()) << before;
                    position.undo(step);
                    ASSERT_EQ(position.describe(), before);
                    ASSERT_EQ(position.key(), keyBefore);
                    ASSERT_EQ(position.keyHash(), hashBefore);
                }
            }
            // Every legal move but a turn of the stock, by where it leads.
            std::set<std::string> wanted;
            for (const Move& move : game.legalMoves()) {
                if (move.kind != MoveKind::Turn) {
                    Game after = game;
                    after.apply(move);
                    wanted.insert(Position(after).describe());
                }
            }
            const std::set<std::string> unpruned = outcomesOfSteps(game, Pruning::None);
            for (const std::string& outcome : wanted) {
                EXPECT_TRUE(unpruned.count(outcome) == 1)
                    << "missing " << outcome << "\nfrom " << Position(game).describe();
            }
        }
    }
}

// The hashes kept move by move stand for the key: one key, one pair of
// hashes, and no two keys of the many positions of play share one; the
// tableau's hash likewise for the piles alone.
TEST(SolverPosition, TheKeysHashesTellKeysApart) {
    std::map<KeyHash, Key> keyOfHash;
    std::map<std::uint64_t, std::vector<std::uint32_t>> pilesOfHash;
    for (const int draw : {3, 1}) {
        for (const Game& game : randomPositions(draw, 300, 150)) {
            const Position position(game);
            const Key key = position.key();
            const auto [atHash, newHash] = keyOfHash.emplace(position.keyHash(), key);
            EXPECT_EQ(atHash->second, key) << position.describe();
            const std::vector<std::uint32_t> piles(key.begin(), key.begin() + kPileCount);
            const auto [atPiles, newPiles] = pilesOfHash.emplace(position.tableauHash(), piles);
            EXPECT_EQ(atPiles->second, piles) << position.describe();
        }
    }
    EXPECT_GT(keyOfHash.size(), 10'000U);
}

// A run moved from the face-up card it lies on to the other card of that
// colour and rank leads to a twin: the same class key, and both have a twin.
// Any other move that changes the key changes the class.
TEST(SolverPosition, TwinsShareTheirClassKeyAndNoOtherMoveKeepsIt) {
    int twinMoves = 0;
    int otherMoves = 0;
    for (const Game& game : randomPositions(3, 200, 120)) {
        Position position(game);
        bool hasTwin = false;
        const KeyHash classKey = position.firstParentKeyHash(hasTwin);
        std::vector<Step> steps;
        position.generate(steps, Pruning::None);
        for (Step step : steps) {
            bool twinMove = false;
            if (step.kind == StepKind::TableauToTableau) {
                const Pile& from = position.pile(step.from);
                twinMove = from.size - step.count > from.faceDown;
            }
            const Key key = position.key();
            position.apply(step);
            bool afterHasTwin = false;
            const KeyHash afterClass = position.firstParentKeyHash(afterHasTwin);
            if (twinMove) {
                EXPECT_EQ(afterClass, classKey) << position.describe();
                EXPECT_TRUE(hasTwin && afterHasTwin) << position.describe();
                ++twinMoves;
            } else if (position.key() != key) {
                EXPECT_NE(afterClass, classKey) << position.describe();
                ++otherMoves;
            }
            if (!afterHasTwin) {
                EXPECT_EQ(afterClass, position.keyHash());
            }
            position.undo(step);
        }
    }
    EXPECT_GT(twinMoves, 100);
    EXPECT_GT(otherMoves, 10'000);
}

TEST(SolverPosition, TheKeyIgnoresWhichEmptyPileAKingTakesAndTheWaste) {
    int kingsWithAChoice = 0;
    for (const Game& game : randomPositions(3, 200, 120)) {
        Position position(game);
        std::vector<Step> steps;
        position.generate(steps, Pruning::None);
        std::set<std::pair<int, int>> seen; // the king's kind and source
        for (Step step : steps) {
            if (!startsEmptyPile(step.card) || !game.pile(step.to).empty()) {
                continue;
            }
            position.apply(step);
            const Key key = position.key();
            const KeyHash hash = position.keyHash();
            position.undo(step);
            for (Step other : steps) {
                if (other.kind == step.kind && other.from == step.from && other.to != step.to &&
                    game.pile(other.to).empty()) {
                    position.apply(other);
                    EXPECT_EQ(position.key(), key) << position.describe();
                    EXPECT_EQ(position.keyHash(), hash) << position.describe();
                    position.undo(other);
                    kingsWithAChoice += seen.insert({int(step.kind), step.from}).second ? 1 : 0;
                }
            }
        }
    }
    EXPECT_GT(kingsWithAChoice, 0) << "no position had a king and two empty piles";

    // The waste is not in the key; what it changes is which talon cards are
    // within reach. Turning only ever moves within what was reachable, and a
    // waste of a multiple of three cards, or of the whole talon, reaches what
    // a full stock does.
    for (const Game& game : randomPositions(3, 100, 60)) {
        const Position before(game);
        Game fresh = game; // the stock turned over: an empty waste
        while (fresh.stockCount() > 0) {
            fresh.apply({MoveKind::Turn, 0, 0, 0});
        }
        fresh.apply({MoveKind::Turn, 0, 0, 0});
        const std::uint32_t fullStock = Position(fresh).reachableTalon();
        Game turned = game;
        for (int turn = 0; turn < 12 && turned.talonCount() > 0; ++turn) {
            turned.apply({MoveKind::Turn, 0, 0, 0});
            const Position after(turned);
            EXPECT_EQ(after.key(), before.key());
            EXPECT_EQ(after.reachableTalon() & ~before.reachableTalon(), 0U) << before.describe();
            EXPECT_EQ(fullStock & ~after.reachableTalon(), 0U);
            if (turned.wasteCount() % 3 == 0 || turned.stockCount() == 0) {
                EXPECT_EQ(after.reachableTalon(), fullStock);
            }
        }
    }
    const Game dealt(dealNumber(1), 3);
    Game turned = dealt;
    for (int turns = 0; turns < 10; ++turns) {
        EXPECT_EQ(Position(turned).reachableTalon(), Position(dealt).reachableTalon()) << turns << " turns";
        turned.apply({MoveKind::Turn, 0, 0, 0});
    }
    // Draw one: every card comes up from any waste.
    Game one(dealNumber(1), 1);
    one.apply({MoveKind::Turn, 0, 0, 0});
    EXPECT_EQ(Position(one).reachableTalon(), (1U << one.talonCount()) - 1);
}

} // namespace
} // namespace dealwise::klondike::solver
