// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

#include "core/card_text.h"
#include "klondike/deal.h"
#include "klondike/game.h"
#include "klondike/greedy.h"
#include "random_play.h"

namespace dealwise::klondike {
namespace {

using testing::code;
using testing::deckFor;

// Tops AS 2H 3C 9D 8S KC QD; everything else fills the piles and the stock.
Deck handBuiltDeck() {
    std::vector<const char*> rest{"4S", "5S", "6S", "7S",  "9S",  "10S", "JS", "QS", "KS", "AC", "2C", "4C",
                                  "5C", "6C", "7C", "8C",  "9C",  "10C", "JC", "QC", "AD", "2D", "3D", "4D",
                                  "5D", "6D", "7D", "8D",  "10D", "JD",  "KD", "AH", "3H", "4H", "5H", "6H",
                                  "7H", "8H", "9H", "10H", "JH",  "QH",  "KH", "2S", "3S"};
    std::array<std::vector<const char*>, 7> piles;
    const char* tops[] = {"AS", "2H", "3C", "9D", "8S", "KC", "QD"};
    std::size_t next = 0;
    for (std::size_t pile = 0; pile < 7; ++pile) {
        for (std::size_t below = 0; below < pile; ++below) {
            piles[pile].push_back(rest[next++]);
        }
        piles[pile].push_back(tops[pile]);
    }
    return deckFor(piles, {rest.begin() + std::ptrdiff_t(next), rest.end()});
}

std::set<std::tuple<int, int, int, int>> asSet(const std::vector<Move>& moves) {
    std::set<std::tuple<int, int, int, int>> set;
    for (const Move& move : moves) {
        set.insert({int(move.kind), move.from, move.to, move.count});
    }
    return set;
}

TEST(Deal, TheGeneratorAndShuffleAreTheDocumentedOnes) {
    SplitMix64 random(0);
    EXPECT_EQ(random.next(), 0xE220A8397B1DCDAFULL); // SplitMix64's published first output for seed 0
    EXPECT_EQ(toText(dealNumber(1)).substr(0, 47), "7C 9S 4C 8D 8C 5H JC 6C 9H JS 5C KC 3S 2C JD 5D");
    EXPECT_EQ(dealNumber(12345), dealNumber(12345));
    EXPECT_NE(dealNumber(1), dealNumber(2));
}

TEST(Deal, HasFiftyTwoDistinctCardsLaidOutAsDealt) {
    for (std::uint64_t number : {0ULL, 1ULL, 7ULL, 1000000ULL}) {
        const Deck deck = dealNumber(number);
        EXPECT_EQ(std::set<CardCode>(deck.begin(), deck.end()).size(), 52U);
        const Game game(deck, 3);
        for (int pile = 0; pile < 7; ++pile) {
            EXPECT_EQ(game.pile(pile).size(), std::size_t(pile + 1));
            EXPECT_EQ(game.faceDown(pile), pile);
            EXPECT_EQ(game.pile(pile).back(), codeOf(faceUpHand(deck)[std::size_t(pile)]));
        }
        EXPECT_EQ(game.stockCount(), 24);
        EXPECT_EQ(game.stock().back(), deck[28]); // the first stock card is turned first
        EXPECT_EQ(game.faceDownCount(), 21);
    }
    // Pile 3 gets its last card first in the fourth row, after 7 + 6 + 5 cards.
    EXPECT_EQ(codeOf(faceUpHand(dealNumber(1))[3]), dealNumber(1)[18]);
}

TEST(Deal, TextReadsBackAndRejectsAnythingButADeck) {
    const Deck deck = dealNumber(99);
    EXPECT_EQ(deckFromText(toText(deck)), deck);
    EXPECT_EQ(deckFromText("  " + toText(deck) + "\n"), deck);
    const std::string text = toText(deck);
    EXPECT_FALSE(deckFromText(text.substr(0, text.rfind(' '))));                           // 51 cards
    EXPECT_FALSE(deckFromText(text + " AS"));                                              // 53
    EXPECT_FALSE(deckFromText(text.substr(0, text.rfind(' ')) + " " + text.substr(0, 2))); // a card twice
    EXPECT_FALSE(deckFromText("XX " + text.substr(text.find(' ') + 1)));
}

TEST(Game, ListsEveryLegalMoveAndNoOther) {
    Game game(handBuiltDeck(), 3);
    using K = MoveKind;
    using Key = std::tuple<int, int, int, int>;
    EXPECT_EQ(asSet(game.legalMoves()), (std::set<Key>{
                                            {int(K::Turn), 0, 0, 0},
                                            {int(K::TableauToFoundation), 0, 0, 1}, // AS up
                                            {int(K::TableauToTableau), 0, 1, 1},    // AS on 2H
                                            {int(K::TableauToTableau), 1, 2, 1},    // 2H on 3C
                                            {int(K::TableauToTableau), 4, 3, 1},    // 8S on 9D
                                            {int(K::TableauToTableau), 6, 5, 1},    // QD on KC
                                        }));
    game.apply({K::TableauToFoundation, 0, 0, 1});
    EXPECT_TRUE(game.pile(0).empty());
    EXPECT_EQ(asSet(game.legalMoves()), (std::set<Key>{
                                            {int(K::Turn), 0, 0, 0},
                                            {int(K::TableauToTableau), 1, 2, 1},
                                            {int(K::TableauToTableau), 4, 3, 1},
                                            {int(K::TableauToTableau), 5, 0, 1}, // only a king to the empty pile
                                            {int(K::TableauToTableau), 6, 5, 1},
                                            {int(K::FoundationToTableau), 0, 1, 1}, // AS back, on 2H
                                        }));
    // A run of two moves as one, and the card it leaves turns face up.
    game.apply({K::TableauToTableau, 6, 5, 1});
    EXPECT_EQ(game.faceDown(6), 5);
    game.apply({K::TableauToTableau, 5, 0, 2});
    EXPECT_EQ(game.pile(0).size(), 2U);
    EXPECT_EQ(game.faceDown(5), 4);
    EXPECT_FALSE(game.isLegal({K::TableauToTableau, 3, 1, 1}));  // 9D on 2H
    EXPECT_FALSE(game.isLegal({K::WasteToFoundation, 0, 0, 1})); // no waste yet
}

TEST(Game, TheStockTurnsThreeAtATimeForEverPass) {
    const Deck deck = dealNumber(5);
    Game game(deck, 3);
    std::vector<CardCode> firstPass;
    for (int turn = 0; turn < 8; ++turn) {
        game.apply({MoveKind::Turn, 0, 0, 0});
        firstPass.push_back(game.wasteTop());
    }
    EXPECT_EQ(game.stockCount(), 0);
    EXPECT_EQ(firstPass.front(), deck[30]); // three turned: the third on top
    EXPECT_EQ(firstPass.back(), deck[51]);
    game.apply({MoveKind::Turn, 0, 0, 0}); // the waste goes back, in order
    EXPECT_EQ(game.stockCount(), 24);
    EXPECT_EQ(game.wasteCount(), 0);
    for (int turn = 0; turn < 8; ++turn) {
        game.apply({MoveKind::Turn, 0, 0, 0});
        EXPECT_EQ(game.wasteTop(), firstPass[std::size_t(turn)]);
    }
    Game single(deck, 1);
    single.apply({MoveKind::Turn, 0, 0, 0});
    EXPECT_EQ(single.wasteTop(), deck[28]);
    EXPECT_EQ(single.stockCount(), 23);
}

// Where the deal puts a card: the top of each pile, the card beneath it
// (turned up when the top leaves), and, drawing three, the card each turn of
// the full stock shows.
constexpr std::array<std::size_t, 7> kTopSlot{0, 7, 13, 18, 22, 25, 27};
std::size_t underTopSlot(std::size_t pile) { return kTopSlot[pile - 1] + 1; }
std::size_t shownAfterTurnsSlot(std::size_t turns) { return 28 + 3 * turns - 1; }

// Black tops 3S to 9S and black tens to kings showing from the stock: black
// on black, no ace in sight and no empty pile, so nothing can move. Every
// other card is face down or hidden in the stock.
Deck inertDeck() {
    const std::vector<const char*> shown{"3S", "4S", "5S", "6S",  "7S", "8S", "9S", "10S",
                                         "JS", "QS", "KS", "10C", "JC", "QC", "KC"};
    std::vector<std::size_t> shownSlots(kTopSlot.begin(), kTopSlot.end());
    for (std::size_t turns = 1; turns <= 8; ++turns) {
        shownSlots.push_back(shownAfterTurnsSlot(turns));
    }
    Deck deck{};
    std::set<CardCode> placed;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        deck[shownSlots[i]] = code(shown[i]);
        placed.insert(code(shown[i]));
    }
    CardCode next = 0;
    for (std::size_t slot = 0; slot < deck.size(); ++slot) {
        if (std::find(shownSlots.begin(), shownSlots.end(), slot) != shownSlots.end()) {
            continue;
        }
        while (placed.count(next) != 0) {
            ++next;
        }
        deck[slot] = next++;
    }
    return deck;
}

// The inert deck with these cards moved into these slots, each swapping
// places with the card that was there.
Deck arranged(const std::vector<std::pair<std::size_t, const char*>>& cards) {
    Deck deck = inertDeck();
    for (const auto& [slot, text] : cards) {
        std::iter_swap(deck.begin() + std::ptrdiff_t(slot), std::find(deck.begin(), deck.end(), code(text)));
    }
    return deck;
}

// A play as the greedy player makes it: turns of the stock, then a move.
struct Play {
    int turns = 0;
    Move move;
    friend bool operator==(const Play&, const Play&) = default;
};

std::vector<Play> playsOf(const std::vector<Move>& moves) {
    std::vector<Play> plays;
    int turns = 0;
    for (const Move& move : moves) {
        if (move.kind == MoveKind::Turn) {
            ++turns;
        } else {
            plays.push_back({turns, move});
            turns = 0;
        }
    }
    return plays;
}

bool canPlay(Game game, const Play& play) {
    for (int turn = 0; turn < play.turns; ++turn) {
        game.apply({MoveKind::Turn, 0, 0, 0});
    }
    return game.isLegal(play.move);
}

// From the deal, after `before` plays, both plays are open and the greedy
// player takes `preferred`.
void expectPreferred(const Deck& deck, const std::vector<Play>& before, const Play& preferred, const Play& other) {
    Game game(deck, 3);
    for (const Play& play : before) {
        ASSERT_TRUE(canPlay(game, play));
        game.apply(play.move);
    }
    ASSERT_TRUE(canPlay(game, preferred));
    ASSERT_TRUE(canPlay(game, other));
    std::vector<Play> plays = playsOf(playGreedy(deck, 3).moves);
    ASSERT_GT(plays.size(), before.size());
    plays.resize(before.size() + 1);
    std::vector<Play> expected = before;
    expected.push_back(preferred);
    EXPECT_EQ(plays, expected);
}

// Each preference wins over the next, and the less preferred play is found
// first where the rules allow it.
TEST(Greedy, TakesThePlayItPrefersMost) {
    using K = MoveKind;
    ASSERT_TRUE(playGreedy(inertDeck(), 3).moves.empty());
    // An ace up that turns a card up, over one that does not.
    expectPreferred(arranged({{kTopSlot[0], "AS"}, {kTopSlot[3], "AC"}}), {}, {0, {K::TableauToFoundation, 3, 0, 1}},
                    {0, {K::TableauToFoundation, 0, 0, 1}});
    // An ace up from the stock, over a tableau move that turns a card up.
    expectPreferred(arranged({{kTopSlot[2], "6H"}, {shownAfterTurnsSlot(2), "AD"}}), {},
                    {2, {K::WasteToFoundation, 0, 0, 1}}, {0, {K::TableauToTableau, 2, 4, 1}});
    // A tableau move that turns a card up, over a play from the stock.
    expectPreferred(arranged({{kTopSlot[2], "6H"}, {shownAfterTurnsSlot(1), "8H"}}), {},
                    {0, {K::TableauToTableau, 2, 4, 1}}, {1, {K::WasteToTableau, 0, 6, 1}});
    // Once the ace of clubs is up: a play from the stock, over bringing the ace back down.
    const Play aceUp{0, {K::TableauToFoundation, 3, 0, 1}};
    expectPreferred(
        arranged({{kTopSlot[0], "2H"}, {kTopSlot[3], "AC"}, {underTopSlot(3), "4C"}, {shownAfterTurnsSlot(1), "8H"}}),
        {aceUp}, {1, {K::WasteToTableau, 0, 6, 1}}, {0, {K::FoundationToTableau, 1, 0, 1}});
    // And bringing it back down, over a tableau move that turns nothing up.
    expectPreferred(arranged({{kTopSlot[0], "3H"}, {kTopSlot[2], "2H"}, {kTopSlot[3], "AC"}, {underTopSlot(3), "4C"}}),
                    {aceUp}, {0, {K::FoundationToTableau, 1, 2, 1}}, {0, {K::TableauToTableau, 0, 1, 1}});
}

TEST(Greedy, WonGamesReplayToFourFullFoundations) {
    int won = 0;
    for (std::uint64_t number = 1; number <= 60; ++number) {
        const Deck deck = dealNumber(number);
        const GameRecord record = playGreedy(deck, 3);
        EXPECT_EQ(playGreedy(deck, 3).moves, record.moves) << number; // deterministic
        Game end(deck, 3);
        ASSERT_TRUE(replay(deck, 3, record.moves, &end)) << number;
        EXPECT_EQ(end.isWon(), record.won) << number;
        if (record.won) {
            ++won;
            EXPECT_EQ(end.foundationCards(), 52);
            std::vector<Move> broken = record.moves;
            broken.insert(broken.begin(), {MoveKind::WasteToFoundation, 0, 0, 1});
            EXPECT_FALSE(replay(deck, 3, broken)) << number;
        }
    }
    EXPECT_GT(won, 3);
    EXPECT_TRUE(playGreedy(dealNumber(10), 3).won);
}

} // namespace
} // namespace dealwise::klondike
