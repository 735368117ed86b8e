// SPDX-License-Identifier: MIT
#pragma once

#include "klondike/game.h"

namespace dealwise::study {

// The Dealwise score of the deal's seven face-up cards, as Run scores them.
[[nodiscard]] int dealwiseScore(const klondike::Deck& deck);

} // namespace dealwise::study
