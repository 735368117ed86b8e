// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "core/card.h"

// What assistive technology says for the controls whose captions are too
// short to say it themselves. No toolkit in here.
namespace dealwise {

// "Ace of Spades", "10 of Diamonds", "Jack of Hearts", "2 of Clubs".
[[nodiscard]] std::string spokenCardName(Card card);

// The place a card button's caption shows, in words: "entered 1st",
// "entered 2nd", "entered 11th", "entered 23rd". The count is 1 or more.
[[nodiscard]] std::string entryDescription(int count);

} // namespace dealwise
