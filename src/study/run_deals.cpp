#include "study/run_deals.h"

#include <atomic>
#include <chrono>
#include <thread>

#include "klondike/deal.h"
#include "klondike/greedy.h"

namespace dealwise::study {

DealResult playDeal(std::uint64_t number, int draw) {
    const klondike::Deck deck = klondike::dealNumber(number);
    const klondike::GameRecord record = klondike::playGreedy(deck, draw);
    return DealResult{number, klondike::faceUpHand(deck), klondike::dealwiseScore(deck), record.won,
                      static_cast<int>(record.moves.size())};
}

std::vector<DealResult> playDeals(const PlayOptions& options, const std::function<void(std::uint64_t)>& progress) {
    std::vector<DealResult> results(options.deals);
    const unsigned threads = options.threads > 0 ? options.threads : std::max(1U, std::thread::hardware_concurrency());
    constexpr std::uint64_t kChunk = 256;
    std::atomic<std::uint64_t> nextChunk{0};
    std::atomic<std::uint64_t> done{0};
    const auto work = [&] {
        for (;;) {
            const std::uint64_t start = nextChunk.fetch_add(kChunk);
            if (start >= options.deals) {
                return;
            }
            const std::uint64_t end = std::min(start + kChunk, options.deals);
            for (std::uint64_t i = start; i < end; ++i) {
                results[i] = playDeal(options.first + i, options.draw);
            }
            done.fetch_add(end - start);
        }
    };
    std::vector<std::thread> workers;
    for (unsigned i = 0; i < threads; ++i) {
        workers.emplace_back(work);
    }
    while (done.load() < options.deals) {
        progress(done.load());
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    progress(options.deals);
    return results;
}

} // namespace dealwise::study
