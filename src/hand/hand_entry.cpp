// SPDX-License-Identifier: MIT
#include "hand/hand_entry.h"

namespace dealwise {

Int16 enterCard(CardGrid& cardGrid, EntryCounter& entryCounter, Card card) {
    cardGrid.mark(card);
    entryCounter.addOne();
    return entryCounter.value();
}

void resetHand(CardGrid& cardGrid, EntryCounter& entryCounter) {
    entryCounter.reset();
    for (Int16 suit = 0; suit <= kSuitCount - 1; suit += 1) {
        for (Int16 rank = 0; rank <= kRankCount - 1; rank += 1) {
            cardGrid.clearCell(rank.value(), suit.value());
        }
    }
}

} // namespace dealwise
