// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/card.h"
#include "core/card_text.h"
#include "hand/hand_entry.h"

namespace dealwise::cli {

enum class HandFault : std::uint8_t { None, NotACard, WrongCount, RepeatedCard };

// Gathers the cards of one hand a token at a time, so that the same checks
// serve the command line (a token per argument) and the batch lines (tokens
// split in place) without copying a token. Only the first fault is kept, in
// this order of precedence: a token that is not a card, then a count other
// than seven, then a card given twice.
class HandCollector {
public:
    // The token must outlive the collector while a fault may quote it.
    void add(std::string_view token) noexcept {
        const std::size_t place = ++given_;
        if (notACard_) {
            return;
        }
        const std::optional<Card> card = parseCard(token);
        if (!card) {
            notACard_ = true;
            badToken_ = token;
            return;
        }
        if (place > kHandSize) {
            return;
        }
        cards_[place - 1] = *card;
        const std::uint64_t bit = std::uint64_t{1} << cardIndex(*card);
        if ((seen_ & bit) != 0 && repeatPlace_ == 0) {
            repeatPlace_ = place;
        }
        seen_ |= bit;
    }

    [[nodiscard]] HandFault fault() const noexcept {
        if (notACard_) {
            return HandFault::NotACard;
        }
        if (given_ != kHandSize) {
            return HandFault::WrongCount;
        }
        return repeatPlace_ != 0 ? HandFault::RepeatedCard : HandFault::None;
    }

    // The cards in the order given; meaningful only without a fault.
    [[nodiscard]] const std::array<Card, kHandSize>& cards() const noexcept { return cards_; }
    [[nodiscard]] std::size_t given() const noexcept { return given_; }

    // One sentence, without a prefix or a newline, saying what is wrong and
    // what would be right.
    [[nodiscard]] std::string describeFault() const;

private:
    std::array<Card, kHandSize> cards_{};
    std::uint64_t seen_ = 0; // one bit per card, by its index
    std::size_t given_ = 0;
    std::string_view badToken_;
    bool notACard_ = false;
    std::size_t repeatPlace_ = 0; // 1-based place of the first card seen before
};

} // namespace dealwise::cli
