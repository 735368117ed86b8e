// SPDX-License-Identifier: MIT
// Arbitrary bytes as card tokens: the whole input as one token, then its
// pieces between blanks, one by one and as a hand.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "cli/hand_collector.h"

namespace {

using dealwise::Card;
using dealwise::Rank;
using dealwise::Suit;
using dealwise::cli::HandCollector;
using dealwise::cli::HandFault;

// The accepted spellings written out one by one, rather than derived from
// lookup tables as the parser's are, so that a wrong table entry shows.
std::optional<Card> referenceCard(std::string_view text) {
    if (text.size() < 2) {
        return std::nullopt;
    }
    std::optional<Suit> suit;
    switch (text.back()) {
    case 'S':
    case 's':
        suit = Suit::Spades;
        break;
    case 'C':
    case 'c':
        suit = Suit::Clubs;
        break;
    case 'D':
    case 'd':
        suit = Suit::Diamonds;
        break;
    case 'H':
    case 'h':
        suit = Suit::Hearts;
        break;
    default:
        return std::nullopt;
    }
    struct Spelling {
        std::string_view text;
        Rank rank;
    };
    static constexpr std::array<Spelling, 19> kRanks{{
        {"A", Rank::Ace},   {"a", Rank::Ace},   {"2", Rank::Two},   {"3", Rank::Three}, {"4", Rank::Four},
        {"5", Rank::Five},  {"6", Rank::Six},   {"7", Rank::Seven}, {"8", Rank::Eight}, {"9", Rank::Nine},
        {"10", Rank::Ten},  {"T", Rank::Ten},   {"t", Rank::Ten},   {"J", Rank::Jack},  {"j", Rank::Jack},
        {"Q", Rank::Queen}, {"q", Rank::Queen}, {"K", Rank::King},  {"k", Rank::King},
    }};
    const std::string_view rankText = text.substr(0, text.size() - 1);
    for (const Spelling& spelling : kRanks) {
        if (spelling.text == rankText) {
            return Card{*suit, spelling.rank};
        }
    }
    return std::nullopt;
}

std::string referenceCanonical(Card card) {
    static constexpr std::array<std::string_view, 13> kRanks{"A", "2", "3",  "4", "5", "6", "7",
                                                             "8", "9", "10", "J", "Q", "K"};
    static constexpr std::array<char, 4> kSuits{'S', 'C', 'D', 'H'};
    std::string text(kRanks[static_cast<std::size_t>(dealwise::rankIndex(card.rank))]);
    text += kSuits[static_cast<std::size_t>(dealwise::suitIndex(card.suit))];
    return text;
}

// Messages end up on one line of stderr: nothing in them may start a new
// line or drive the terminal, so every byte is printable ASCII (a lone 0x9b
// is a control-sequence introducer to many terminals).
bool isOneLine(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7f) {
            return false;
        }
    }
    return true;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// Undoes quoteToken's escapes; nullopt if the text is not one of its
// quotations at all.
std::optional<std::string> unquote(std::string_view quoted) {
    if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') {
        return std::nullopt;
    }
    const std::string_view body = quoted.substr(1, quoted.size() - 2);
    std::string text;
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] == '"') {
            return std::nullopt;
        }
        if (body[i] != '\\') {
            text += body[i];
            continue;
        }
        if (i + 1 < body.size() && (body[i + 1] == '"' || body[i + 1] == '\\')) {
            text += body[++i];
        } else if (i + 3 < body.size() && body[i + 1] == 'x' && hexValue(body[i + 2]) >= 0 &&
                   hexValue(body[i + 3]) >= 0) {
            text += static_cast<char>(hexValue(body[i + 2]) * 16 + hexValue(body[i + 3]));
            i += 3;
        } else {
            return std::nullopt;
        }
    }
    return text;
}

void checkQuote(std::string_view token) {
    const std::string quoted = dealwise::quoteToken(token);
    FUZZ_CHECK(isOneLine(quoted));
    // A huge token must not make a huge message.
    FUZZ_CHECK(quoted.size() <= 256);
    const std::optional<std::string> shown = unquote(quoted);
    FUZZ_CHECK(shown.has_value());
    if (*shown == token) {
        return;
    }
    // Shortened: a leading part of the token, then an ellipsis.
    constexpr std::string_view kEllipsis = "...";
    FUZZ_CHECK(shown->size() >= kEllipsis.size() && shown->ends_with(kEllipsis));
    const std::string_view kept = std::string_view(*shown).substr(0, shown->size() - kEllipsis.size());
    FUZZ_CHECK(kept.size() < token.size() && token.starts_with(kept));
}

std::optional<Card> checkToken(std::string_view token) {
    const std::optional<Card> card = dealwise::parseCard(token);
    FUZZ_CHECK(card == referenceCard(token));
    checkQuote(token);
    if (!card) {
        return std::nullopt;
    }

    // The canonical spelling through both writers; a buffer of exactly the
    // documented longest size lets the address sanitizer see a write past it.
    const std::string spelled = dealwise::cardText(*card);
    FUZZ_CHECK(spelled == referenceCanonical(*card));
    const auto buffer = std::make_unique<char[]>(dealwise::kMaxCardText);
    const char* const end = dealwise::writeCardText(buffer.get(), *card);
    FUZZ_CHECK(std::string_view(buffer.get(), static_cast<std::size_t>(end - buffer.get())) == spelled);

    const std::optional<Card> again = dealwise::parseCard(spelled);
    FUZZ_CHECK(again == card);
    FUZZ_CHECK(dealwise::cardText(*again) == spelled);
    return card;
}

std::string countText(std::size_t count) {
    if (count == 0) {
        return "no cards";
    }
    return count == 1 ? "1 card" : std::to_string(count) + " cards";
}

void checkHand(const std::vector<std::string_view>& tokens, const std::vector<std::optional<Card>>& cards) {
    HandCollector hand;
    for (const std::string_view token : tokens) {
        hand.add(token);
    }
    FUZZ_CHECK(hand.given() == tokens.size());
    const std::string message = hand.describeFault();
    FUZZ_CHECK(isOneLine(message));

    // The faults in their documented precedence: a token that is not a card,
    // then a count other than seven, then a card given twice.
    for (std::size_t i = 0; i < cards.size(); ++i) {
        if (!cards[i]) {
            FUZZ_CHECK(hand.fault() == HandFault::NotACard);
            FUZZ_CHECK(message.starts_with(dealwise::quoteToken(tokens[i]) + " is not a card; "));
            return;
        }
    }
    if (tokens.size() != static_cast<std::size_t>(dealwise::kHandSize)) {
        FUZZ_CHECK(hand.fault() == HandFault::WrongCount);
        FUZZ_CHECK(message.starts_with(countText(tokens.size()) + " given; "));
        return;
    }
    for (std::size_t later = 1; later < cards.size(); ++later) {
        for (std::size_t first = 0; first < later; ++first) {
            if (cards[first] == cards[later]) {
                FUZZ_CHECK(hand.fault() == HandFault::RepeatedCard);
                FUZZ_CHECK(message.starts_with(referenceCanonical(*cards[first]) + " is repeated (cards " +
                                               std::to_string(first + 1) + " and " + std::to_string(later + 1) + ")"));
                return;
            }
        }
    }

    // An accepted hand: exactly seven distinct cards, in the order given.
    FUZZ_CHECK(hand.fault() == HandFault::None);
    FUZZ_CHECK(message.empty());
    std::uint64_t seen = 0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(dealwise::kHandSize); ++i) {
        const Card card = hand.cards()[i];
        FUZZ_CHECK(card == *cards[i]);
        const std::uint64_t bit = std::uint64_t{1} << (dealwise::rankIndex(card.rank) * dealwise::kSuitCount +
                                                       dealwise::suitIndex(card.suit));
        FUZZ_CHECK((seen & bit) == 0);
        seen |= bit;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    (void)checkToken(input);

    std::vector<std::string_view> tokens;
    std::vector<std::optional<Card>> cards;
    // An empty input is a hand of no tokens rather than one empty token.
    std::size_t start = 0;
    while (!input.empty()) {
        const std::size_t blank = input.find(' ', start);
        tokens.push_back(input.substr(start, blank == std::string_view::npos ? std::string_view::npos : blank - start));
        cards.push_back(checkToken(tokens.back()));
        if (blank == std::string_view::npos) {
            break;
        }
        start = blank + 1;
    }
    checkHand(tokens, cards);
    return 0;
}
