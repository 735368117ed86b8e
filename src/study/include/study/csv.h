// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/card.h"
#include "study/deal_result.h"

namespace dealwise::study {

// The column names, "deal,cards,score,won,moves", and a line break. With the
// solver, two more: "winnable" and "solve_ms".
void writeCsvHeader(std::ostream& out, bool withSolver = false);
// The same line, without its line break.
[[nodiscard]] std::string_view csvHeader(bool withSolver);
// Its names one by one.
[[nodiscard]] std::vector<std::string> csvColumns(bool withSolver);

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
// The same row as text, line break included.
[[nodiscard]] std::string csvRow(const DealResult& result);

// The solver's time as its row writes it, milliseconds to three decimals,
// in whole microseconds: what a row read back gives, so that a study rebuilt
// from its CSV counts the very same times.
[[nodiscard]] std::uint64_t csvMicroseconds(double seconds);

// A row read back: the deal and its time in whole microseconds.
struct CsvRow {
    DealResult result;
    std::uint64_t solveMicroseconds = 0;
};

// One line of deals.csv, without its line break, as writeCsvRow writes it
// for a study with or without the solver; empty for anything else, such as
// a row cut short by a crash. Only the exact text the writer gives is read,
// so that a row read back and written again is the same row.
[[nodiscard]] std::optional<CsvRow> readCsvRow(std::string_view line, bool withSolver);

} // namespace dealwise::study
