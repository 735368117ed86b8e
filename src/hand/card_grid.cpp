// SPDX-License-Identifier: MIT
#include "hand/card_grid.h"

#include <string>

#include "core/errors.h"

namespace dealwise {

namespace {

[[noreturn]] void raiseOutOfRange(const std::string& what) {
    throw IndexOutOfRangeError("Subscript out of range: " + what);
}

} // namespace

void CardGrid::outOfRange(int rankIndex, int suitIndex) {
    if (rankIndex < 0 || rankIndex >= kRankCount) {
        raiseOutOfRange("rank index " + std::to_string(rankIndex) + " is outside 0 to 12.");
    }
    raiseOutOfRange("suit index " + std::to_string(suitIndex) + " is outside 0 to 3.");
}

Int16 CardGrid::storedCell(std::size_t linear) const {
    if (linear >= cells_.size()) {
        raiseOutOfRange("cell " + std::to_string(linear) + " is outside 0 to 51.");
    }
    return cells_[linear];
}

} // namespace dealwise
