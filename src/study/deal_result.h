#pragma once

#include <array>
#include <cstdint>

#include "hand/card.h"

namespace dealwise::study {

// What the study keeps of one played deal.
struct DealResult {
    std::uint64_t deal = 0;     // the deal number
    std::array<Card, 7> hand{}; // the seven face-up cards, left to right
    int score = 0;              // the Dealwise score of that hand
    bool won = false;           // the player put all 52 cards on the foundations
    int moves = 0;              // moves the player made
};

} // namespace dealwise::study
