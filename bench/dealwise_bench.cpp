// SPDX-License-Identifier: MIT
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "cli/batch.h"
#include "cli/command.h"
#include "hand/card_grid.h"
#include "random_hands.h"
#include "scoring/scoring.h"

namespace {

using dealwise::Card;
using dealwise::CardGrid;
using dealwise::kHandSize;

// Enough different hands that the branch predictor cannot learn one, few
// enough to stay in the first-level cache.
constexpr std::size_t kHandPool = 1024;
constexpr std::uint64_t kSeed = 7;

std::vector<std::array<Card, kHandSize>> handPool() {
    dealwise::bench::SplitMix64 random(kSeed);
    std::vector<std::array<Card, kHandSize>> hands;
    for (std::size_t i = 0; i < kHandPool; ++i) {
        hands.push_back(dealwise::bench::randomHand(random));
    }
    return hands;
}

void scoreOneHand(benchmark::State& state) {
    std::vector<CardGrid> grids;
    for (const auto& hand : handPool()) {
        CardGrid grid;
        for (const Card card : hand) {
            grid.mark(card);
        }
        grids.push_back(grid);
    }
    std::size_t next = 0;
    for (auto _ : state) {
        // scoreGrid takes cards out of the grid, so each run gets a fresh copy.
        CardGrid grid = grids[next];
        next = (next + 1) % grids.size();
        benchmark::DoNotOptimize(dealwise::scoreGrid(grid));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(scoreOneHand);

void scoreAndRenderOneHand(benchmark::State& state) {
    const auto hands = handPool();
    std::string text;
    text.reserve(2048);
    std::size_t next = 0;
    for (auto _ : state) {
        text.clear();
        dealwise::cli::appendHandReport(text, hands[next]);
        next = (next + 1) % hands.size();
        benchmark::DoNotOptimize(text.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(scoreAndRenderOneHand);

class DiscardingWriter final : public dealwise::cli::ByteWriter {
public:
    void write(std::string_view bytes) override {
        benchmark::DoNotOptimize(bytes.data());
        written_ += bytes.size();
    }
    [[nodiscard]] std::size_t written() const noexcept { return written_; }

private:
    std::size_t written_ = 0;
};

void batchOverMemory(benchmark::State& state) {
    const auto hands = static_cast<std::size_t>(state.range(0));
    dealwise::bench::SplitMix64 random(kSeed);
    std::string input;
    for (std::size_t i = 0; i < hands; ++i) {
        dealwise::bench::appendHandLine(input, dealwise::bench::randomHand(random));
    }
    for (auto _ : state) {
        dealwise::cli::StringReader in(input);
        DiscardingWriter out;
        DiscardingWriter errors;
        const dealwise::cli::BatchResult result = dealwise::cli::scoreBatch(in, out, errors);
        if (result.hands != hands || result.badLines != 0) {
            state.SkipWithError("the generated hands did not all score");
            break;
        }
        benchmark::DoNotOptimize(out.written());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(hands));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(input.size()));
}
BENCHMARK(batchOverMemory)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
