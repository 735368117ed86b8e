// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>

#include "study/arguments.h"
#include "study/tally.h"

namespace dealwise::study {

// Draws the study's chart into both files; false when it could not. The
// drawing lives outside this library, which stays free of any toolkit.
using ChartWriter = std::function<bool(const StudyTally& tally, const std::string& svgPath, const std::string& pngPath,
                                       const std::string& title)>;

// Stops a study part way as SIGINT does: once this many of its deals are in
// deals.csv (0: never). What tests use to cut a run short.
struct StopAt {
    std::uint64_t deals = 0;
};

// Plays the deals the arguments ask for into their folder, made if need be:
// manifest.json first, then deals.csv a row at a time as the deals are done
// in order (flushed every second and synced every few), and once the last
// deal is in, summary.md and the chart. With `resume`, goes on with the
// study already in the folder, after checking it is the same study, or
// starts it; without, refuses a folder that holds a study. Ends with a line
// of the win rate and the speed on `out` (and, with the solver, one of its
// verdicts and times) and returns 0.
//
// SIGINT or SIGTERM (see stopOnSignals) or `stopAt` stops the study with
// the deals done in order written and synced, a line on `err` that says how
// to go on, and status 128 + the signal's number (130 for `stopAt`). Any
// other failure throws StudyError, with what was written kept. `showProgress`
// redraws a progress bar on `err`, which should then be a terminal. A solver
// that contradicts itself throws SolverFault.
[[nodiscard]] int runStudy(const StudyArguments& arguments, const ChartWriter& drawChart, std::ostream& out,
                           std::ostream& err, bool showProgress, StopAt stopAt = {});

} // namespace dealwise::study
