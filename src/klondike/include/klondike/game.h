// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/card.h"
#include "klondike/rules.h"

// Klondike as the common desktop Solitaire plays it: seven tableau piles of
// 1 to 7 cards with the top card face up, a 24-card stock turned one or three
// at a time with unlimited passes, foundations built up in suit from the ace,
// the tableau built down in alternating colours, any face-up run may move,
// only a king (or a run headed by one) into an empty pile, and a card may come
// back from a foundation onto the tableau.
namespace dealwise::klondike {

[[nodiscard]] constexpr CardCode codeOf(Card card) noexcept { return static_cast<CardCode>(cardIndex(card)); }
[[nodiscard]] constexpr Card cardOf(CardCode code) noexcept { return cardAt(code); }

inline constexpr int kPileCount = 7;
inline constexpr int kStockSize = 24;

// The cards in the order they are dealt: piles row by row (the first seven
// cards start the seven piles, left to right; the next six go on piles 2 to
// 7, and so on), then the stock, whose first card is the first turned.
using Deck = std::array<CardCode, kCardCount>;

enum class MoveKind : std::uint8_t {
    Turn, // stock to waste, or the waste back to the stock when the stock is empty
    WasteToFoundation,
    WasteToTableau,      // to pile `to`
    TableauToFoundation, // the top card of pile `from`
    TableauToTableau,    // the top `count` cards of pile `from` onto pile `to`
    FoundationToTableau, // the top card of foundation `from` (a suit) onto pile `to`
};

struct Move {
    MoveKind kind = MoveKind::Turn;
    std::uint8_t from = 0;
    std::uint8_t to = 0;
    std::uint8_t count = 1;

    friend constexpr bool operator==(const Move&, const Move&) noexcept = default;
};

// A whole game position in about 200 bytes, copied freely.
class Game {
public:
    Game(const Deck& deck, int draw);

    [[nodiscard]] int draw() const noexcept { return draw_; }
    // The same position, with the stock turned `draw` cards at a time.
    [[nodiscard]] Game withDraw(int draw) const noexcept;
    [[nodiscard]] bool isWon() const noexcept;
    [[nodiscard]] int faceDownCount() const noexcept;
    [[nodiscard]] int foundationCards() const noexcept;

    // Every move the rules allow here, turning the stock included.
    [[nodiscard]] std::vector<Move> legalMoves() const;
    [[nodiscard]] bool isLegal(const Move& move) const;
    // The move must be legal.
    void apply(const Move& move);

    // What a player sees of the table.
    [[nodiscard]] std::span<const CardCode> pile(int index) const noexcept {
        const Pile& pile = piles_[std::size_t(index)];
        return {pile.cards.data(), pile.size};
    }
    [[nodiscard]] int faceDown(int pile) const noexcept { return piles_[std::size_t(pile)].faceDown; }
    [[nodiscard]] int foundationTop(int suit) const noexcept { return foundations_[std::size_t(suit)]; }
    [[nodiscard]] bool hasWaste() const noexcept { return wasteSize_ > 0; }
    [[nodiscard]] CardCode wasteTop() const noexcept { return waste_[std::size_t(wasteSize_ - 1)]; }
    [[nodiscard]] int stockCount() const noexcept { return stockSize_; }
    // Bottom first: the top of each is its last card.
    [[nodiscard]] std::span<const CardCode> stock() const noexcept { return {stock_.data(), stockSize_}; }
    [[nodiscard]] std::span<const CardCode> waste() const noexcept { return {waste_.data(), wasteSize_}; }
    [[nodiscard]] int wasteCount() const noexcept { return wasteSize_; }
    // The stock and the waste as one list in the order turning shows them
    // (see forEachTurnStop): the waste bottom up, then the stock top down.
    [[nodiscard]] int talonCount() const noexcept { return wasteSize_ + stockSize_; }
    [[nodiscard]] CardCode talonCard(int indexInTurningOrder) const noexcept {
        return indexInTurningOrder < wasteSize_ ? waste_[std::size_t(indexInTurningOrder)]
                                                : stock_[std::size_t(talonCount() - 1 - indexInTurningOrder)];
    }

    // Whether `card` may go onto pile `to` by the building rules.
    [[nodiscard]] bool fitsOnPile(CardCode card, int to) const noexcept { return piles_[std::size_t(to)].takes(card); }
    [[nodiscard]] bool fitsOnFoundation(CardCode card) const noexcept {
        return goesOnFoundation(card, foundations_[std::size_t(suitOf(card))]);
    }

    // Identifies the position; equal positions hash equal.
    [[nodiscard]] std::uint64_t hash() const noexcept;

private:
    std::array<Pile, kPileCount> piles_{};
    std::array<std::uint8_t, 4> foundations_{}; // the top rank per suit, 0 when empty
    std::array<CardCode, kStockSize> stock_{};  // the top is the last
    std::array<CardCode, kStockSize> waste_{};  // the top is the last
    std::uint8_t stockSize_ = 0;
    std::uint8_t wasteSize_ = 0;
    std::uint8_t draw_ = 3;
};

// Plays the moves from the deal; false at the first illegal one.
[[nodiscard]] bool replay(const Deck& deck, int draw, std::span<const Move> moves, Game* end = nullptr);

} // namespace dealwise::klondike
