#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "study/tally.h"

namespace dealwise::study {

// What the tally does not know about the study it counts.
struct SummaryOptions {
    int draw = 1;                // cards turned from the stock at a time: 1 or 3
    std::uint64_t firstDeal = 1; // the number of the first deal played
};

// A percentage with two decimals and a blank before the sign, "41.67 %", the
// same in every locale.
[[nodiscard]] std::string percentText(double fraction);

// The study as a Markdown report: what was played, the overall win rate with
// its 95 % Wilson interval, the ROC AUC of the score, a table of the win rate
// of each score and a table of what playing only deals of some score or more
// keeps and wins.
void writeSummary(std::ostream& out, const StudyTally& tally, const SummaryOptions& options);

} // namespace dealwise::study
