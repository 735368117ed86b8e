// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

#include "core/card.h"

// The rules of Klondike, each said once here: the game, the greedy player
// and the solver keep their own fast forms of a position, but what may go
// where, when a card turns face up and what turning the stock shows come
// from this file.
namespace dealwise::klondike {

// A card as one byte, numbered as the core library numbers cards: suit * 13
// + rank index (the ace of spades is 0, the king of hearts 51).
using CardCode = std::uint8_t;

// Looked up rather than divided: the player asks these millions of times.
inline constexpr auto kRankOf = [] {
    std::array<std::uint8_t, kCardCount> ranks{};
    for (int card = 0; card < kCardCount; ++card) {
        ranks[std::size_t(card)] = static_cast<std::uint8_t>(rankValue(cardAt(card).rank));
    }
    return ranks;
}();

inline constexpr int kAceRank = rankValue(Rank::Ace);
inline constexpr int kKingRank = rankValue(Rank::King);

[[nodiscard]] constexpr int suitOf(CardCode card) noexcept { return card / kRankCount; }
// 1 for the ace to 13 for the king.
[[nodiscard]] constexpr int rankOf(CardCode card) noexcept { return kRankOf[card]; }
// The red suits are numbered last, so one comparison tells the colour.
[[nodiscard]] constexpr bool isRed(CardCode card) noexcept { return card >= 2 * kRankCount; }
// The card of suit index `suit` and rank `rank` (1 to 13).
[[nodiscard]] constexpr CardCode cardCode(int suit, int rank) noexcept {
    return static_cast<CardCode>(suit * kRankCount + rank - 1);
}

static_assert(isBlack(cardAt(2 * kRankCount - 1).suit) && !isBlack(cardAt(2 * kRankCount).suit));

// The tableau builds down in alternating colours.
[[nodiscard]] constexpr int rankBuildingOn(CardCode top) noexcept { return rankOf(top) - 1; } // 0 on an ace: none
[[nodiscard]] constexpr bool buildsOn(CardCode card, CardCode top) noexcept {
    return isRed(card) != isRed(top) && rankOf(card) == rankBuildingOn(top);
}
// Only a king, or a run headed by one, goes into an empty pile.
[[nodiscard]] constexpr bool startsEmptyPile(CardCode card) noexcept { return rankOf(card) == kKingRank; }

// A foundation builds up in suit from the ace; `topRank` is 0 while it is empty.
[[nodiscard]] constexpr int rankGoingOnFoundation(int topRank) noexcept { return topRank + 1; }
[[nodiscard]] constexpr bool goesOnFoundation(CardCode card, int topRank) noexcept {
    return rankOf(card) == rankGoingOnFoundation(topRank);
}

// The same rules as sets, one bit a card, for asking about many cards at once.
using CardSet = std::uint64_t;
[[nodiscard]] constexpr CardSet cardSetOf(CardCode card) noexcept { return CardSet{1} << card; }
inline constexpr CardSet kCardsStartingEmptyPile = [] {
    CardSet cards = 0;
    for (int card = 0; card < kCardCount; ++card) {
        cards |= startsEmptyPile(CardCode(card)) ? cardSetOf(CardCode(card)) : 0;
    }
    return cards;
}();
// For each top card, the cards that may be built on it: two, or none on an ace.
inline constexpr auto kCardsBuildingOn = [] {
    std::array<CardSet, kCardCount> builders{};
    for (int top = 0; top < kCardCount; ++top) {
        for (int card = 0; card < kCardCount; ++card) {
            builders[std::size_t(top)] |= buildsOn(CardCode(card), CardCode(top)) ? cardSetOf(CardCode(card)) : 0;
        }
    }
    return builders;
}();

// Six face-down cards under a run of thirteen.
inline constexpr int kMaxPileCards = 6 + kRankCount;

// Taking a pile's cards from `first` up leaves a face-down card on top, which
// then turns face up.
[[nodiscard]] constexpr bool turnsUpACard(int faceDown, int first) noexcept {
    return faceDown > 0 && first == faceDown;
}

// A tableau pile, bottom card first: the first `faceDown` cards are face
// down, the rest a run built down from the first face-up card. One byte a
// card and no padding, so that a position can be hashed by its bytes.
struct Pile {
    std::array<CardCode, kMaxPileCards> cards{};
    std::uint8_t size = 0;
    std::uint8_t faceDown = 0;

    [[nodiscard]] constexpr bool empty() const noexcept { return size == 0; }
    [[nodiscard]] constexpr CardCode top() const noexcept { return cards[std::size_t(size - 1)]; }
    // Whether `card`, or a run headed by it, may be built on this pile.
    [[nodiscard]] constexpr bool takes(CardCode card) const noexcept {
        return empty() ? startsEmptyPile(card) : buildsOn(card, top());
    }
    // After cards are taken off: true when that turned a card face up.
    constexpr bool turnUpIfUncovered() noexcept {
        if (!turnsUpACard(faceDown, size)) {
            return false;
        }
        --faceDown;
        return true;
    }
};
static_assert(sizeof(Pile) == kMaxPileCards + 2 && alignof(Pile) == 1, "no padding");

// The stock is turned `draw` cards at a time onto the waste, and once it is
// empty one more turn puts the waste back as the stock, in order. So the
// stock and the waste are one list in the order turning shows the cards (the
// waste bottom up, then the stock top down), and the card on top of the
// waste is the last of the first `waste` cards of that list.
//
// Calls visit(top, turns) for each card that turning alone brings to the top
// of the waste, by its index `top` in that list, with the fewest turns that
// do it, fewest first: the waste as it is, then on through the stock, then
// round again from the start after the turn that puts the waste back.
template <class Visit> constexpr void forEachTurnStop(int waste, int talon, int draw, Visit&& visit) {
    int turns = 0;
    if (waste > 0) {
        visit(waste - 1, turns);
    }
    for (int shown = waste; shown < talon;) {
        shown = std::min(shown + draw, talon);
        visit(shown - 1, ++turns);
    }
    ++turns; // the waste goes back to the stock
    // Round again, the stops not seen yet: those short of where the turning
    // started when that is on the same beat of `draw`, else all but the
    // whole talon, which ended the first round.
    const int end = waste % draw == 0 ? waste : talon;
    for (int shown = draw; shown < end; shown += draw) {
        visit(shown - 1, ++turns);
    }
}

// The same stops as forEachTurnStop, one bit a talon index, without the
// walk: the solver asks this of every position it makes.
[[nodiscard]] constexpr std::uint32_t turnStops(int waste, int talon, int draw) noexcept {
    if (talon == 0) {
        return 0;
    }
    // Every `draw`-th index from bit 0, as far as a talon goes.
    const std::uint64_t beat = draw == 1 ? 0xFFFFFFULL : 0x249249ULL;
    const std::uint64_t inTalon = (std::uint64_t{1} << talon) - 1;
    // On from the waste: its top, then every `draw` on; the last card always.
    std::uint64_t stops = (waste > 0 ? beat << (waste - 1) : beat << (draw - 1)) & inTalon;
    stops |= std::uint64_t{1} << (talon - 1);
    // Round again from the start, short of where the turning began.
    const int end = waste % draw == 0 ? waste : talon;
    if (end > 1) {
        stops |= (beat << (draw - 1)) & ((std::uint64_t{1} << (end - 1)) - 1);
    }
    return static_cast<std::uint32_t>(stops);
}

} // namespace dealwise::klondike
