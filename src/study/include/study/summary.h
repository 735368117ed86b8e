// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "study/tally.h"

namespace dealwise::study {

class SolverTimes;

// What the tally does not know about the study it counts.
struct SummaryOptions {
    int draw = 1;                // cards turned from the stock at a time: 1 or 3
    std::uint64_t firstDeal = 1; // the number of the first deal played
    double solveSeconds = 0.0;   // the solver's time limit per deal; 0 when not known
};

// A percentage with two decimals and a blank before the sign, "41.67 %", the
// same in every locale.
[[nodiscard]] std::string percentText(double fraction);

// The study as a Markdown report: what was played, the overall win rate with
// its 95 % Wilson interval, the ROC AUC of the score, a table of the win rate
// of each score and a table of what playing only deals of some score or more
// keeps and wins.
//
// When the exact solver was asked about some deals, the report adds how many
// of the decided ones are winnable, the ROC AUC of the score for a winnable
// deal, the winnable rate to each table and, given `times`, the spread of the
// solver's time per deal. Otherwise it is the same as without the solver.
void writeSummary(std::ostream& out, const StudyTally& tally, const SummaryOptions& options,
                  const SolverTimes* times = nullptr);

} // namespace dealwise::study
