// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

#include "klondike/game.h"

namespace dealwise::klondike {

struct GameRecord {
    bool won = false;
    std::vector<Move> moves; // replays from the deal, turns of the stock included
};

// The greedy player's order of preference, the first taken first.
enum class Preference : std::uint8_t {
    UncoveringToFoundation = 1, // tableau to foundation, turning up a face-down card
    ToFoundation,               // any other move to a foundation
    UncoveringTableauMove,      // tableau to tableau, turning up a face-down card
    StockToTableau,
    FoundationToTableau,
    OtherTableauMove,
};

// A greedy player that sees only the face-up cards. Turning the stock is
// folded into the moves: any card the stock can bring to the top of the waste
// by turning alone counts as playable. Among the moves it can make it takes
// the first by its Preference, and never one that leads back to a position
// of this game seen before. Once no card is face down, it searches a little
// for a win.
[[nodiscard]] GameRecord playGreedy(const Deck& deck, int draw);

// A play the greedy player considers: `turns` turns of the stock, then `play`.
struct GreedyOption {
    Preference preference = Preference::UncoveringToFoundation;
    int turns = 0;
    Move play;
};

// Every play the greedy player considers here, seen or not, in its order of
// preference and within one preference in the order found: each play once,
// with the fewest turns that make it.
void greedyOptions(const Game& game, std::vector<GreedyOption>& out);

} // namespace dealwise::klondike
