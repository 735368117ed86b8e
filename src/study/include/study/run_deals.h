#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <vector>

#include "study/deal_result.h"

namespace dealwise::study {

struct PlayOptions {
    std::uint64_t first = 1; // the first deal number
    std::uint64_t deals = 1000;
    int draw = 3;               // cards turned from the stock at a time
    unsigned threads = 0;       // 0: one per core
    bool solve = false;         // also ask the exact solver whether each deal can be won at all
    double solveSeconds = 10.0; // the solver's time limit per deal
};

// Plays deals first .. first + deals - 1 with the greedy player, spread over
// the threads; each deal is played alone, so the results are the same
// whatever the thread count (bar a solver verdict that a time limit makes
// undecided). `progress` is called on the calling thread with the number of
// deals done, now and then and once at the end. Throws SolverFault when the
// solver contradicts itself or the greedy player.
[[nodiscard]] std::vector<DealResult> playDeals(const PlayOptions& options,
                                                const std::function<void(std::uint64_t done)>& progress);

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
