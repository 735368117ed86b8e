// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace dealwise::study {

// The normal quantile for a two-sided 95 % interval.
inline constexpr double kZ95 = 1.959963984540054;

struct Interval {
    double low = 0.0;
    double high = 1.0;

    friend bool operator==(const Interval&, const Interval&) = default;
};

// The Wilson score interval of a win rate of `wins` out of `n` deals (no
// continuity correction). Unlike the plain "rate plus or minus z standard
// errors" it stays inside [0, 1] and does not shrink to a point at 0 or n
// wins, which matters for the rare high and low scores.
//
// With n = 0 there is no evidence at all, so the interval is the whole of
// [0, 1]: every rate is still possible. At 0 wins the low end is exactly 0,
// at n wins the high end exactly 1. Throws std::invalid_argument unless
// 0 <= wins <= n and z > 0.
[[nodiscard]] Interval wilsonInterval(std::int64_t wins, std::int64_t n, double z = kZ95);

} // namespace dealwise::study
