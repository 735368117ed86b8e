// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace dealwise {

// Suits are numbered in this order wherever a suit is numbered.
enum class Suit : std::uint8_t { Spades = 0, Clubs = 1, Diamonds = 2, Hearts = 3 };

enum class Rank : std::uint8_t { Ace = 1, Two, Three, Four, Five, Six, Seven, Eight, Nine, Ten, Jack, Queen, King };

inline constexpr std::array<Suit, 4> kAllSuits{Suit::Spades, Suit::Clubs, Suit::Diamonds, Suit::Hearts};
inline constexpr int kSuitCount = 4;
inline constexpr int kRankCount = 13;
inline constexpr int kCardCount = kSuitCount * kRankCount;

struct Card {
    Suit suit = Suit::Spades;
    Rank rank = Rank::Ace;

    friend constexpr bool operator==(Card, Card) noexcept = default;
};

[[nodiscard]] constexpr int suitIndex(Suit suit) noexcept { return static_cast<int>(suit); }
[[nodiscard]] constexpr int rankValue(Rank rank) noexcept { return static_cast<int>(rank); }
// The ace has rank index 0, the king 12.
[[nodiscard]] constexpr int rankIndex(Rank rank) noexcept { return rankValue(rank) - 1; }
[[nodiscard]] constexpr Rank rankFromValue(int value) noexcept { return static_cast<Rank>(value); }

// The one numbering of the 52 cards, in the order of a new deck: spades,
// clubs, diamonds, hearts, ace to king in each (the ace of spades is 0, the
// king of hearts 51). A table of anything by card is indexed by it.
[[nodiscard]] constexpr int cardIndex(Card card) noexcept {
    return suitIndex(card.suit) * kRankCount + rankIndex(card.rank);
}
// The index must be 0..51.
[[nodiscard]] constexpr Card cardAt(int index) noexcept {
    return Card{static_cast<Suit>(index / kRankCount), rankFromValue(index % kRankCount + 1)};
}

[[nodiscard]] constexpr bool isBlack(Suit suit) noexcept { return suit == Suit::Spades || suit == Suit::Clubs; }

[[nodiscard]] constexpr char suitLetter(Suit suit) noexcept {
    constexpr std::array<char, 4> letters{'S', 'C', 'D', 'H'};
    return letters[static_cast<std::size_t>(suitIndex(suit))];
}

// The caption a card button shows at rest: "A", "2" .. "10", "J", "Q", "K".
[[nodiscard]] constexpr std::string_view restCaption(Rank rank) noexcept {
    constexpr std::array<std::string_view, 13> captions{"A", "2", "3",  "4", "5", "6", "7",
                                                        "8", "9", "10", "J", "Q", "K"};
    return captions[static_cast<std::size_t>(rankIndex(rank))];
}

static_assert(restCaption(Rank::Ten) == "10" && restCaption(Rank::King) == "K");
static_assert(suitLetter(Suit::Hearts) == 'H');
static_assert(cardIndex(Card{Suit::Spades, Rank::Ace}) == 0 && cardIndex(Card{Suit::Hearts, Rank::King}) == 51);
static_assert(cardAt(cardIndex(Card{Suit::Diamonds, Rank::Ten})) == Card{Suit::Diamonds, Rank::Ten});

} // namespace dealwise
