// SPDX-License-Identifier: MIT
#include "study/wilson.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace dealwise::study {
namespace {

struct Case {
    std::int64_t wins;
    std::int64_t n;
    double low;
    double high;
    double tolerance;
};

TEST(WilsonInterval, MatchesPublishedValues) {
    const Case cases[] = {
        // Newcombe, "Two-sided confidence intervals for the single proportion",
        // Statistics in Medicine 17 (1998): its examples, by the score method.
        {81, 263, 0.2553, 0.3662, 5e-5},
        {15, 148, 0.0624, 0.1605, 5e-5},
        {0, 20, 0.0, 0.1611, 5e-5},
        {1, 29, 0.0061, 0.1718, 5e-5},
        // Wilson's formula worked separately, to six places.
        {5, 10, 0.236593, 0.763407, 5e-7},
        {0, 10, 0.0, 0.277533, 5e-7},
        {10, 10, 0.722467, 1.0, 5e-7},
        {1, 1, 0.206549, 1.0, 5e-7},
        {81945, 100000, 0.817054, 0.821822, 5e-7},
    };
    for (const Case& c : cases) {
        const Interval interval = wilsonInterval(c.wins, c.n);
        EXPECT_NEAR(interval.low, c.low, c.tolerance) << c.wins << " of " << c.n;
        EXPECT_NEAR(interval.high, c.high, c.tolerance) << c.wins << " of " << c.n;
    }
}

TEST(WilsonInterval, EdgesAreExact) {
    for (const std::int64_t n : {1, 2, 3, 10, 1000, 1000000}) {
        EXPECT_EQ(wilsonInterval(0, n).low, 0.0) << n;
        EXPECT_EQ(wilsonInterval(n, n).high, 1.0) << n;
        EXPECT_GT(wilsonInterval(0, n).high, 0.0) << n;
        EXPECT_LT(wilsonInterval(n, n).low, 1.0) << n;
    }
}

TEST(WilsonInterval, NoDealsLeaveEveryRatePossible) { EXPECT_EQ(wilsonInterval(0, 0), (Interval{0.0, 1.0})); }

TEST(WilsonInterval, TakesOtherQuantiles) {
    // z = 1: centre 0.5, half width (1 / 1.1) * sqrt(0.025 + 0.0025).
    const Interval interval = wilsonInterval(5, 10, 1.0);
    EXPECT_NEAR(interval.low, 0.349244, 5e-7);
    EXPECT_NEAR(interval.high, 0.650756, 5e-7);
}

TEST(WilsonInterval, RejectsImpossibleCounts) {
    EXPECT_THROW((void)wilsonInterval(-1, 10), std::invalid_argument);
    EXPECT_THROW((void)wilsonInterval(11, 10), std::invalid_argument);
    EXPECT_THROW((void)wilsonInterval(0, -1), std::invalid_argument);
    EXPECT_THROW((void)wilsonInterval(1, 0), std::invalid_argument);
    EXPECT_THROW((void)wilsonInterval(5, 10, 0.0), std::invalid_argument);
    EXPECT_THROW((void)wilsonInterval(5, 10, -1.96), std::invalid_argument);
}

} // namespace
} // namespace dealwise::study
