// SPDX-License-Identifier: MIT
#pragma once

#include <sstream>
#include <stdexcept>
#include <string>

#include "core/card_text.h"
#include "hand/card_grid.h"

namespace dealwise::testing {

// "AS 10H KC": spelled as dealwise-score reads them.
inline Card cardOf(const std::string& text) {
    const auto card = parseCard(text);
    if (!card) {
        throw std::invalid_argument("test card " + text);
    }
    return *card;
}

inline CardGrid gridOf(const std::string& hand) {
    CardGrid grid;
    std::istringstream in(hand);
    for (std::string card; in >> card;) {
        grid.mark(cardOf(card));
    }
    return grid;
}

} // namespace dealwise::testing
