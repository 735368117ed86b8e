// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/card.h"

namespace dealwise {

// Every message about a malformed card ends with this, so that the user sees
// at once what the program would have accepted.
inline constexpr std::string_view kCardShape =
    "a card is a rank A, 2-10 (or T), J, Q or K followed by a suit S, C, D or H, as in AS or 10h";

namespace detail {

// Indexed by a character, so that parsing a card takes two lookups and no
// branching on case: the batch parses millions of cards a second, and these
// functions are inline for the same reason. 0 means no card starts (or
// ends) with the character; '1' starts only "10", handled apart.
inline constexpr std::array<std::uint8_t, 256> kRankByFirst = [] {
    std::array<std::uint8_t, 256> table{};
    for (int value = 2; value <= 9; ++value) {
        table[static_cast<std::size_t>('0' + value)] = static_cast<std::uint8_t>(value);
    }
    constexpr std::string_view kLetters = "A........TJQK";
    for (std::size_t i = 0; i < kLetters.size(); ++i) {
        if (kLetters[i] != '.') {
            table[static_cast<unsigned char>(kLetters[i])] = static_cast<std::uint8_t>(i + 1);
            table[static_cast<unsigned char>(kLetters[i] | 0x20)] = static_cast<std::uint8_t>(i + 1);
        }
    }
    return table;
}();

// The suit index plus one.
inline constexpr std::array<std::uint8_t, 256> kSuitByLetter = [] {
    std::array<std::uint8_t, 256> table{};
    for (const Suit suit : kAllSuits) {
        const char letter = suitLetter(suit);
        table[static_cast<unsigned char>(letter)] = static_cast<std::uint8_t>(suitIndex(suit) + 1);
        table[static_cast<unsigned char>(letter | 0x20)] = static_cast<std::uint8_t>(suitIndex(suit) + 1);
    }
    return table;
}();

} // namespace detail

// A rank A, 2 .. 10, T (ten), J, Q or K followed by a suit S, C, D or H, each
// in either case: "AS", "10h", "tc", "Kd". Nothing else, not even blanks.
[[nodiscard]] constexpr std::optional<Card> parseCard(std::string_view text) noexcept {
    unsigned rank = 0;
    if (text.size() == 2) {
        rank = detail::kRankByFirst[static_cast<unsigned char>(text[0])];
    } else if (text.size() == 3 && text[0] == '1' && text[1] == '0') {
        rank = static_cast<unsigned>(rankValue(Rank::Ten));
    }
    const unsigned suit = text.empty() ? 0 : detail::kSuitByLetter[static_cast<unsigned char>(text.back())];
    if (rank == 0 || suit == 0) {
        return std::nullopt;
    }
    return Card{static_cast<Suit>(suit - 1), rankFromValue(static_cast<int>(rank))};
}

// The canonical spelling is the card's rest caption and its uppercase suit
// letter: "AS", "10H", "KC". The longest is three characters.
inline constexpr std::size_t kMaxCardText = 3;

// Writes the canonical spelling at `out` and returns the end; no terminator.
// Branch-free: every rank writes two characters and the suit letter then
// overwrites the second unless the rank is "10".
constexpr char* writeCardText(char* out, Card card) noexcept {
    constexpr std::string_view kRankPairs = "A?2?3?4?5?6?7?8?9?10J?Q?K?";
    const auto index = static_cast<std::size_t>(rankIndex(card.rank));
    out[0] = kRankPairs[2 * index];
    out[1] = kRankPairs[2 * index + 1];
    out += card.rank == Rank::Ten ? 2 : 1;
    *out++ = suitLetter(card.suit);
    return out;
}

[[nodiscard]] std::string cardText(Card card);

// The token in double quotes, shortened, with quotes and backslashes escaped
// and every byte that is not printable ASCII written as \xNN: a stray binary
// byte, a terminal escape (0x1b, or its 8-bit form 0x9b) or a huge argument
// can neither garble nor drive the terminal that shows the message.
[[nodiscard]] std::string quoteToken(std::string_view token);

} // namespace dealwise
