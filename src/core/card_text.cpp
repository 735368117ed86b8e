// SPDX-License-Identifier: MIT
#include "core/card_text.h"

namespace dealwise {

std::string cardText(Card card) {
    std::array<char, kMaxCardText> text{};
    return {text.data(), writeCardText(text.data(), card)};
}

std::string quoteToken(std::string_view token) {
    // Long enough for any near miss of a card; anything longer is not one.
    constexpr std::size_t kShown = 24;
    constexpr std::string_view kHex = "0123456789abcdef";
    std::string quoted = "\"";
    for (const char c : token.substr(0, kShown)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (byte < 0x20 || byte >= 0x7f) {
            quoted += "\\x";
            quoted += kHex[byte >> 4];
            quoted += kHex[byte & 0xf];
        } else {
            quoted += c;
        }
    }
    if (token.size() > kShown) {
        quoted += "...";
    }
    quoted += '"';
    return quoted;
}

} // namespace dealwise
