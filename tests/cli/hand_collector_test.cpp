// SPDX-License-Identifier: MIT
#include "cli/hand_collector.h"

#include <gtest/gtest.h>

#include <string>

namespace dealwise::cli {
namespace {

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
