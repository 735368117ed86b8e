// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/card.h"
#include "klondike/game.h"

namespace dealwise::klondike {

// SplitMix64 (Steele, Lea and Flood, 2014): a 64-bit state advanced by a
// fixed odd constant and scrambled by two multiply-xorshift rounds. Written
// out here because the standard library's engines are exact but its
// distributions and std::shuffle differ between implementations.
class SplitMix64 {
public:
    explicit constexpr SplitMix64(std::uint64_t seed) noexcept : state_(seed) {}

    constexpr std::uint64_t next() noexcept {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // Uniform in 0 .. bound - 1, without the bias of a plain remainder: draws
    // that fall in the incomplete last block of the 64-bit range are redrawn.
    constexpr std::uint64_t below(std::uint64_t bound) noexcept {
        const std::uint64_t limit = ~std::uint64_t{0} - (~std::uint64_t{0} % bound + 1) % bound;
        std::uint64_t draw = next();
        while (draw > limit) {
            draw = next();
        }
        return draw % bound;
    }

private:
    std::uint64_t state_;
};

// Deal number N: the deck in suit order (spades, clubs, diamonds, hearts, ace
// to king in each) shuffled by Fisher and Yates, from the last card down,
// with SplitMix64 seeded with N. The same deal on every compiler and machine.
[[nodiscard]] Deck dealNumber(std::uint64_t number);

// The seven face-up cards of the deal, left to right: its Dealwise hand.
[[nodiscard]] std::array<Card, 7> faceUpHand(const Deck& deck);

// The deck as 52 cards in deal order, canonical spelling, one blank apart.
[[nodiscard]] std::string toText(const Deck& deck);
// Reads that back; nothing for anything but 52 distinct cards.
[[nodiscard]] std::optional<Deck> deckFromText(std::string_view text);

} // namespace dealwise::klondike
