#pragma once

#include <sstream>
#include <stdexcept>
#include <string>

#include "study/deal_result.h"
#include "test_hands.h"

namespace dealwise::study::testing {

using dealwise::testing::cardOf;

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
