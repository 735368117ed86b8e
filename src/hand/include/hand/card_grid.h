// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>

#include "core/card.h"
#include "core/int16.h"

namespace dealwise {

// Which cards of the current hand have been entered: 4 suits by 13 ranks of
// signed 16-bit cells, 1 for a card entered and 0 otherwise. The four suits of
// one rank lie next to each other (cell rank * 4 + suit), the order the
// scoring rules walk most.
class CardGrid {
public:
    static constexpr int kCellCount = kSuitCount * kRankCount;

    // Computed indices are checked: a rank index outside 0..12 or a suit
    // index outside 0..3 raises IndexOutOfRangeError.
    [[nodiscard]] Int16 cell(int rankIndex, int suitIndex) const { return cells_[offset(rankIndex, suitIndex)]; }
    void clearCell(int rankIndex, int suitIndex) { cells_[offset(rankIndex, suitIndex)] = 0; }
    void markCell(int rankIndex, int suitIndex) { cells_[offset(rankIndex, suitIndex)] = 1; }

    // A fixed card needs no check.
    [[nodiscard]] Int16 cell(Card card) const noexcept { return cells_[fixedOffset(card)]; }
    [[nodiscard]] bool holds(Card card) const noexcept { return cell(card) == 1; }
    void mark(Card card) noexcept { cells_[fixedOffset(card)] = 1; }

    // The cell at its place in storage, 0..51.
    [[nodiscard]] Int16 storedCell(std::size_t linear) const;

    friend bool operator==(const CardGrid&, const CardGrid&) noexcept = default;

private:
    // The check is inline, so that reading a cell costs two comparisons;
    // building the message is not.
    static std::size_t offset(int rankIndex, int suitIndex) {
        if (rankIndex < 0 || rankIndex >= kRankCount || suitIndex < 0 || suitIndex >= kSuitCount) {
            outOfRange(rankIndex, suitIndex);
        }
        return static_cast<std::size_t>(rankIndex * kSuitCount + suitIndex);
    }
    [[noreturn]] static void outOfRange(int rankIndex, int suitIndex);
    static constexpr std::size_t fixedOffset(Card card) noexcept {
        return static_cast<std::size_t>(rankIndex(card.rank) * kSuitCount + suitIndex(card.suit));
    }

    std::array<Int16, kCellCount> cells_{};
};

} // namespace dealwise
