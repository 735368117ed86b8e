// SPDX-License-Identifier: MIT
#include "study/deal_score.h"

#include "klondike/deal.h"
#include "scoring/scoring.h"

namespace dealwise::study {

int dealwiseScore(const klondike::Deck& deck) {
    CardGrid grid;
    for (const Card card : klondike::faceUpHand(deck)) {
        grid.mark(card);
    }
    return scoreGrid(grid).finalScore.value();
}

} // namespace dealwise::study
