#pragma once

#include <sstream>
#include <stdexcept>
#include <string>

#include "core/card_text.h"
#include "study/deal_result.h"

namespace dealwise::study::testing {

inline Card cardOf(const std::string& text) {
    const auto card = parseCard(text);
    if (!card) {
        throw std::invalid_argument("test card " + text);
    }
    return *card;
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
