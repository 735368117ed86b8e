// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/card.h"
#include "core/card_text.h"
#include "hand/hand_entry.h"

namespace dealwise::bench {

// SplitMix64: tiny, fast and the same on every platform and compiler, which
// std::uniform_int_distribution is not, so a seed names one set of hands.
class SplitMix64 {
public:
    explicit SplitMix64(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

    // Near enough to uniform below `bound` for dealing: the bias of a 64-bit
    // value taken modulo 52 is far below anything a benchmark could notice.
    unsigned below(unsigned bound) { return static_cast<unsigned>(next() % bound); }

private:
    std::uint64_t state_;
};

// Seven different cards: the first seven of a partly shuffled deck.
inline std::array<Card, kHandSize> randomHand(SplitMix64& random) {
    std::array<Card, kSuitCount * kRankCount> deck{};
    for (std::size_t i = 0; i < deck.size(); ++i) {
        deck[i] = Card{static_cast<Suit>(i % kSuitCount), rankFromValue(static_cast<int>(i / kSuitCount) + 1)};
    }
    std::array<Card, kHandSize> hand{};
    for (std::size_t i = 0; i < hand.size(); ++i) {
        const std::size_t pick = i + random.below(static_cast<unsigned>(deck.size() - i));
        std::swap(deck[i], deck[pick]);
        hand[i] = deck[i];
    }
    return hand;
}

// One batch input line, canonical spelling, blanks between the cards.
inline void appendHandLine(std::string& out, const std::array<Card, kHandSize>& hand) {
    for (std::size_t i = 0; i < hand.size(); ++i) {
        if (i != 0) {
            out += ' ';
        }
        out += cardText(hand[i]);
    }
    out += '\n';
}

} // namespace dealwise::bench
