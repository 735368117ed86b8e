#pragma once

#include <sstream>
#include <stdexcept>
#include <string>

#include "hand/card_grid.h"

namespace dealwise::testing {

// "AS 10H KC": rank A 2..10 J Q K, then suit S C D H.
inline Card cardOf(const std::string& text) {
    const std::string ranks[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    const std::string suits = "SCDH";
    const std::string rankText = text.substr(0, text.size() - 1);
    const auto suit = suits.find(text.back());
    for (int value = 1; value <= 13; ++value) {
        if (ranks[value - 1] == rankText && suit != std::string::npos) {
            return Card{static_cast<Suit>(suit), rankFromValue(value)};
        }
    }
    throw std::invalid_argument("test card " + text);
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
