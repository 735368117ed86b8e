// SPDX-License-Identifier: MIT
// Where the exact solver's positions go on one deal: the same depth-first
// search as klondike::solve (pruning on, the same table), with every
// expanded position measured on the way. Kept out of the solver itself so
// that none of this costs the real search anything.
//
//   dealwise_solver_stats DEAL [DRAW [POSITIONS [EVERY]]]
//
// Prints how many of the positions are distinct once the waste, the talon or
// the tableau is left out of the key, or twins (a run on either card of the
// colour and rank it may lie on) are taken as one, how many face-down cards each pile
// keeps at least, and how many positions the stuck-card proof calls lost;
// with EVERY, every EVERY-th position the proof does not settle, to read.
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "klondike/deal.h"
#include "klondike/solver_position.h"
#include "klondike/solver_table.h"

namespace {

using namespace dealwise;
using namespace dealwise::klondike;
using solver::Key;
using solver::Position;
using solver::Step;

std::uint64_t hashWords(const Key& key, int from, int to, std::uint32_t lastMask) {
    std::uint64_t h = 0x9E3779B97F4A7C15ULL;
    for (int at = from; at < to; ++at) {
        const std::uint32_t word = at == 7 ? key[7] & lastMask : key[std::size_t(at)];
        h = (h ^ word) * 0xBF58476D1CE4E5B9ULL;
        h ^= h >> 31;
    }
    return h;
}

std::size_t distinct(std::vector<std::uint64_t>& values) {
    std::sort(values.begin(), values.end());
    return std::size_t(std::unique(values.begin(), values.end()) - values.begin());
}

class Measure {
public:
    Measure(const Game& start, std::uint64_t limit, std::uint64_t every)
        : position_(start), limit_(limit), every_(every) {
        table_.reset(22);
        for (int pile = 0; pile < kPileCount; ++pile) {
            minFaceDown_[std::size_t(pile)] = position_.pile(pile).faceDown;
        }
    }

    // 1 won, 0 lost, -1 cut short.
    int run() { return visit(0); }

    void report() {
        const std::size_t n = full_.size();
        std::printf("positions expanded       %zu\n", n);
        std::printf("distinct keys            %zu\n", distinct(full_));
        std::printf("  without the waste      %zu\n", distinct(noWaste_));
        std::printf("  twins as one           %zu (%llu positions have a twin)\n", distinct(twins_),
                    (unsigned long long)withTwin_);
        std::printf("  tableau alone          %zu\n", distinct(tableau_));
        std::printf("  talon alone (+waste)   %zu\n", distinct(talon_));
        std::printf("  talon cards alone      %zu\n", distinct(talonSet_));
        std::printf("stuck-card proof fires   %llu (%.2f %%)\n", (unsigned long long)stuck_,
                    100.0 * double(stuck_) / double(std::max<std::size_t>(n, 1)));
        std::printf("fewest face down a pile ");
        for (const int down : minFaceDown_) {
            std::printf(" %d", down);
        }
        std::printf("\nface-down cards: positions\n");
        for (int down = 0; down <= 21; ++down) {
            if (faceDownHistogram_[std::size_t(down)] != 0) {
                std::printf("  %2d: %llu\n", down, (unsigned long long)faceDownHistogram_[std::size_t(down)]);
            }
        }
        std::printf("talon cards left: positions\n");
        for (int left = 0; left <= kStockSize; ++left) {
            if (talonHistogram_[std::size_t(left)] != 0) {
                std::printf("  %2d: %llu\n", left, (unsigned long long)talonHistogram_[std::size_t(left)]);
            }
        }
    }

private:
    void record() {
        Key key = position_.key();
        key[7] |= std::uint32_t(std::countr_zero(position_.reachableTalon() | (1U << 24))) << 24;
        full_.push_back(hashWords(key, 0, 8, ~0U));
        noWaste_.push_back(hashWords(key, 0, 8, 0xFFFFFFU));
        tableau_.push_back(hashWords(key, 0, 7, 0));
        bool hasTwin = false;
        const solver::KeyHash twins = position_.firstParentKeyHash(hasTwin);
        twins_.push_back(twins[0] ^ (twins[1] * 0x9E3779B97F4A7C15ULL));
        withTwin_ += hasTwin ? 1 : 0;
        talon_.push_back(key[7]);
        talonSet_.push_back(key[7] & 0xFFFFFFU);
        const bool stuck = position_.hasStuckCard();
        stuck_ += stuck ? 1 : 0;
        if (!stuck && every_ != 0 && full_.size() % every_ == 0) {
            std::printf("%s\n", position_.describe().c_str());
        }
        for (int pile = 0; pile < kPileCount; ++pile) {
            minFaceDown_[std::size_t(pile)] =
                std::min(minFaceDown_[std::size_t(pile)], int(position_.pile(pile).faceDown));
        }
        ++faceDownHistogram_[std::size_t(position_.faceDownCards())];
        ++talonHistogram_[std::size_t(position_.talonCards())];
    }

    int visit(int depth) {
        if (position_.foundationCards() == kCardCount) {
            return 1;
        }
        if (position_.faceDownCards() == 0 && position_.talonCards() == 0) {
            return 1; // the piles go up one by one
        }
        if (full_.size() >= limit_ || depth >= 3000) {
            return -1;
        }
        solver::Table::Held held = solver::Table::Held::No;
        const std::int64_t slot = table_.enter(table_.hashesOf(position_.keyHash()), position_.reachableTalon(), held);
        if (held != solver::Table::Held::No) {
            return 0;
        }
        const std::size_t before = full_.size();
        record();
        std::vector<Step> steps;
        position_.generate(steps, solver::Pruning::UpOrUsed);
        int result = 0;
        for (Step step : steps) {
            position_.apply(step);
            const int child = visit(depth + 1);
            position_.undo(step);
            if (child != 0) {
                result = child;
                break;
            }
        }
        if (result == 0) {
            table_.leave(slot, full_.size() - before, false);
        }
        return result;
    }

    Position position_;
    solver::Table table_;
    std::uint64_t limit_;
    std::uint64_t every_;
    std::uint64_t withTwin_ = 0;
    std::vector<std::uint64_t> twins_, full_, noWaste_, tableau_, talon_, talonSet_;
    std::uint64_t stuck_ = 0;
    std::array<int, kPileCount> minFaceDown_{};
    std::array<std::uint64_t, 22> faceDownHistogram_{};
    std::array<std::uint64_t, kStockSize + 1> talonHistogram_{};
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DEAL [DRAW [POSITIONS [EVERY]]]\n", argv[0]);
        return 2;
    }
    const std::uint64_t deal = std::strtoull(argv[1], nullptr, 10);
    const int draw = argc > 2 ? std::atoi(argv[2]) : 3;
    const std::uint64_t limit = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 5'000'000;
    const Game start(dealNumber(deal), draw);
    const std::uint64_t every = argc > 4 ? std::strtoull(argv[4], nullptr, 10) : 0;
    Measure measure(start, limit, every);
    const int result = measure.run();
    std::printf("deal %llu, draw %d: %s\n", (unsigned long long)deal, draw,
                result > 0    ? "won"
                : result == 0 ? "lost"
                              : "cut short");
    std::printf("deal starts stuck: %s\n%s\n", Position(start).hasStuckCard() ? "yes" : "no",
                Position(start).describe().c_str());
    measure.report();
    return 0;
}
