#pragma once

#include <vector>

#include "klondike/game.h"

namespace dealwise::klondike {

struct GameRecord {
    bool won = false;
    std::vector<Move> moves; // replays from the deal, turns of the stock included
};

// A greedy player that sees only the face-up cards. Turning the stock is
// folded into the moves: any card the stock can bring to the top of the waste
// by turning alone counts as playable. Among the moves it can make it takes
// the first of, in this order of preference:
//   1. tableau to foundation, uncovering a face-down card;
//   2. any other move to a foundation;
//   3. tableau to tableau, uncovering a face-down card;
//   4. stock to tableau;
//   5. foundation to tableau;
//   6. any other tableau to tableau move;
// and never one that leads back to a position of this game seen before. Once
// no card is face down, it searches a little for a win.
[[nodiscard]] GameRecord playGreedy(const Deck& deck, int draw);

} // namespace dealwise::klondike
