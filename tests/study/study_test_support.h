#pragma once

#include <sstream>
#include <stdexcept>
#include <string>

#include "study/deal_result.h"

namespace dealwise::study::testing {

// "AS 10H KC ...": rank A 2..10 J Q K, then suit S C D H.
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

inline DealResult dealOf(std::uint64_t deal, const std::string& hand, int score, bool won, int moves) {
    DealResult result;
    result.deal = deal;
    std::istringstream in(hand);
    std::string card;
    for (Card& slot : result.hand) {
        if (!(in >> card)) {
            throw std::invalid_argument("test hand " + hand);
        }
        slot = cardOf(card);
    }
    result.score = score;
    result.won = won;
    result.moves = moves;
    return result;
}

} // namespace dealwise::study::testing
