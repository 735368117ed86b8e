// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "core/card_text.h"
#include "klondike/game.h"
#include "klondike/greedy.h"
#include "klondike/rules.h"
#include "klondike/solver_position.h"
#include "random_play.h"

namespace dealwise::klondike {
namespace {

using testing::randomPositions;
using testing::turned;

CardCode code(const char* text) { return codeOf(*parseCard(text)); }

struct Shown {
    CardCode card = 0;
    int turns = 0;
    friend bool operator==(const Shown&, const Shown&) = default;
};

// Each card that turning the stock with Game::apply brings to the top of the
// waste, with the fewest turns that do it, in the order they first show.
std::vector<Shown> shownByTurning(Game game) {
    std::vector<Shown> shown;
    std::set<CardCode> seen;
    for (int turns = 0; turns < 3 * kStockSize && game.talonCount() > 0; ++turns) {
        if (game.hasWaste() && seen.insert(game.wasteTop()).second) {
            shown.push_back({game.wasteTop(), turns});
        }
        game.apply(testing::kTurn);
    }
    return shown;
}

std::vector<Shown> stopsOfTheRule(const Game& game) {
    std::vector<Shown> stops;
    forEachTurnStop(game.wasteCount(), game.talonCount(), game.draw(), [&](int top, int turns) {
        const CardCode card = turned(game, turns).wasteTop();
        EXPECT_EQ(game.talonCard(top), card) << "turning order index " << top;
        stops.push_back({card, turns});
    });
    return stops;
}

TEST(Rules, TheBuildingRulesReadAsTheGameIsPlayed) {
    EXPECT_TRUE(buildsOn(code("6H"), code("7S")));
    EXPECT_TRUE(buildsOn(code("6C"), code("7D")));
    EXPECT_FALSE(buildsOn(code("6D"), code("7H"))); // same colour
    EXPECT_FALSE(buildsOn(code("5H"), code("7S"))); // two ranks down
    EXPECT_FALSE(buildsOn(code("8H"), code("7S"))); // up
    EXPECT_FALSE(buildsOn(code("KH"), code("AS"))); // no wrapping round
    EXPECT_EQ(kCardsBuildingOn[code("AD")], CardSet{0});
    EXPECT_EQ(kCardsBuildingOn[code("10D")], cardSetOf(code("9S")) | cardSetOf(code("9C")));
    EXPECT_TRUE(startsEmptyPile(code("KD")));
    EXPECT_FALSE(startsEmptyPile(code("QS")));
    EXPECT_TRUE(goesOnFoundation(code("AH"), 0));
    EXPECT_TRUE(goesOnFoundation(code("KC"), 12));
    EXPECT_FALSE(goesOnFoundation(code("3C"), 1));

    Pile pile;
    pile.cards[0] = code("9S");
    pile.cards[1] = code("4D");
    pile.size = 2;
    pile.faceDown = 1;
    EXPECT_TRUE(pile.takes(code("3S")));
    EXPECT_FALSE(pile.turnUpIfUncovered()); // the face-down card is still covered
    pile.size = 1;
    EXPECT_TRUE(pile.turnUpIfUncovered());
    EXPECT_EQ(pile.faceDown, 0);
    EXPECT_FALSE(pile.turnUpIfUncovered()); // nothing face down is left
    pile.size = 0;
    EXPECT_TRUE(pile.takes(code("KH")));
    EXPECT_FALSE(pile.takes(code("QH")));
}

// The rule, the solver's talon and the greedy player's stock plays all show
// the cards that turning the stock shows, in the same order, with the same
// fewest turns.
TEST(Rules, TurningTheStockShowsWhatTheRuleSaysAndTheSolverAndGreedyPlayerAgree) {
    int positions = 0;
    for (const int draw : {1, 3}) {
        for (const Game& game : randomPositions(draw, 60, 80)) {
            ++positions;
            const std::vector<Shown> shown = shownByTurning(game);
            ASSERT_EQ(stopsOfTheRule(game), shown)
                << "draw " << draw << ", waste " << game.wasteCount() << " of " << game.talonCount();

            const solver::Position position(game);
            std::array<std::uint8_t, kStockSize> order{};
            const int count = position.talonInTurningOrder(order);
            std::vector<CardCode> talonCards;
            std::uint32_t reachable = 0;
            for (int i = 0; i < count; ++i) {
                talonCards.push_back(game.talonCard(order[std::size_t(i)]));
                reachable |= std::uint32_t{1} << order[std::size_t(i)];
            }
            std::vector<CardCode> shownCards;
            for (const Shown& card : shown) {
                shownCards.push_back(card.card);
            }
            ASSERT_EQ(talonCards, shownCards) << position.describe();
            ASSERT_EQ(position.reachableTalon(), reachable);

            // The greedy player's stock plays take their cards in turning order.
            std::vector<GreedyOption> options;
            greedyOptions(game, options);
            for (const GreedyOption& option : options) {
                if (option.play.kind != MoveKind::WasteToFoundation && option.play.kind != MoveKind::WasteToTableau) {
                    continue;
                }
                const CardCode card = turned(game, option.turns).wasteTop();
                const auto at = std::find(shown.begin(), shown.end(), Shown{card, option.turns});
                ASSERT_NE(at, shown.end()) << "a stock play not at the fewest turns that show its card";
            }
        }
    }
    EXPECT_GT(positions, 5000);

    // The solver's bit arithmetic, against the walk, for every talon and waste.
    for (const int draw : {1, 3}) {
        for (int talon = 0; talon <= kStockSize; ++talon) {
            for (int waste = 0; waste <= talon; ++waste) {
                std::uint32_t walked = 0;
                forEachTurnStop(waste, talon, draw, [&](int top, int) { walked |= std::uint32_t{1} << top; });
                ASSERT_EQ(turnStops(waste, talon, draw), walked)
                    << "draw " << draw << ", waste " << waste << " of " << talon;
            }
        }
    }
}

// Every play the rules allow after turning the stock alone, each once, with
// the fewest turns that make it: the greedy player's fast forms of the rules
// (bitmasks, a run's card found by its rank) miss none and add none.
TEST(Rules, TheGreedyPlayerConsidersEveryPlayTheRulesAllowOnceWithTheFewestTurns) {
    for (const int draw : {1, 3}) {
        for (const Game& game : randomPositions(draw, 40, 80)) {
            std::multiset<std::pair<std::uint64_t, int>> allowed; // where a play leads, and its turns
            for (const Move& move : game.legalMoves()) {
                if (move.kind != MoveKind::Turn && move.kind != MoveKind::WasteToFoundation &&
                    move.kind != MoveKind::WasteToTableau) {
                    Game after = game;
                    after.apply(move);
                    allowed.insert({after.hash(), 0});
                }
            }
            for (const Shown& card : shownByTurning(game)) {
                const Game before = turned(game, card.turns);
                for (const Move& move : before.legalMoves()) {
                    if (move.kind == MoveKind::WasteToFoundation || move.kind == MoveKind::WasteToTableau) {
                        Game after = before;
                        after.apply(move);
                        allowed.insert({after.hash(), card.turns});
                    }
                }
            }
            std::vector<GreedyOption> options;
            greedyOptions(game, options);
            std::multiset<std::pair<std::uint64_t, int>> considered;
            for (std::size_t i = 0; i < options.size(); ++i) {
                if (i > 0) {
                    ASSERT_LE(options[i - 1].preference, options[i].preference);
                }
                Game after = turned(game, options[i].turns);
                ASSERT_TRUE(after.isLegal(options[i].play));
                after.apply(options[i].play);
                considered.insert({after.hash(), options[i].turns});
            }
            ASSERT_EQ(considered, allowed) << "draw " << draw;
        }
    }
}

} // namespace
} // namespace dealwise::klondike
