// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string_view>

#include "hand/card_grid.h"
#include "report/print_line.h"

namespace dealwise {

inline constexpr std::string_view kHandGridHeader = "HAND----  A  2  3  4  5  6  7  8  9 10  J  Q  K";

// The row labels, by suit index; their trailing blanks differ and are kept.
inline constexpr std::array<std::string_view, 4> kHandGridRowLabels{"Spades    ", "Clubs       ", "Diamonds ",
                                                                    "Hearts      "};

// The entered hand as shown at its seventh card: the header, then one row per
// suit of its thirteen cells, ace to king, each printed as an integer.
[[nodiscard]] std::array<PrintLine, 5> handGridLines(const CardGrid& cardGrid);

} // namespace dealwise
