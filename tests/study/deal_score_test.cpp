// SPDX-License-Identifier: MIT
#include "study/deal_score.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "klondike/deal.h"

namespace dealwise::study {
namespace {

TEST(StudyDealScore, ScoresTheFaceUpCardsOfKnownDeals) {
    // Deal 10's face-up cards, left to right, AS 6S 10H 8D AD 7H 2D, score 1.
    EXPECT_EQ(dealwiseScore(klondike::dealNumber(10)), 1);

    // Read off a study of deals 1 to 3000: its first deals and the lowest and
    // highest scores among them.
    const struct {
        std::uint64_t deal;
        int score;
    } known[] = {{1, -4}, {2, 0},  {3, -2},    {4, -5},    {5, -9},     {6, 4},   {7, 0},    {8, -2},
                 {9, -4}, {16, 2}, {110, -14}, {262, -14}, {2630, -14}, {821, 7}, {1844, 7}, {1729, 8}};
    for (const auto& [deal, score] : known) {
        EXPECT_EQ(dealwiseScore(klondike::dealNumber(deal)), score) << "deal " << deal;
    }
}

} // namespace
} // namespace dealwise::study
