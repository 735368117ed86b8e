// SPDX-License-Identifier: MIT
#include "study/run_deals.h"

#include <algorithm>
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
#include "study/reorder_buffer.h"

namespace dealwise::study {

namespace {

constexpr std::uint64_t kRecheckedPositions = 2000;
// One deal in this many, when lost in a search too large for that check.
constexpr std::uint64_t kLargeLossRecheckedEvery = 16;
// How far the threads may run ahead of the oldest deal not yet handed on.
constexpr std::size_t kWindow = 4096;
constexpr std::chrono::milliseconds kWait(200);

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
        // the proof that a stuck card loses, the waste cover, the paired
        // plays, the other draw, the rounds and the lost twins, which must not
        // find a win either.
        if (solution.positions <= kRecheckedPositions) {
            klondike::SolveLimits everything;
            everything.pruning = false;
            everything.stuckCards = false;
            everything.wasteCover = false;
            everything.pairedPlays = false;
            everything.drawThreeForOne = false;
            everything.drawOneForThree = false;
            everything.restarts = false;
            everything.eitherParent = false;
            const klondike::SolveLimits usual = solveLimits(options);
            everything.positions = 100 * kRecheckedPositions;
            everything.seconds = usual.seconds;
            everything.tableBits = usual.tableBits; // the thread's table, not one made anew
            if (klondike::solve(deck, options.draw, everything).verdict == klondike::Verdict::Won) {
                throw SolverFault("the solver calls deal " + std::to_string(number) +
                                  " lost, but a search without its pruning rules wins it");
            }
        }
        // The rounds, the other draw's search beside the deal's own, and the
        // kings that hold their piles in the stuck-card proof, come into play
        // only beyond that check: a sample of the larger losses is searched
        // again in the usual order alone, with its own draw alone, no king
        // holding its pile, for a card that fits its foundation every move
        // tried, not only going up or being used where it lies, and no
        // position passed over for a lost twin; under the same limits.
        if (solution.positions > kRecheckedPositions && number % kLargeLossRecheckedEvery == 0) {
            klondike::SolveLimits plainer = solveLimits(options);
            plainer.restarts = false;
            plainer.drawThreeForOne = false;
            plainer.drawOneForThree = false;
            plainer.bottomKingsHold = false;
            plainer.upOrUsed = false;
            plainer.eitherParent = false;
            if (klondike::solve(deck, options.draw, plainer).verdict == klondike::Verdict::Won) {
                throw SolverFault(
                    "the solver calls deal " + std::to_string(number) +
                    " lost, but a search without rounds, the other draw, kings holding their piles, cards "
                    "going up or used or lost twins wins it");
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
        const klondike::Solution solution = klondike::solve(deck, options.draw, solveLimits(options));
        result.winnable = checkedVerdict(number, deck, options, solution, record.won);
        result.solveSeconds = solution.seconds;
    }
    return result;
}

std::uint64_t playDeals(const PlayOptions& asked, const DealSink& onDeal, const KeepGoing& keepGoing) {
    const unsigned threads = asked.threads > 0 ? asked.threads : std::max(1U, std::thread::hardware_concurrency());
    PlayOptions options = asked;
    if (options.tableBits == 0) {
        options.tableBits = klondike::tableBitsFor(solveLimits(options), klondike::machineMemory(), threads);
    }
    // Solved deals take a thousand times longer: smaller chunks keep the
    // progress moving and the threads evenly loaded.
    const std::uint64_t chunk = options.solve ? 1 : 64;
    ReorderBuffer buffer(options.first, kWindow);
    const std::uint64_t end = options.first + options.deals;
    std::atomic<std::uint64_t> nextChunk{options.first};
    std::atomic<bool> stopping{false};
    // The first error of any worker stops them all and is thrown here.
    std::mutex errorLock;
    std::exception_ptr error;
    const auto playChunks = [&] {
        while (!stopping) {
            const std::uint64_t start = nextChunk.fetch_add(chunk);
            if (start >= end) {
                return;
            }
            for (std::uint64_t number = start; number < std::min(start + chunk, end); ++number) {
                if (!buffer.waitForRoom(number)) {
                    return;
                }
                buffer.put(playDeal(number, options));
            }
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
            stopping = true;
            buffer.close();
        }
    };
    std::uint64_t done = 0;
    bool wanted = true;
    const auto stop = [&] {
        stopping = true;
        buffer.close();
    };
    std::vector<std::thread> workers;
    const auto joinWorkers = [&] {
        stop();
        for (std::thread& worker : workers) {
            worker.join();
        }
    };
    for (unsigned i = 0; i < threads; ++i) {
        workers.emplace_back(work);
    }
    try {
        auto lastCall = std::chrono::steady_clock::now();
        while (done < options.deals && wanted && !stopping) {
            if (const auto result = buffer.take(kWait)) {
                ++done;
                wanted = onDeal(*result);
            }
            if (const auto now = std::chrono::steady_clock::now(); now - lastCall >= kWait) {
                lastCall = now;
                wanted = wanted && keepGoing(done);
            }
        }
    } catch (...) {
        // The caller's failure, a file that cannot be written: the threads must not outlive it.
        joinWorkers();
        throw;
    }
    joinWorkers();
    if (error) {
        std::rethrow_exception(error);
    }
    // What the threads finished on their way out, as far as it is in order.
    while (wanted && done < options.deals) {
        const auto result = buffer.take(std::chrono::milliseconds(0));
        if (!result) {
            break;
        }
        ++done;
        wanted = onDeal(*result);
    }
    keepGoing(done);
    return done;
}

klondike::SolveLimits solveLimits(const PlayOptions& options) {
    klondike::SolveLimits limits;
    // Some thirty years: far beyond any search, yet clear of the clock's range.
    limits.seconds = options.solveSeconds > 0.0 ? options.solveSeconds : 1e9;
    limits.positions = options.solvePositions;
    if (options.tableBits != 0) {
        limits.tableBits = options.tableBits;
    }
    return limits;
}

} // namespace dealwise::study
