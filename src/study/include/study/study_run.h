#pragma once

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

// Plays the deals the arguments ask for and writes deals.csv, summary.md and
// the chart into their folder, made if need be. Ends with a line of the win
// rate and the speed on `out` (and, with the solver, one of its verdicts and
// times) and returns 0; returns 1 with the reason on `err` when the folder
// cannot be made or a file cannot be written. `showProgress` redraws a
// progress bar on `err`, which should then be a terminal. A solver that
// contradicts itself throws SolverFault.
[[nodiscard]] int runStudy(const StudyArguments& arguments, const ChartWriter& drawChart, std::ostream& out,
                           std::ostream& err, bool showProgress);

} // namespace dealwise::study
