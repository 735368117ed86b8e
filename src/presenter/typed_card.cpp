// SPDX-License-Identifier: MIT
#include "presenter/typed_card.h"

namespace dealwise {

namespace {

// The keys with one more after them, in a buffer of the longest card's size.
struct Extended {
    std::array<char, kMaxCardText> keys{};
    std::size_t length = 0;

    [[nodiscard]] constexpr std::string_view view() const noexcept { return {keys.data(), length}; }
};

constexpr std::optional<Extended> extend(std::string_view keys, char key) noexcept {
    if (keys.size() >= kMaxCardText) {
        return std::nullopt;
    }
    Extended result;
    for (char c : keys) {
        result.keys[result.length++] = c;
    }
    result.keys[result.length++] = key;
    return result;
}

constexpr std::optional<Card> parseWith(std::string_view keys, char key) noexcept {
    const auto extended = extend(keys, key);
    return extended ? parseCard(extended->view()) : std::nullopt;
}

// Whether the keys are a whole rank: a suit letter after them makes a card.
constexpr bool isRank(std::string_view keys) noexcept { return parseWith(keys, 'S').has_value(); }

// Whether the keys are a rank or the start of one. The card vocabulary stays
// parseCard's alone: a longer rank is found by trying every printable key.
constexpr bool beginsRank(std::string_view keys) noexcept {
    if (isRank(keys)) {
        return true;
    }
    for (char key = '!'; key <= '~'; ++key) {
        if (const auto extended = extend(keys, key); extended && isRank(extended->view())) {
            return true;
        }
    }
    return false;
}

static_assert(beginsRank("a") && beginsRank("1") && beginsRank("10") && beginsRank("T"));
static_assert(!beginsRank("0") && !beginsRank("11") && !beginsRank("s") && !beginsRank("AS"));

} // namespace

std::optional<Card> TypedCard::feed(char key) noexcept {
    if (pending()) {
        if (const auto card = parseWith(keys(), key)) {
            forget();
            return card;
        }
        if (const auto extended = extend(keys(), key); extended && beginsRank(extended->view())) {
            keys_ = extended->keys;
            length_ = extended->length;
            return std::nullopt;
        }
        forget();
    }
    if (beginsRank(std::string_view(&key, 1))) {
        keys_[0] = key;
        length_ = 1;
    }
    return std::nullopt;
}

} // namespace dealwise
