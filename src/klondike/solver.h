#pragma once

#include <cstdint>
#include <vector>

#include "klondike/game.h"

namespace dealwise::klondike {

enum class Verdict : std::uint8_t {
    Won,       // a winning line was found; its moves replay from the deal
    Lost,      // every position reachable from the deal was searched
    Undecided, // the time or position limit came first
};

struct SolveLimits {
    double seconds = 10.0;       // wall-clock time for one deal
    std::uint64_t positions = 0; // positions expanded at most; 0: no limit
    // The transposition table holds 4 << tableBits positions of 16 bytes:
    // 256 MiB a thread by default, enough for ten seconds of search.
    unsigned tableBits = 22;
    // The rules that leave out moves which can never be needed. Off, the
    // search tries every legal move (turns of the stock still folded) and is
    // much slower: kept to check the rules against.
    bool pruning = true;
};

struct Solution {
    Verdict verdict = Verdict::Undecided;
    std::vector<Move> moves;     // when won: replays from the deal, turns of the stock included
    std::uint64_t positions = 0; // positions expanded
    double seconds = 0.0;
};

// Decides whether the deal can be won by a player who sees every card.
[[nodiscard]] Solution solve(const Deck& deck, int draw, const SolveLimits& limits = {});

} // namespace dealwise::klondike
