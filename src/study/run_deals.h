#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "study/deal_result.h"

namespace dealwise::study {

struct PlayOptions {
    std::uint64_t first = 1; // the first deal number
    std::uint64_t deals = 1000;
    int draw = 3;         // cards turned from the stock at a time
    unsigned threads = 0; // 0: one per core
};

// Plays deals first .. first + deals - 1 with the greedy player, spread over
// the threads; each deal is played alone, so the results are the same
// whatever the thread count. `progress` is called on the calling thread
// with the number of deals done, now and then and once at the end.
[[nodiscard]] std::vector<DealResult> playDeals(const PlayOptions& options,
                                                const std::function<void(std::uint64_t done)>& progress);

// One deal, as the study records it.
[[nodiscard]] DealResult playDeal(std::uint64_t number, int draw);

} // namespace dealwise::study
