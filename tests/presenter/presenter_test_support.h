// SPDX-License-Identifier: MIT
#pragma once

#include <bitset>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/card_text.h"
#include "presenter/main_presenter.h"

namespace dealwise::testing {

inline Card card(std::string_view text) {
    const std::optional<Card> parsed = parseCard(text);
    if (!parsed) {
        throw std::invalid_argument("no such card: " + std::string(text));
    }
    return *parsed;
}

// A presenter as the window has it once it is on the screen.
inline MainPresenter loadedPresenter() {
    MainPresenter presenter;
    presenter.Form_Load();
    (void)presenter.takeChanges();
    return presenter;
}

// Clicks the cards, taking the changes after each as a view does.
inline void clickCards(MainPresenter& presenter, const std::vector<std::string_view>& cards) {
    for (std::string_view text : cards) {
        presenter.cmdCard_Click(card(text));
        (void)presenter.takeChanges();
    }
}

// The 52 card buttons as the window lays them out, one row a suit; a bold
// caption is marked with a star.
inline std::vector<std::string> buttonRows(const MainPresenter& presenter) {
    std::vector<std::string> rows;
    for (Suit suit : kAllSuits) {
        std::string row(1, suitLetter(suit));
        row += ':';
        for (int value = 1; value <= kRankCount; ++value) {
            const CardFace& face = presenter.face(Card{suit, rankFromValue(value)});
            row += face.bold ? " *" : " ";
            row += face.caption;
        }
        rows.push_back(row);
    }
    return rows;
}

inline const std::vector<std::string> kRestingRows{
    "S: A 2 3 4 5 6 7 8 9 10 J Q K",
    "C: A 2 3 4 5 6 7 8 9 10 J Q K",
    "D: A 2 3 4 5 6 7 8 9 10 J Q K",
    "H: A 2 3 4 5 6 7 8 9 10 J Q K",
};

inline std::bitset<kCardCount> cardsOf(const std::vector<std::string_view>& cards) {
    std::bitset<kCardCount> set;
    for (std::string_view text : cards) {
        set.set(static_cast<std::size_t>(cardIndex(card(text))));
    }
    return set;
}

inline const std::vector<std::string_view> kWorkedExampleCards{"AS", "2S", "3S", "4H", "9C", "10D", "KC"};

// The seventeen lines after the worked example's cards and one Run, as the
// command-line scorer's test keeps them.
inline std::vector<std::string> workedExampleLines() {
    std::ifstream file(DEALWISE_WORKED_EXAMPLE);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

} // namespace dealwise::testing
