// SPDX-License-Identifier: MIT
#include "report/hand_grid.h"

namespace dealwise {

std::array<PrintLine, 5> handGridLines(const CardGrid& cardGrid) {
    std::array<PrintLine, 5> lines;
    lines[0].append(kHandGridHeader);
    for (int suit = 0; suit < kSuitCount; ++suit) {
        PrintLine& row = lines[static_cast<std::size_t>(suit) + 1];
        row.append(kHandGridRowLabels[static_cast<std::size_t>(suit)]);
        for (int rank = 0; rank < kRankCount; ++rank) {
            row.append(cardGrid.cell(rank, suit));
        }
    }
    return lines;
}

} // namespace dealwise
