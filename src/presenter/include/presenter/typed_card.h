// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <optional>
#include <string_view>

#include "core/card.h"
#include "core/card_text.h"

namespace dealwise {

// How long a half-typed card waits for its next key. A key typed later
// starts afresh, so a stray key is never joined to a card typed much later.
inline constexpr std::chrono::milliseconds kTypingPause{1500};

// Turns keys typed one at a time into cards, spelt as parseCard reads them:
// a rank (A, 2-9, 10 or T, J, Q, K) then a suit (S, C, D, H), either case.
// A key that cannot continue the card begun drops it and, if it can begin a
// card itself, begins the next one. No toolkit in here: the window feeds it
// the characters of its key presses and times the pause.
class TypedCard {
public:
    // The card this key completes, if it completes one.
    [[nodiscard]] std::optional<Card> feed(char key) noexcept;

    // Whether a card is begun and waits for more keys.
    [[nodiscard]] bool pending() const noexcept { return length_ > 0; }

    void forget() noexcept { length_ = 0; }

private:
    [[nodiscard]] std::string_view keys() const noexcept { return {keys_.data(), length_}; }

    std::array<char, kMaxCardText> keys_{};
    std::size_t length_ = 0;
};

} // namespace dealwise
