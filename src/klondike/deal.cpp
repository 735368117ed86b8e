// SPDX-License-Identifier: MIT
#include "klondike/deal.h"

#include <bitset>

#include "core/card_text.h"

namespace dealwise::klondike {

Deck dealNumber(std::uint64_t number) {
    Deck deck{};
    for (std::size_t i = 0; i < deck.size(); ++i) {
        deck[i] = static_cast<CardCode>(i);
    }
    SplitMix64 random(number);
    for (std::size_t i = deck.size() - 1; i > 0; --i) {
        const auto j = static_cast<std::size_t>(random.below(i + 1));
        std::swap(deck[i], deck[j]);
    }
    return deck;
}

std::array<Card, 7> faceUpHand(const Deck& deck) {
    // Pile p is topped by the last card dealt to it, in row p.
    std::array<Card, 7> hand{};
    std::size_t rowStart = 0;
    for (int row = 0; row < kPileCount; ++row) {
        hand[std::size_t(row)] = cardOf(deck[rowStart]);
        rowStart += static_cast<std::size_t>(kPileCount - row);
    }
    return hand;
}

std::string toText(const Deck& deck) {
    std::string text;
    for (CardCode card : deck) {
        if (!text.empty()) {
            text += ' ';
        }
        text += cardText(cardOf(card));
    }
    return text;
}

std::optional<Deck> deckFromText(std::string_view text) {
    Deck deck{};
    std::bitset<52> seen;
    std::size_t count = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == '\n' || text[at] == '\r')) {
            ++at;
        }
        const std::size_t start = at;
        while (at < text.size() && text[at] != ' ' && text[at] != '\t' && text[at] != '\n' && text[at] != '\r') {
            ++at;
        }
        if (start == at) {
            break;
        }
        const auto card = parseCard(text.substr(start, at - start));
        if (!card || count == deck.size() || seen.test(codeOf(*card))) {
            return std::nullopt;
        }
        seen.set(codeOf(*card));
        deck[count++] = codeOf(*card);
    }
    if (count != deck.size()) {
        return std::nullopt;
    }
    return deck;
}

} // namespace dealwise::klondike
