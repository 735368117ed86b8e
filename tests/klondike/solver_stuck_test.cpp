// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "klondike/deal.h"
#include "klondike/game.h"
#include "klondike/solver.h"
#include "klondike/solver_position.h"
#include "random_play.h"

namespace dealwise::klondike::solver {
namespace {

using testing::deckFor;
using testing::randomPositions;
using testing::solverWalks;

// The conditions of Position::hasStuckCard read card by card, with no sets of
// bits and no shortcuts: the largest S and N, found by taking out one card
// that breaks its condition at a time. With `bottomKingsHold`, a king at
// the bottom of its pile needs nowhere to be built on to stay in S.
bool stuckByDefinition(const Game& game, bool bottomKingsHold = true) {
    struct Place {
        int pile = -1;
        int at = 0;
    };
    std::array<Place, kCardCount> place{};
    for (int pile = 0; pile < kPileCount; ++pile) {
        for (int at = 0; at < int(game.pile(pile).size()); ++at) {
            place[game.pile(pile)[std::size_t(at)]] = {pile, at};
        }
    }
    std::array<bool, kCardCount> inS{};
    std::array<bool, kCardCount> inN{};
    for (int card = 0; card < kCardCount; ++card) {
        inS[std::size_t(card)] = place[std::size_t(card)].pile >= 0;
        inN[std::size_t(card)] = !inS[std::size_t(card)];
    }
    const auto cardAbove = [&](CardCode card) -> int {
        const Place where = place[card];
        const auto pile = game.pile(where.pile);
        return where.at + 1 < int(pile.size()) ? pile[std::size_t(where.at + 1)] : -1;
    };
    const auto everyPileHeld = [&] {
        for (int pile = 0; pile < kPileCount; ++pile) {
            bool held = false;
            for (const CardCode card : game.pile(pile)) {
                held = held || inS[card];
            }
            if (!held) {
                return false;
            }
        }
        return true;
    };
    const auto cannotBeBuilt = [&](CardCode card) {
        if (startsEmptyPile(card)) {
            return everyPileHeld();
        }
        for (int on = 0; on < kCardCount; ++on) {
            if (!buildsOn(card, CardCode(on))) {
                continue;
            }
            const int above = inS[std::size_t(on)] ? cardAbove(CardCode(on)) : -1;
            if (!inN[std::size_t(on)] && !(above >= 0 && inS[std::size_t(above)])) {
                return false;
            }
        }
        return true;
    };
    for (bool changed = true; changed;) {
        changed = false;
        for (int c = 0; c < kCardCount; ++c) {
            const auto card = CardCode(c);
            if (inS[card]) {
                const Place where = place[card];
                const auto pile = game.pile(where.pile);
                const int above = cardAbove(card);
                bool lowerInS = false;
                for (int rank = 1; rank < rankOf(card); ++rank) {
                    lowerInS = lowerInS || inS[cardCode(suitOf(card), rank)];
                }
                const bool restsOnS = where.at == 0 || inS[pile[std::size_t(where.at - 1)]];
                const bool faceUp = where.at >= game.faceDown(where.pile);
                const bool staysPut =
                    (bottomKingsHold && where.at == 0 && startsEmptyPile(card)) || cannotBeBuilt(card);
                const bool held = (above >= 0 && inS[std::size_t(above)]) || (lowerInS && staysPut);
                if (!restsOnS || (faceUp && !staysPut) || !held) {
                    inS[card] = false;
                    changed = true;
                }
            }
            if (inN[card] && !cannotBeBuilt(card)) {
                inN[card] = false;
                changed = true;
            }
        }
    }
    for (const bool stuck : inS) {
        if (stuck) {
            return true;
        }
    }
    return false;
}

std::vector<Game> testPositions() {
    std::vector<Game> positions;
    for (const int draw : {3, 1}) {
        for (const std::vector<Game>& some : {randomPositions(draw, 60, 120), solverWalks(draw, 100, 120)}) {
            positions.insert(positions.end(), some.begin(), some.end());
        }
    }
    return positions;
}

TEST(SolverStuckCards, TheProofIsItsDefinition) {
    int stuck = 0;
    int onlyByAKing = 0;
    int positions = 0;
    for (const Game& game : testPositions()) {
        const bool expected = stuckByDefinition(game);
        const bool expectedWithoutKings = stuckByDefinition(game, false);
        ASSERT_EQ(Position(game).hasStuckCard(), expected) << Position(game).describe();
        ASSERT_EQ(Position(game).hasStuckCard(false), expectedWithoutKings) << Position(game).describe();
        stuck += expected ? 1 : 0;
        onlyByAKing += expected && !expectedWithoutKings ? 1 : 0;
        ++positions;
    }
    // Each answer came up often enough for the comparison to mean something.
    EXPECT_GT(stuck, 100) << positions;
    EXPECT_GT(onlyByAKing, 20) << positions;
    EXPECT_GT(positions - stuck, 1000);
}

SolveLimits smallSearch(std::uint64_t positions, bool stuckCards) {
    SolveLimits limits;
    limits.seconds = 600;
    limits.positions = positions;
    limits.tableBits = 16;
    limits.stuckCards = stuckCards;
    limits.stuckCardsAfter = 0;
    limits.drawThreeForOne = false; // the proof alone
    limits.drawOneForThree = false;
    limits.restarts = false;
    return limits;
}

// Searching on from a position the proof calls lost never finds a win, and
// wherever both searches finish, the proof changes no verdict.
TEST(SolverStuckCards, NoSearchWinsWhatTheProofCallsLost) {
    int stuckSearched = 0;
    int stuckFinished = 0;
    int compared = 0;
    int index = 0;
    for (const Game& game : testPositions()) {
        const bool stuck = Position(game).hasStuckCard();
        if (!stuck && index++ % 64 != 0) {
            continue;
        }
        const Solution with = solve(game, smallSearch(2000, true));
        const Solution without = solve(game, smallSearch(2000, false));
        if (stuck) {
            ++stuckSearched;
            EXPECT_EQ(with.verdict, Verdict::Lost);
            EXPECT_NE(without.verdict, Verdict::Won) << Position(game).describe();
            stuckFinished += without.verdict == Verdict::Lost ? 1 : 0;
        }
        if (with.verdict != Verdict::Undecided && without.verdict != Verdict::Undecided) {
            EXPECT_EQ(with.verdict, without.verdict) << Position(game).describe();
            ++compared;
        }
        if (with.verdict == Verdict::Won) {
            Game end = game;
            for (const Move& move : with.moves) {
                ASSERT_TRUE(end.isLegal(move));
                end.apply(move);
            }
            EXPECT_TRUE(end.isWon());
        }
    }
    EXPECT_GT(stuckSearched, 100);
    EXPECT_GT(stuckFinished, 20); // searched to the end without the proof, and lost
    EXPECT_GT(compared, 300);
}

// The proof's answers kept by tableau are the answers it would give: whole
// deals searched past the point where the proof starts take the same
// positions to the same verdicts with the answers kept in a handful of
// places (so that tableaux often meet in one) as with none kept.
TEST(SolverStuckCards, KeptAnswersAreTheProofsOwn) {
    int pastTheStart = 0;
    for (const int draw : {3, 1}) {
        for (std::uint64_t deal = 1; deal <= 60; ++deal) {
            SolveLimits limits;
            limits.seconds = 600;
            limits.positions = 30'000;
            limits.tableBits = 16;
            limits.stuckAnswerBits = 0;
            const Solution proved = solve(dealNumber(deal), draw, limits);
            limits.stuckAnswerBits = 3;
            const Solution kept = solve(dealNumber(deal), draw, limits);
            EXPECT_EQ(proved.verdict, kept.verdict) << "draw " << draw << ", deal " << deal;
            EXPECT_EQ(proved.positions, kept.positions) << "draw " << draw << ", deal " << deal;
            pastTheStart += proved.positions > limits.stuckCardsAfter ? 1 : 0;
        }
    }
    EXPECT_GT(pastTheStart, 15);
}

// The five of hearts lies on the four it needs to go up, and both black
// sixes are face down beneath it: it can never move, and the deal is lost
// before a card is played. Give it a six on top of another pile and it is not.
TEST(SolverStuckCards, ACardOnTheCardsItNeedsIsStuck) {
    const std::vector<const char*> stock{"2S", "3S", "4S", "5S", "7S", "8S", "9S", "10S", "JS", "QS", "KS", "AC",
                                         "2C", "3C", "4C", "5C", "7C", "8C", "9C", "10C", "JC", "QC", "KC", "AD"};
    const std::array<std::vector<const char*>, 7> stuck{{{"AS"},
                                                         {"2D", "3D"},
                                                         {"4D", "5D", "6D"},
                                                         {"7D", "8D", "9D", "10D"},
                                                         {"JD", "QD", "KD", "AH", "2H"},
                                                         {"3H", "6H", "7H", "8H", "9H", "10H"},
                                                         {"6S", "6C", "4H", "JH", "QH", "KH", "5H"}}};
    const Game lost(deckFor(stuck, stock), 3);
    EXPECT_TRUE(Position(lost).hasStuckCard());
    EXPECT_TRUE(stuckByDefinition(lost));
    const Solution solution = solve(lost, smallSearch(0, true));
    EXPECT_EQ(solution.verdict, Verdict::Lost);
    EXPECT_EQ(solution.positions, 0U);
    EXPECT_NE(solve(lost, smallSearch(20'000, false)).verdict, Verdict::Won);

    std::array<std::vector<const char*>, 7> free = stuck;
    std::swap(free[0][0], free[6][1]); // the six of clubs on top of the first pile
    const Game notLost(deckFor(free, stock), 3);
    EXPECT_FALSE(Position(notLost).hasStuckCard());
    EXPECT_FALSE(stuckByDefinition(notLost));
}

// Deal 389 of draw three: [QS JH 2C] AH in the fourth pile and
// [QC 5H 2H 4C KC AD] JD in the seventh. The jack of diamonds goes up only
// after the ace beneath it, and goes only on the queen of clubs beneath it
// or on the queen of spades; that queen is face down under the jack of
// hearts, which goes up only after the two of hearts under the jack of
// diamonds, and goes only on those two queens. Neither jack ever moves,
// though the jack of hearts is face down under cards that can, and the
// deal is lost before a card is played. Searched without the proof, it
// takes millions of positions.
TEST(SolverStuckCards, AFaceDownCardCanHoldItsPileDown) {
    const Game game(dealNumber(389), 3);
    EXPECT_TRUE(Position(game).hasStuckCard());
    EXPECT_TRUE(stuckByDefinition(game));
    EXPECT_EQ(solve(game, smallSearch(0, true)).positions, 0U);
    const std::string layout = Position(game).describe();
    EXPECT_NE(layout.find("/ [QS JH 2C ] AH / "), std::string::npos) << layout;
    EXPECT_NE(layout.find("/ [QC 5H 2H 4C KC AD ] JD / "), std::string::npos) << layout;
}

// The jack of hearts lies on the seven and five it needs, face down, and
// goes only on a black queen: the queen of clubs, under the jack of diamonds
// (which needs that five too) on the king of hearts, or the queen of spades,
// which goes only on that king or on the king of diamonds under the seven.
// The king of hearts could go into an empty pile, but only with the queen and
// the jack on it, so nothing of either pile ever moves and the game is lost;
// counting that move as one that frees the king's pile, the proof misses it.
TEST(SolverStuckCards, AKingAtTheBottomHoldsItsPileWhereverItGoes) {
    const std::vector<const char*> stock{"AC",  "JS", "QS", "KS", "AH", "2H", "3H", "4H", "5H", "6H", "8H",  "9H",
                                         "10H", "QH", "AD", "2D", "3D", "4D", "6D", "7D", "8D", "9D", "10D", "QD"};
    const std::array<std::vector<const char*>, 7> piles{{{"KH"},
                                                         {"2C", "QC"},
                                                         {"3C", "4C", "JD"},
                                                         {"5C", "6C", "7C", "8C"},
                                                         {"KD", "7H", "5D", "9C", "JH"},
                                                         {"10C", "JC", "KC", "AS", "2S", "3S"},
                                                         {"4S", "5S", "6S", "7S", "8S", "9S", "10S"}}};
    Game game(deckFor(piles, stock), 3);
    for (const Move move : {Move{MoveKind::TableauToTableau, 1, 0, 1}, Move{MoveKind::TableauToTableau, 2, 0, 1}}) {
        ASSERT_TRUE(game.isLegal(move));
        game.apply(move);
    }
    ASSERT_NE(Position(game).describe().find("[] KH QC JD / "), std::string::npos) << Position(game).describe();
    EXPECT_TRUE(Position(game).hasStuckCard());
    EXPECT_TRUE(stuckByDefinition(game));
    EXPECT_FALSE(Position(game).hasStuckCard(false));
    EXPECT_FALSE(stuckByDefinition(game, false));
    EXPECT_EQ(solve(game, smallSearch(0, true)).positions, 0U);
    EXPECT_NE(solve(game, smallSearch(20'000, false)).verdict, Verdict::Won);
}

} // namespace
} // namespace dealwise::klondike::solver
