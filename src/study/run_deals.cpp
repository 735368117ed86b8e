#include "study/run_deals.h"

#include <atomic>
#include <chrono>
#include <exception>
#include <mutex>
#include <string>
#include <thread>

#include "klondike/deal.h"
#include "klondike/greedy.h"
#include "klondike/solver.h"
#include "study/deal_score.h"

namespace dealwise::study {

namespace {

constexpr std::uint64_t kRecheckedPositions = 2000;

Winnable checkedVerdict(std::uint64_t number, const klondike::Deck& deck, const PlayOptions& options,
                        const klondike::Solution& solution, bool greedyWon) {
    switch (solution.verdict) {
    case klondike::Verdict::Won: {
        klondike::Game end(deck, options.draw);
        if (!klondike::replay(deck, options.draw, solution.moves, &end) || !end.isWon()) {
            throw SolverFault("the solver's winning line for deal " + std::to_string(number) + " does not win");
        }
        return Winnable::Yes;
    }
    case klondike::Verdict::Lost:
        if (greedyWon) {
            throw SolverFault("the solver calls deal " + std::to_string(number) +
                              " lost, but the greedy player won it");
        }
        // A small lost search is checked again without the pruning rules,
        // which must not find a win either.
        if (solution.positions <= kRecheckedPositions) {
            klondike::SolveLimits everything;
            everything.pruning = false;
            everything.positions = 100 * kRecheckedPositions;
            everything.seconds = options.solveSeconds;
            if (klondike::solve(deck, options.draw, everything).verdict == klondike::Verdict::Won) {
                throw SolverFault("the solver calls deal " + std::to_string(number) +
                                  " lost, but a search without its pruning rules wins it");
            }
        }
        return Winnable::No;
    case klondike::Verdict::Undecided:
        break;
    }
    return Winnable::Undecided;
}

} // namespace

DealResult playDeal(std::uint64_t number, const PlayOptions& options) {
    const klondike::Deck deck = klondike::dealNumber(number);
    const klondike::GameRecord record = klondike::playGreedy(deck, options.draw);
    DealResult result{number, klondike::faceUpHand(deck), dealwiseScore(deck), record.won,
                      static_cast<int>(record.moves.size())};
    if (options.solve) {
        klondike::SolveLimits limits;
        limits.seconds = options.solveSeconds;
        const klondike::Solution solution = klondike::solve(deck, options.draw, limits);
        result.winnable = checkedVerdict(number, deck, options, solution, record.won);
        result.solveSeconds = solution.seconds;
    }
    return result;
}

std::vector<DealResult> playDeals(const PlayOptions& options, const std::function<void(std::uint64_t)>& progress) {
    std::vector<DealResult> results(options.deals);
    const unsigned threads = options.threads > 0 ? options.threads : std::max(1U, std::thread::hardware_concurrency());
    // Solved deals take a thousand times longer: smaller chunks keep the
    // progress moving and the threads evenly loaded.
    const std::uint64_t chunk = options.solve ? 4 : 256;
    std::atomic<std::uint64_t> nextChunk{0};
    std::atomic<std::uint64_t> done{0};
    // The first error of any worker stops them all and is thrown here.
    std::mutex errorLock;
    std::exception_ptr error;
    std::atomic<bool> failed{false};
    const auto playChunks = [&] {
        while (!failed) {
            const std::uint64_t start = nextChunk.fetch_add(chunk);
            if (start >= options.deals) {
                return;
            }
            const std::uint64_t end = std::min(start + chunk, options.deals);
            for (std::uint64_t i = start; i < end; ++i) {
                results[i] = playDeal(options.first + i, options);
            }
            done.fetch_add(end - start);
        }
    };
    const auto work = [&] {
        try {
            playChunks();
        } catch (...) {
            const std::lock_guard lock(errorLock);
            if (!error) {
                error = std::current_exception();
            }
            failed = true;
        }
    };
    std::vector<std::thread> workers;
    for (unsigned i = 0; i < threads; ++i) {
        workers.emplace_back(work);
    }
    while (done.load() < options.deals && !failed) {
        progress(done.load());
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    if (error) {
        std::rethrow_exception(error);
    }
    progress(options.deals);
    return results;
}

} // namespace dealwise::study
