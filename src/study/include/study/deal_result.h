// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>

#include "core/card.h"

namespace dealwise::study {

// What an exact solver, seeing every card, made of a deal.
enum class Winnable : std::uint8_t {
    NotAsked,  // the study ran without the solver
    Yes,       // won: some line of play wins
    No,        // lost: every position was searched and none wins
    Undecided, // the solver's time ran out first
};

// What the study keeps of one played deal.
struct DealResult {
    std::uint64_t deal = 0;     // the deal number
    std::array<Card, 7> hand{}; // the seven face-up cards, left to right
    int score = 0;              // the Dealwise score of that hand
    bool won = false;           // the player put all 52 cards on the foundations
    int moves = 0;              // moves the player made
    Winnable winnable = Winnable::NotAsked;
    double solveSeconds = 0.0; // the solver's time on this deal
};

} // namespace dealwise::study
