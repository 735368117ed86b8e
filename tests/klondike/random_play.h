// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/card_text.h"
#include "klondike/deal.h"
#include "klondike/game.h"
#include "klondike/solver_position.h"

namespace dealwise::klondike::testing {

// Positions from games of random legal moves, turns of the stock included,
// so that wastes of every size and piles of every shape turn up.
inline std::vector<Game> randomPositions(int draw, int games, int movesPerGame) {
    std::vector<Game> positions;
    SplitMix64 random(std::uint64_t(draw) * 7919);
    for (int deal = 1; deal <= games; ++deal) {
        Game game(dealNumber(std::uint64_t(deal)), draw);
        for (int move = 0; move < movesPerGame; ++move) {
            const std::vector<Move> moves = game.legalMoves();
            if (moves.empty()) {
                break;
            }
            game.apply(moves[random.below(moves.size())]);
            positions.push_back(game);
        }
    }
    return positions;
}

inline CardCode code(const char* text) { return codeOf(*parseCard(text)); }

// The deck that deals these seven piles (bottom card first, the last one
// face up) and this stock (first card turned first): dealing, undone.
inline Deck deckFor(const std::array<std::vector<const char*>, 7>& piles, const std::vector<const char*>& stock) {
    Deck deck{};
    std::size_t next = 0;
    for (std::size_t row = 0; row < 7; ++row) {
        for (std::size_t pile = row; pile < 7; ++pile) {
            deck[next++] = code(piles[pile].at(row));
        }
    }
    for (const char* card : stock) {
        deck[next++] = code(card);
    }
    return deck;
}

inline constexpr Move kTurn{MoveKind::Turn, 0, 0, 0};

inline Game turned(Game game, int turns) {
    for (int turn = 0; turn < turns; ++turn) {
        game.apply(kTurn);
    }
    return game;
}

// Positions the solver's own moves lead to, picked at random: with its
// pruning the safe cards go up, so the foundations grow and stuck cards
// turn up far more often than in random play.
inline std::vector<Game> solverWalks(int draw, int games, int stepsPerGame) {
    std::vector<Game> positions;
    SplitMix64 random(std::uint64_t(draw) * 104729);
    for (int deal = 1; deal <= games; ++deal) {
        Game game(dealNumber(std::uint64_t(deal)), draw);
        for (int step = 0; step < stepsPerGame; ++step) {
            std::vector<solver::Step> steps;
            solver::Position(game).generate(steps, solver::Pruning::Exact);
            if (steps.empty()) {
                break;
            }
            std::vector<Move> moves;
            if (!solver::playStep(game, steps[random.below(steps.size())], moves)) {
                break;
            }
            positions.push_back(game);
        }
    }
    return positions;
}

} // namespace dealwise::klondike::testing
