// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>

#include "klondike/solver.h"
#include "study/deal_result.h"

namespace dealwise::study {

struct PlayOptions {
    std::uint64_t first = 1; // the first deal number
    std::uint64_t deals = 1000;
    int draw = 3;                     // cards turned from the stock at a time
    unsigned threads = 0;             // 0: one per core
    bool solve = false;               // also ask the exact solver whether each deal can be won at all
    double solveSeconds = 10.0;       // the solver's time limit per deal; 0: none
    std::uint64_t solvePositions = 0; // the solver's limit of positions per deal; 0: none
    // The solver's table (klondike::SolveLimits::tableBits); 0: sized for
    // the solver's limits, the machine's memory and the threads
    // (klondike::tableBitsFor).
    unsigned tableBits = 0;
};

// Called on the calling thread with each deal, in deal order; false stops
// the study there.
using DealSink = std::function<bool(const DealResult& result)>;
// Called on the calling thread now and then (every 200 ms or so) with the
// number of deals handed on so far; false stops the study.
using KeepGoing = std::function<bool(std::uint64_t done)>;

// Plays deals first .. first + deals - 1 with the greedy player, spread over
// the threads, and hands each to `onDeal` in deal order as soon as it and
// every deal before it are done; each deal is played alone, so the results
// are the same whatever the thread count (bar a solver verdict that a time
// limit makes undecided). The threads run only a bounded way ahead of the
// oldest deal not yet handed on, so memory does not grow with the deals.
// Once stopped, the threads take no new deal, and the deals done in order
// by the time they have finished theirs are still handed on. Returns the
// number of deals handed on. Throws SolverFault when the solver contradicts
// itself or the greedy player.
std::uint64_t playDeals(const PlayOptions& options, const DealSink& onDeal, const KeepGoing& keepGoing);

// The solver's limits for these options: without a time limit, one that no
// search reaches, so that only the positions end it.
[[nodiscard]] klondike::SolveLimits solveLimits(const PlayOptions& options);

// A wrong answer from the solver, caught by checking it: a winning line
// that does not replay to four full foundations, a deal the greedy player
// won that the solver calls lost, or a small lost search that a search
// without the pruning rules wins.
class SolverFault : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One deal, as the study records it.
[[nodiscard]] DealResult playDeal(std::uint64_t number, const PlayOptions& options);

} // namespace dealwise::study
