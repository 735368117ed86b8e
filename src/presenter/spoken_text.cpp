// SPDX-License-Identifier: MIT
#include "presenter/spoken_text.h"

#include <array>
#include <string_view>

namespace dealwise {

std::string spokenCardName(Card card) {
    constexpr std::array<std::string_view, 4> kSuits{"Spades", "Clubs", "Diamonds", "Hearts"};
    std::string name;
    switch (card.rank) {
    case Rank::Ace:
        name = "Ace";
        break;
    case Rank::Jack:
        name = "Jack";
        break;
    case Rank::Queen:
        name = "Queen";
        break;
    case Rank::King:
        name = "King";
        break;
    default: // the number cards say their number, as their captions show it
        name = restCaption(card.rank);
        break;
    }
    name += " of ";
    name += kSuits[static_cast<std::size_t>(suitIndex(card.suit))];
    return name;
}

std::string entryDescription(int count) {
    // 11th, 12th and 13th, unlike 1st, 2nd and 3rd, also in every hundred.
    const int lastTwo = count % 100;
    const int last = count % 10;
    std::string_view suffix = "th";
    if (lastTwo < 11 || lastTwo > 13) {
        suffix = last == 1 ? "st" : last == 2 ? "nd" : last == 3 ? "rd" : "th";
    }
    std::string text = "entered " + std::to_string(count);
    text += suffix;
    return text;
}

} // namespace dealwise
