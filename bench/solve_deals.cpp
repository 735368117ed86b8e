// SPDX-License-Identifier: MIT
// Solves the deals named on the command line, one line each: deal, verdict,
// positions expanded, seconds, and "(other draw)" when the search with the
// other draw decided. Every win is replayed; one whose line does not win is
// printed as such and fails the run. The solver's rules can be switched off one by
// one, so that one build shows what each rule does to the positions a deal
// takes (bench/solver_compare.sh). The table is sized for the limits as the
// study sizes it, unless --table-bits says otherwise: to compare with a
// build from before that, give --table-bits 22.
//
//   dealwise_solve_deals [--draw D] [--seconds S] [--positions P] [--table-bits B]
//                        [--no-pruning] [--no-stuck-cards] [--no-bottom-kings] [--no-waste-cover] [--no-other-draw]
//                        [--draw-one-for-three] [--other-draw-share S]
//                        [--no-paired-plays] [--no-up-or-used] [--up-or-used-after N]
//                        [--no-either-parent] [--either-parent-after N]
//                        [--no-restarts] [--restart-after N] [--restart-growth G]
//                        [--shuffle-depth D]
//                        [--paired-plays-after N] [--stuck-cards-after N] [--stuck-answer-bits B]
//                        DEAL... | FIRST-LAST...
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "klondike/deal.h"
#include "klondike/solver.h"

int main(int argc, char** argv) {
    using namespace dealwise::klondike;
    SolveLimits limits;
    int draw = 3;
    std::vector<std::uint64_t> deals;
    bool tableBitsGiven = false; // else sized for the limits, as the study does
    for (int at = 1; at < argc; ++at) {
        const std::string arg = argv[at];
        const bool hasValue = at + 1 < argc;
        if (arg == "--draw" && hasValue) {
            draw = std::atoi(argv[++at]);
        } else if (arg == "--seconds" && hasValue) {
            limits.seconds = std::atof(argv[++at]);
        } else if (arg == "--positions" && hasValue) {
            limits.positions = std::strtoull(argv[++at], nullptr, 10);
        } else if (arg == "--table-bits" && hasValue) {
            limits.tableBits = unsigned(std::atoi(argv[++at]));
            tableBitsGiven = true;
        } else if (arg == "--no-pruning") {
            limits.pruning = false;
        } else if (arg == "--no-stuck-cards") {
            limits.stuckCards = false;
        } else if (arg == "--no-bottom-kings") {
            limits.bottomKingsHold = false;
        } else if (arg == "--no-paired-plays") {
            limits.pairedPlays = false;
        } else if (arg == "--paired-plays-after" && hasValue) {
            limits.pairedPlaysAfter = std::strtoull(argv[++at], nullptr, 10);
        } else if (arg == "--no-other-draw") {
            limits.drawThreeForOne = false;
            limits.drawOneForThree = false;
        } else if (arg == "--draw-one-for-three") {
            limits.drawOneForThree = true;
        } else if (arg == "--other-draw-share" && hasValue) {
            limits.otherDrawShare = std::atof(argv[++at]);
        } else if (arg == "--no-up-or-used") {
            limits.upOrUsed = false;
        } else if (arg == "--up-or-used-after" && hasValue) {
            limits.upOrUsedAfter = std::strtoull(argv[++at], nullptr, 10);
        } else if (arg == "--no-either-parent") {
            limits.eitherParent = false;
        } else if (arg == "--either-parent-after" && hasValue) {
            limits.eitherParentAfter = std::strtoull(argv[++at], nullptr, 10);
        } else if (arg == "--no-restarts") {
            limits.restarts = false;
        } else if (arg == "--restart-after" && hasValue) {
            limits.restartAfter = std::strtoull(argv[++at], nullptr, 10);
        } else if (arg == "--restart-growth" && hasValue) {
            limits.restartGrowth = std::atof(argv[++at]);
        } else if (arg == "--shuffle-depth" && hasValue) {
            limits.shuffleDepth = std::atoi(argv[++at]);
        } else if (arg == "--stuck-answer-bits" && hasValue) {
            limits.stuckAnswerBits = unsigned(std::atoi(argv[++at]));
        } else if (arg == "--no-waste-cover") {
            limits.wasteCover = false;
        } else if (arg == "--stuck-cards-after" && hasValue) {
            limits.stuckCardsAfter = std::strtoull(argv[++at], nullptr, 10);
        } else if (const auto dash = arg.find('-'); dash != std::string::npos && dash > 0) {
            const std::uint64_t first = std::strtoull(arg.c_str(), nullptr, 10);
            const std::uint64_t last = std::strtoull(arg.c_str() + dash + 1, nullptr, 10);
            for (std::uint64_t deal = first; deal <= last; ++deal) {
                deals.push_back(deal);
            }
        } else if (!arg.empty() && arg[0] != '-') {
            deals.push_back(std::strtoull(arg.c_str(), nullptr, 10));
        } else {
            std::fprintf(stderr, "unknown argument %s\n", arg.c_str());
            return 2;
        }
    }
    if (!tableBitsGiven) {
        limits.tableBits = tableBitsFor(limits, machineMemory(), 1);
    }
    int faults = 0;
    for (const std::uint64_t deal : deals) {
        const Deck deck = dealNumber(deal);
        const Solution solution = solve(deck, draw, limits);
        // A win counts only when its line replays to four full foundations.
        Game end(deck, draw);
        const bool replayed =
            solution.verdict == Verdict::Won && replay(deck, draw, solution.moves, &end) && end.isWon();
        faults += solution.verdict == Verdict::Won && !replayed ? 1 : 0;
        const char* verdict = solution.verdict == Verdict::Won    ? (replayed ? "won" : "won-but-the-line-fails")
                              : solution.verdict == Verdict::Lost ? "lost"
                                                                  : "undecided";
        std::printf("%llu %s %llu %.4f%s\n", static_cast<unsigned long long>(deal), verdict,
                    static_cast<unsigned long long>(solution.positions), solution.seconds,
                    solution.searchedDraw == draw ? "" : " (other draw)");
        std::fflush(stdout);
    }
    return faults == 0 ? 0 : 1;
}
