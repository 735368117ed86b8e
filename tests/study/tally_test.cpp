// SPDX-License-Identifier: MIT
#include "study/tally.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <utility>
#include <vector>

#include "study_test_support.h"

namespace dealwise::study {
namespace {

struct Deals {
    int score;
    int deals;
    int wins;
};

StudyTally tallyOf(const std::vector<Deals>& table) {
    StudyTally tally;
    for (const Deals& row : table) {
        for (int i = 0; i < row.deals; ++i) {
            tally.add(row.score, i < row.wins);
        }
    }
    return tally;
}

// The solver's verdicts on the deals of one score, none of them won: the win
// counts are another test's business.
struct Verdicts {
    int score;
    int yes;
    int no;
    int undecided;
    int notAsked;
};

StudyTally tallyOfVerdicts(const std::vector<Verdicts>& table) {
    StudyTally tally;
    for (const Verdicts& row : table) {
        for (const auto& [count, verdict] :
             {std::pair{row.yes, Winnable::Yes}, std::pair{row.no, Winnable::No},
              std::pair{row.undecided, Winnable::Undecided}, std::pair{row.notAsked, Winnable::NotAsked}}) {
            for (int i = 0; i < count; ++i) {
                tally.add(row.score, false, verdict);
            }
        }
    }
    return tally;
}

// Every won deal against every lost one, one by one.
double pairwiseAuc(const std::vector<std::pair<int, bool>>& deals) {
    double beaten = 0.0;
    double pairs = 0.0;
    for (const auto& [winScore, won] : deals) {
        if (!won) {
            continue;
        }
        for (const auto& [lossScore, lost] : deals) {
            if (lost) {
                continue;
            }
            pairs += 1.0;
            beaten += winScore > lossScore ? 1.0 : winScore == lossScore ? 0.5 : 0.0;
        }
    }
    return beaten / pairs;
}

TEST(StudyTally, CountsDealsAndWinsByScore) {
    StudyTally tally;
    tally.add(testing::dealOf(1, "AS 2S 3S 4S 5S 6S 7S", 4, true, 80));
    tally.add(testing::dealOf(2, "AC 2C 3C 4C 5C 6C 7C", 4, false, 30));
    tally.add(testing::dealOf(3, "AD 2D 3D 4D 5D 6D 7D", -2, true, 90));
    EXPECT_EQ(tally.deals(), 3);
    EXPECT_EQ(tally.wins(), 2);
    EXPECT_DOUBLE_EQ(tally.winRate(), 2.0 / 3.0);
    EXPECT_EQ(tally.lowestScore(), -2);
    EXPECT_EQ(tally.highestScore(), 4);
    EXPECT_EQ(tally.dealsWithScore(4), 2);
    EXPECT_EQ(tally.winsWithScore(4), 1);
    EXPECT_EQ(tally.dealsWithScore(-2), 1);
    EXPECT_EQ(tally.dealsWithScore(0), 0);
    EXPECT_EQ(tally.dealsWithScore(5), 0);
    EXPECT_EQ(tally.dealsWithScore(-3), 0);
}

TEST(StudyTally, AnEmptyTallyHasNoRows) {
    const StudyTally tally;
    EXPECT_TRUE(tally.empty());
    EXPECT_EQ(tally.deals(), 0);
    EXPECT_EQ(tally.winRate(), 0.0);
    EXPECT_EQ(tally.winInterval(), (Interval{0.0, 1.0}));
    EXPECT_EQ(tally.lowestScore(), std::nullopt);
    EXPECT_EQ(tally.highestScore(), std::nullopt);
    EXPECT_TRUE(tally.byScore().empty());
    EXPECT_TRUE(tally.thresholds().empty());
    EXPECT_EQ(tally.rocAuc(), std::nullopt);
}

TEST(StudyTally, ByScoreListsTheScoresSeenInOrder) {
    // Added out of order, so that the table grows at both ends.
    const StudyTally tally = tallyOf({{2, 3, 2}, {-1, 2, 0}, {5, 1, 1}, {0, 2, 1}});
    const std::vector<ScoreRow> rows = tally.byScore();
    struct Expected {
        int score;
        std::int64_t deals;
        double share;
        std::int64_t wins;
        double rate;
    };
    const std::vector<Expected> expected = {
        {-1, 2, 0.25, 0, 0.0}, {0, 2, 0.25, 1, 0.5}, {2, 3, 0.375, 2, 2.0 / 3.0}, {5, 1, 0.125, 1, 1.0}};
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].score, expected[i].score) << i;
        EXPECT_EQ(rows[i].deals, expected[i].deals) << i;
        EXPECT_DOUBLE_EQ(rows[i].share, expected[i].share) << i;
        EXPECT_EQ(rows[i].wins, expected[i].wins) << i;
        EXPECT_DOUBLE_EQ(rows[i].winRate, expected[i].rate) << i;
        EXPECT_EQ(rows[i].interval, wilsonInterval(expected[i].wins, expected[i].deals)) << i;
    }
}

TEST(StudyTally, ThresholdsKeepEachScoreAndAbove) {
    const StudyTally tally = tallyOf({{2, 3, 2}, {-1, 2, 0}, {5, 1, 1}, {0, 2, 1}});
    const std::vector<ThresholdRow> rows = tally.thresholds();
    struct Expected {
        int threshold;
        std::int64_t deals;
        std::int64_t wins;
    };
    // 1 and 3 and 4 were scored by no deal: they keep what the next score up keeps.
    const std::vector<Expected> expected = {{-1, 8, 4}, {0, 6, 4}, {1, 4, 3}, {2, 4, 3},
                                            {3, 1, 1},  {4, 1, 1}, {5, 1, 1}};
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].threshold, expected[i].threshold) << i;
        EXPECT_EQ(rows[i].deals, expected[i].deals) << i;
        EXPECT_DOUBLE_EQ(rows[i].share, expected[i].deals / 8.0) << i;
        EXPECT_EQ(rows[i].wins, expected[i].wins) << i;
        EXPECT_DOUBLE_EQ(rows[i].winRate,
                         static_cast<double>(expected[i].wins) / static_cast<double>(expected[i].deals))
            << i;
        EXPECT_EQ(rows[i].interval, wilsonInterval(expected[i].wins, expected[i].deals)) << i;
    }
}

TEST(StudyTally, RocAucOfHandWorkedTables) {
    struct Case {
        const char* what;
        std::vector<Deals> table;
        double auc;
    };
    const std::vector<Case> cases = {
        {"wins all score higher", {{1, 2, 0}, {2, 3, 0}, {3, 4, 4}}, 1.0},
        {"wins all score lower", {{1, 4, 4}, {2, 3, 0}}, 0.0},
        {"one score for all", {{3, 5, 2}}, 0.5},
        {"the same win rate at each score", {{0, 2, 1}, {5, 4, 2}}, 0.5},
        // 3 wins, 5 losses, 15 pairs: the win at 0 beats 2 losses and ties 2
        // (3), each win at 2 beats 4 and ties 1 (4.5 each): 12 of 15.
        {"a small table", {{-1, 2, 0}, {0, 3, 1}, {2, 3, 2}}, 0.8},
        // 2 wins, 2 losses: the win at 1 ties the loss at 1 and loses to the
        // one at 4 (0.5); the win at 7 beats both (2): 2.5 of 4.
        {"a gap between scores", {{1, 2, 1}, {4, 1, 0}, {7, 1, 1}}, 0.625},
    };
    for (const Case& c : cases) {
        const auto auc = tallyOf(c.table).rocAuc();
        ASSERT_TRUE(auc.has_value()) << c.what;
        EXPECT_DOUBLE_EQ(*auc, c.auc) << c.what;
    }
}

TEST(StudyTally, RocAucNeedsAWinAndALoss) {
    EXPECT_EQ(tallyOf({{1, 3, 3}, {4, 2, 2}}).rocAuc(), std::nullopt);
    EXPECT_EQ(tallyOf({{1, 3, 0}, {4, 2, 0}}).rocAuc(), std::nullopt);
}

TEST(StudyTally, RocAucAgreesWithComparingEveryPair) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 20; ++round) {
        std::uniform_int_distribution<int> score(-20, 20);
        std::vector<std::pair<int, bool>> deals;
        StudyTally tally;
        for (int i = 0; i < 300; ++i) {
            const int s = score(random);
            // Higher scores win more often, as a useful score should.
            const bool won = std::uniform_int_distribution<int>(-25, 25)(random) < s;
            deals.emplace_back(s, won);
            tally.add(s, won);
        }
        ASSERT_TRUE(tally.rocAuc().has_value()) << round;
        EXPECT_NEAR(*tally.rocAuc(), pairwiseAuc(deals), 1e-12) << round;
    }
}

// Winnable, decided and undecided deals of one row, and the rate and interval
// that follow from them.
template <typename Row>
void expectVerdicts(const Row& row, std::int64_t winnable, std::int64_t decided, std::int64_t undecided) {
    EXPECT_EQ(row.winnable, winnable);
    EXPECT_EQ(row.decided, decided);
    EXPECT_EQ(row.undecided, undecided);
    EXPECT_DOUBLE_EQ(row.winnableRate, decided == 0 ? 0.0 : 1.0 * winnable / decided);
    EXPECT_EQ(row.winnableInterval, wilsonInterval(winnable, decided));
}

TEST(StudyTally, CountsTheSolversVerdictsByScore) {
    StudyTally tally = tallyOfVerdicts({{-1, 1, 2, 0, 0}, {2, 0, 1, 1, 1}, {4, 0, 0, 1, 0}});
    DealResult deal = testing::dealOf(1, "AS 2S 3S 4S 5S 6S 7S", 2, true, 80);
    deal.winnable = Winnable::Yes;
    tally.add(deal);
    tally.add(4, true); // never asked

    EXPECT_EQ(tally.deals(), 9);
    EXPECT_EQ(tally.wins(), 2);
    EXPECT_EQ(tally.solvedDeals(), 7);
    EXPECT_EQ(tally.decided(), 5);
    EXPECT_EQ(tally.winnable(), 2);
    EXPECT_EQ(tally.undecided(), 2);
    EXPECT_DOUBLE_EQ(tally.winnableRate(), 0.4);
    EXPECT_EQ(tally.winnableInterval(), wilsonInterval(2, 5));

    const std::vector<ScoreRow> rows = tally.byScore();
    ASSERT_EQ(rows.size(), 3U);
    expectVerdicts(rows[0], 1, 3, 0);
    expectVerdicts(rows[1], 1, 2, 1);
    // Nothing decided: a rate of 0 and an interval of the whole of [0, 1].
    expectVerdicts(rows[2], 0, 0, 1);

    const std::vector<ThresholdRow> kept = tally.thresholds();
    ASSERT_EQ(kept.size(), 6U);
    expectVerdicts(kept[0], 2, 5, 2);
    expectVerdicts(kept[1], 1, 2, 2); // 0 and 1: no deal, the same as 2
    expectVerdicts(kept[3], 1, 2, 2);
    expectVerdicts(kept[4], 0, 0, 1);

    EXPECT_EQ(tallyOf({{1, 3, 2}}).solvedDeals(), 0);
}

TEST(StudyTally, WinnableRocAucLeavesOutUndecidedAndUnaskedDeals) {
    struct Case {
        const char* what;
        std::vector<Verdicts> table;
        std::optional<double> auc;
    };
    const std::vector<Case> cases = {
        // 3 winnable, 1 not: the one at 0 ties it (0.5), the two at 2 beat it
        // (2): 2.5 of 3. Counting the undecided deals as not winnable would
        // give 11 of 15, and the unasked ones at 1 would lower it too.
        {"undecided left out", {{0, 1, 1, 3, 0}, {1, 0, 0, 0, 5}, {2, 2, 0, 1, 0}}, 2.5 / 3.0},
        // The one at 1 beats none; the one at 6 beats the one at 3 and ties
        // the one at 6: 1.5 of 4.
        {"winnable both low and high", {{1, 1, 0, 0, 0}, {3, 0, 1, 2, 0}, {6, 1, 1, 0, 0}, {9, 0, 0, 4, 0}}, 0.375},
        {"every decided deal winnable", {{0, 2, 0, 3, 0}, {4, 1, 0, 0, 2}}, std::nullopt},
        {"nothing decided", {{0, 0, 0, 3, 0}, {4, 0, 0, 1, 6}}, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto auc = tallyOfVerdicts(c.table).winnableRocAuc();
        ASSERT_EQ(auc.has_value(), c.auc.has_value()) << c.what;
        if (auc) {
            EXPECT_DOUBLE_EQ(*auc, *c.auc) << c.what;
        }
    }
}

TEST(StudyTally, ScoresOutsideSixteenBitsAreRejected) {
    StudyTally tally;
    tally.add(-32768, true);
    tally.add(32767, false);
    EXPECT_EQ(tally.byScore().size(), 2U);
    EXPECT_THROW(tally.add(32768, true), std::out_of_range);
    EXPECT_THROW(tally.add(-32769, true), std::out_of_range);
    EXPECT_EQ(tally.deals(), 2);
}

} // namespace
} // namespace dealwise::study
