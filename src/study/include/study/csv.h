#pragma once

#include <iosfwd>
#include <string>

#include "core/card.h"
#include "study/deal_result.h"

namespace dealwise::study {

// The column names, "deal,cards,score,won,moves", and a line break. With the
// solver, two more: "winnable" and "solve_ms".
void writeCsvHeader(std::ostream& out, bool withSolver = false);

// One line per deal, written at once, so that a study of any length streams
// straight to disk. The cards are separated by blanks, which keeps the field
// free of commas and quotes; they are spelled as dealwise-score spells them
// ("AS", "10H"), so that a hand copied out of the CSV can be pasted into it. Throws std::invalid_argument for a card
// whose suit or rank is not one of the 52.
//
// A deal the solver was asked about gains its verdict, 1 or 0, left empty
// when the solver ran out of time, and the solver's time in milliseconds to
// three decimals; any other row keeps the five columns.
void writeCsvRow(std::ostream& out, const DealResult& result);

} // namespace dealwise::study
