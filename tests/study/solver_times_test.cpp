// SPDX-License-Identifier: MIT
#include "study/solver_times.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>
#include <stdexcept>
#include <vector>

namespace dealwise::study {
namespace {

SolverTimes timesOf(const std::vector<double>& seconds) {
    SolverTimes times;
    for (const double s : seconds) {
        times.add(s);
    }
    return times;
}

TEST(SolverTimes, NearestRankPercentilesOfSmallSets) {
    const SolverTimes none;
    EXPECT_EQ(none.median() + none.percentile90() + none.percentile99() + none.max(), 0.0);

    const SolverTimes one = timesOf({0.25});
    EXPECT_EQ(one.percentile(0), 0.25);
    EXPECT_EQ(one.median(), 0.25);
    EXPECT_EQ(one.percentile99(), 0.25);

    // Added out of order: the figures must not depend on it.
    const SolverTimes odd = timesOf({5.0, 1.0, 4.0, 2.0, 3.0});
    EXPECT_EQ(odd.median(), 3.0);
    EXPECT_EQ(odd.percentile(20), 1.0); // rank 1 of 5
    EXPECT_EQ(odd.percentile(21), 2.0); // rank 1.05, rounded up
    EXPECT_EQ(odd.percentile90(), 5.0);
    EXPECT_EQ(odd.max(), 5.0);

    // The lower of the middle two, never their mean.
    const SolverTimes even = timesOf({4.0, 1.0, 3.0, 2.0});
    EXPECT_EQ(even.median(), 2.0);
    EXPECT_EQ(even.percentile(76), 4.0);

    // 0.9 * 10 is a whole number only on paper: the rank must not slip to the
    // next time up.
    EXPECT_EQ(timesOf({1.0, 0.9, 0.8, 0.7, 0.6, 0.5, 0.4, 0.3, 0.2, 0.1}).percentile90(), 0.9);
}

TEST(SolverTimes, RejectsWhatNoClockGives) {
    SolverTimes times = timesOf({0.5, 0.1, 0.9});

    for (const double bad :
         {-0.001, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        EXPECT_THROW(times.add(bad), std::invalid_argument) << bad;
    }
    EXPECT_EQ(times.count(), 3U);
    EXPECT_THROW((void)times.percentile(-1), std::invalid_argument);
    EXPECT_THROW((void)times.percentile(101), std::invalid_argument);
}

// Random times over six decades against the exact nearest-rank figures of
// the same times: never above, and at most 1 % below.
TEST(SolverTimes, PercentilesKeepThreeDigitsOfTheExactOnes) {
    std::mt19937_64 random(20240611);
    std::lognormal_distribution<double> microseconds(7.0, 3.0);
    for (const int count : {1, 2, 7, 100, 5000}) {
        SolverTimes times;
        std::vector<std::uint64_t> exact;
        for (int i = 0; i < count; ++i) {
            const auto time = static_cast<std::uint64_t>(std::min(microseconds(random), 1e12));
            times.addMicroseconds(time);
            exact.push_back(time);
        }
        std::sort(exact.begin(), exact.end());
        for (int p = 0; p <= 100; ++p) {
            const std::size_t rank = std::max<std::size_t>((std::size_t(p) * exact.size() + 99) / 100, 1);
            const double expected = double(exact[rank - 1]) / 1e6;
            const double found = times.percentile(p);
            EXPECT_LE(found, expected) << count << " times, percentile " << p;
            EXPECT_GE(found, exact[rank - 1] < 1000 ? expected : expected * 0.99)
                << count << " times, percentile " << p;
        }
        EXPECT_EQ(times.max(), double(exact.back()) / 1e6);
        EXPECT_EQ(times.count(), exact.size());
    }
}

TEST(SolverTimes, CountsEachMicrosecondBelowAMillisecondAndThreeDigitsAbove) {
    SolverTimes times;
    for (const std::uint64_t time : {999U, 1000U, 1009U, 1010U, 123456789U}) {
        times.addMicroseconds(time);
    }
    EXPECT_EQ(times.percentile(20), 999e-6);
    EXPECT_EQ(times.percentile(40), 1000e-6);
    EXPECT_EQ(times.percentile(60), 1000e-6); // 1009 keeps its first three digits
    EXPECT_EQ(times.percentile(80), 1010e-6);
    EXPECT_EQ(times.percentile(100), 123.456789); // the longest, exactly
    EXPECT_EQ(times.percentile(99), 123.456789);
}

} // namespace
} // namespace dealwise::study
