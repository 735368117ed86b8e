// SPDX-License-Identifier: MIT
#include "windows/typed_card.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dealwise {
namespace {

// The cards the keys complete, in order; and whether a card is left begun.
struct Typed {
    std::vector<Card> cards;
    bool pending = false;
};

Typed type(TypedCard& decoder, std::string_view keys) {
    Typed typed;
    for (char key : keys) {
        if (const auto card = decoder.feed(key)) {
            typed.cards.push_back(*card);
        }
    }
    typed.pending = decoder.pending();
    return typed;
}

Typed type(std::string_view keys) {
    TypedCard decoder;
    return type(decoder, keys);
}

constexpr Card kAceOfSpades{Suit::Spades, Rank::Ace};
constexpr Card kTenOfHearts{Suit::Hearts, Rank::Ten};
constexpr Card kKingOfSpades{Suit::Spades, Rank::King};

TEST(TypedCard, EveryCardInEverySpellingCompletesAtItsSuit) {
    for (int index = 0; index < kCardCount; ++index) {
        const Card card = cardAt(index);
        std::array<char, kMaxCardText> canonical{};
        const std::string upper(canonical.data(), writeCardText(canonical.data(), card));
        std::string lower = upper;
        for (char& c : lower) {
            c = static_cast<char>(c | 0x20);
        }
        std::vector<std::string> spellings{upper, lower};
        if (card.rank == Rank::Ten) {
            spellings.push_back(std::string("T") + upper.back());
            spellings.push_back(std::string("t") + lower.back());
        }
        for (const std::string& spelling : spellings) {
            TypedCard decoder;
            const std::string begun = spelling.substr(0, spelling.size() - 1);
            const Typed first = type(decoder, begun);
            EXPECT_TRUE(first.cards.empty() && first.pending) << spelling;
            EXPECT_EQ(decoder.feed(spelling.back()), card) << spelling;
            EXPECT_FALSE(decoder.pending()) << spelling;
        }
    }
}

TEST(TypedCard, CardsFollowOneAnotherWithoutSeparators) {
    const Typed typed = type("AS2s3S4h9c10DkCtd");
    const std::vector<Card> expected{kAceOfSpades,
                                     {Suit::Spades, Rank::Two},
                                     {Suit::Spades, Rank::Three},
                                     {Suit::Hearts, Rank::Four},
                                     {Suit::Clubs, Rank::Nine},
                                     {Suit::Diamonds, Rank::Ten},
                                     {Suit::Clubs, Rank::King},
                                     {Suit::Diamonds, Rank::Ten}};
    EXPECT_EQ(typed.cards, expected);
    EXPECT_FALSE(typed.pending);
}

TEST(TypedCard, AWrongKeyDropsTheCardBegunAndMayBeginTheNext) {
    struct Case {
        std::string_view keys;
        std::vector<Card> cards;
        bool pending;
    };
    for (const Case& c : std::vector<Case>{
             {"x", {}, false},
             {"s", {}, false},
             {"0", {}, false},
             {" ", {}, false},
             {"ax", {}, false},
             {"ax s", {}, false},
             {"1s", {}, false},
             {"0s", {}, false},
             {"11", {}, true},     // the second 1 begins a ten afresh
             {"11 0h", {}, false}, // and the blank drops it
             {"110h", {kTenOfHearts}, false},
             {"100h", {}, false}, // "10" then a 0: no rank goes on so
             {"aks", {kKingOfSpades}, false},
             {"a\xe1s", {}, false}, // a byte outside ASCII is a wrong key too
             {"asS", {kAceOfSpades}, false},
             {"q", {}, true},
             {"1", {}, true},
             {"10", {}, true},
         }) {
        const Typed typed = type(c.keys);
        EXPECT_EQ(typed.cards, c.cards) << '"' << c.keys << '"';
        EXPECT_EQ(typed.pending, c.pending) << '"' << c.keys << '"';
    }
}

TEST(TypedCard, ForgettingDropsTheCardBegun) {
    for (std::string_view begun : {"q", "1", "10", "T"}) {
        TypedCard decoder;
        (void)type(decoder, begun);
        decoder.forget();
        EXPECT_FALSE(decoder.pending()) << begun;
        EXPECT_EQ(type(decoder, "h").cards, std::vector<Card>{}) << begun;
        EXPECT_EQ(type(decoder, "0h").cards, std::vector<Card>{}) << begun;
        EXPECT_EQ(type(decoder, "ts").cards, (std::vector<Card>{{Suit::Spades, Rank::Ten}})) << begun;
    }
}

} // namespace
} // namespace dealwise
