// SPDX-License-Identifier: MIT
#include "core/card_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dealwise {
namespace {

struct Spelling {
    std::string rank;
    Rank value;
};

const std::vector<Spelling> kRankSpellings = {
    {"A", Rank::Ace},   {"a", Rank::Ace},   {"2", Rank::Two},   {"3", Rank::Three}, {"4", Rank::Four},
    {"5", Rank::Five},  {"6", Rank::Six},   {"7", Rank::Seven}, {"8", Rank::Eight}, {"9", Rank::Nine},
    {"10", Rank::Ten},  {"T", Rank::Ten},   {"t", Rank::Ten},   {"J", Rank::Jack},  {"j", Rank::Jack},
    {"Q", Rank::Queen}, {"q", Rank::Queen}, {"K", Rank::King},  {"k", Rank::King},
};

TEST(ParseCard, TakesEveryRankWithEverySuitInEitherCase) {
    const std::vector<std::pair<char, Suit>> suits = {{'S', Suit::Spades}, {'s', Suit::Spades},   {'C', Suit::Clubs},
                                                      {'c', Suit::Clubs},  {'D', Suit::Diamonds}, {'d', Suit::Diamonds},
                                                      {'H', Suit::Hearts}, {'h', Suit::Hearts}};
    for (const Spelling& rank : kRankSpellings) {
        for (const auto& [letter, suit] : suits) {
            const std::string text = rank.rank + letter;
            EXPECT_EQ(parseCard(text), (Card{suit, rank.value})) << text;
        }
    }
}

TEST(ParseCard, RejectsAnythingButARankAndASuit) {
    for (const std::string text : {"",    "A",   "S",  "10",  "1S",    "11H",       "0S",   "01S", "100S", "AX",
                                   "AA",  "SA",  "ZS", "1OS", "10SS",  "ASS",       " AS",  "AS ", "A S",  "A,S",
                                   "-AS", "+2H", "TT", "KK",  "JOKER", "\xc2\xa0S", "AS\r", "\tKC"}) {
        EXPECT_EQ(parseCard(text), std::nullopt) << '"' << text << '"';
    }
    EXPECT_EQ(parseCard(std::string_view("A\0", 2)), std::nullopt);
}

TEST(CardText, SpellsEachCardCanonicallyAndReadsItBack) {
    struct Row {
        Card card;
        const char* want;
    };
    for (const Row& row : {Row{{Suit::Spades, Rank::Ace}, "AS"}, Row{{Suit::Hearts, Rank::Ten}, "10H"},
                           Row{{Suit::Clubs, Rank::King}, "KC"}, Row{{Suit::Diamonds, Rank::Two}, "2D"},
                           Row{{Suit::Spades, Rank::Jack}, "JS"}, Row{{Suit::Hearts, Rank::Queen}, "QH"},
                           Row{{Suit::Clubs, Rank::Nine}, "9C"}}) {
        EXPECT_EQ(cardText(row.card), row.want);
    }
    EXPECT_EQ(cardText(*parseCard("td")), "10D");
    EXPECT_EQ(cardText(*parseCard("as")), "AS");
    for (const Suit suit : kAllSuits) {
        for (int value = 1; value <= kRankCount; ++value) {
            const Card card{suit, rankFromValue(value)};
            EXPECT_EQ(parseCard(cardText(card)), card) << cardText(card);
        }
    }
}

TEST(QuoteToken, EscapesWhatWouldGarbleALineAndShortensLongTokens) {
    struct Row {
        std::string token;
        const char* want;
    };
    for (const Row& row : {
             Row{"1S", R"("1S")"},
             Row{"", R"("")"},
             Row{"a\"b\\c", R"("a\"b\\c")"},
             Row{"\x1b[2J", R"("\x1b[2J")"},
             Row{std::string("A\0S", 3), R"("A\x00S")"},
             Row{"\x7f", R"("\x7f")"},
             // Bytes from 0x80 up are quoted too: 0x9b alone is the 8-bit
             // control-sequence introducer of many terminals.
             Row{"\x9b"
                 "31mX",
                 R"("\x9b31mX")"},
             Row{"caf\xc3\xa9", R"("caf\xc3\xa9")"},
             Row{"\x80\xff", R"("\x80\xff")"},
             Row{"abcdefghijklmnopqrstuvwx", R"("abcdefghijklmnopqrstuvwx")"},
             Row{"abcdefghijklmnopqrstuvwxyz", R"("abcdefghijklmnopqrstuvwx...")"},
         }) {
        EXPECT_EQ(quoteToken(row.token), row.want);
    }
}

} // namespace
} // namespace dealwise
