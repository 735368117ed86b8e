// SPDX-License-Identifier: MIT
#pragma once

#include "core/card.h"
#include "core/int16.h"
#include "hand/card_grid.h"

namespace dealwise {

// Card-button clicks since start or the last reset. A card clicked twice
// counts twice; only the reset brings the count down.
class EntryCounter {
public:
    [[nodiscard]] Int16 value() const noexcept { return value_; }
    // Traps at 32767 and then keeps 32767.
    void addOne() { value_ = value_ + 1; }
    void reset() noexcept { value_ = Int16{}; }

private:
    Int16 value_;
};

// The entry that completes a hand: it alone shows the hand grid and makes
// Run available; later entries do not.
inline constexpr int kHandSize = 7;

// One click on a card button: the card is marked first, so it stays entered
// even when the counter overflows; returns the new count.
Int16 enterCard(CardGrid& cardGrid, EntryCounter& entryCounter, Card card);

// Ready for the next hand: counter and every cell back to 0.
void resetHand(CardGrid& cardGrid, EntryCounter& entryCounter);

} // namespace dealwise
