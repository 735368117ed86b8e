#include "cli/card_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dealwise::cli {
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
             Row{"caf\xc3\xa9", "\"caf\xc3\xa9\""},
             Row{"abcdefghijklmnopqrstuvwx", R"("abcdefghijklmnopqrstuvwx")"},
             Row{"abcdefghijklmnopqrstuvwxyz", R"("abcdefghijklmnopqrstuvwx...")"},
         }) {
        EXPECT_EQ(quoteToken(row.token), row.want);
    }
}

TEST(HandCollector, TakesSevenDifferentCardsInTheOrderGiven) {
    HandCollector hand;
    for (const char* token : {"KC", "as", "10d", "tH", "2s", "9C", "qd"}) {
        hand.add(token);
    }
    ASSERT_EQ(hand.fault(), HandFault::None);
    std::string spelled;
    for (const Card card : hand.cards()) {
        spelled += cardText(card) + " ";
    }
    EXPECT_EQ(spelled, "KC AS 10D 10H 2S 9C QD ");
    EXPECT_EQ(hand.describeFault(), "");
}

TEST(HandCollector, NamesTheFirstFaultByPrecedence) {
    struct Row {
        std::vector<std::string> tokens;
        HandFault fault;
        const char* message;
    };
    for (
        const Row& row : {
            Row{{}, HandFault::WrongCount, "no cards given; a hand is seven cards, as in AS 2S 3S 4H 9C 10D KC"},
            Row{{"AS"}, HandFault::WrongCount, "1 card given; a hand is seven cards, as in AS 2S 3S 4H 9C 10D KC"},
            Row{{"AS", "2S", "3S", "4S", "5S", "6S"},
                HandFault::WrongCount,
                "6 cards given; a hand is seven cards, as in AS 2S 3S 4H 9C 10D KC"},
            Row{{"AS", "2S", "3S", "4S", "5S", "6S", "7S", "8S"},
                HandFault::WrongCount,
                "8 cards given; a hand is seven cards, as in AS 2S 3S 4H 9C 10D KC"},
            // A repeat among too many cards is still a count problem first.
            Row{{"AS", "AS", "3S", "4S", "5S", "6S", "7S", "8S"},
                HandFault::WrongCount,
                "8 cards given; a hand is seven cards, as in AS 2S 3S 4H 9C 10D KC"},
            Row{{"AS", "2S", "3S", "1S", "5S", "6S", "7S"},
                HandFault::NotACard,
                R"("1S" is not a card; a card is a rank A, 2-10 (or T), J, Q or K followed by a suit S, C, D or H, as in AS or 10h)"},
            // The first bad token wins, even in a hand of the wrong size.
            Row{{"AX", "ZZ"},
                HandFault::NotACard,
                R"("AX" is not a card; a card is a rank A, 2-10 (or T), J, Q or K followed by a suit S, C, D or H, as in AS or 10h)"},
            Row{{"AS", "2S", "3S", "4S", "5S", "6S", "7S", "8S", "9S", "11S"},
                HandFault::NotACard,
                R"("11S" is not a card; a card is a rank A, 2-10 (or T), J, Q or K followed by a suit S, C, D or H, as in AS or 10h)"},
            Row{{"KH", "2S", "th", "4S", "5S", "10H", "7S"},
                HandFault::RepeatedCard,
                "10H is repeated (cards 3 and 6); the seven cards of a hand are all different"},
            Row{{"AS", "as", "AS", "4S", "5S", "2C", "2c"},
                HandFault::RepeatedCard,
                "AS is repeated (cards 1 and 2); the seven cards of a hand are all different"},
        }) {
        HandCollector hand;
        for (const std::string& token : row.tokens) {
            hand.add(token);
        }
        EXPECT_EQ(hand.fault(), row.fault) << row.message;
        EXPECT_EQ(hand.describeFault(), row.message);
        EXPECT_EQ(hand.given(), row.tokens.size());
    }
}

} // namespace
} // namespace dealwise::cli
