#include "hand/card_grid.h"

#include <string>

#include "hand/errors.h"

namespace dealwise {

namespace {

[[noreturn]] void outOfRange(const std::string& what) { throw IndexOutOfRangeError("Subscript out of range: " + what); }

} // namespace

std::size_t CardGrid::offset(int rankIndex, int suitIndex) {
    if (rankIndex < 0 || rankIndex >= kRankCount) {
        outOfRange("rank index " + std::to_string(rankIndex) + " is outside 0 to 12.");
    }
    if (suitIndex < 0 || suitIndex >= kSuitCount) {
        outOfRange("suit index " + std::to_string(suitIndex) + " is outside 0 to 3.");
    }
    return static_cast<std::size_t>(rankIndex * kSuitCount + suitIndex);
}

Int16 CardGrid::storedCell(std::size_t linear) const {
    if (linear >= cells_.size()) {
        outOfRange("cell " + std::to_string(linear) + " is outside 0 to 51.");
    }
    return cells_[linear];
}

} // namespace dealwise
