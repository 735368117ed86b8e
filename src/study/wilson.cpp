// SPDX-License-Identifier: MIT
#include "study/wilson.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace dealwise::study {

Interval wilsonInterval(std::int64_t wins, std::int64_t n, double z) {
    if (n < 0 || wins < 0 || wins > n) {
        throw std::invalid_argument("a win count of " + std::to_string(wins) + " out of " + std::to_string(n) +
                                    " deals");
    }
    if (!(z > 0.0) || !std::isfinite(z)) {
        throw std::invalid_argument("the quantile of an interval must be positive and finite");
    }
    if (n == 0) {
        return {0.0, 1.0};
    }
    const double trials = static_cast<double>(n);
    const double rate = static_cast<double>(wins) / trials;
    const double z2 = z * z;
    const double denominator = 1.0 + z2 / trials;
    const double centre = (rate + z2 / (2.0 * trials)) / denominator;
    const double halfWidth = z / denominator * std::sqrt(rate * (1.0 - rate) / trials + z2 / (4.0 * trials * trials));
    // At the edges the formula gives 0 and 1 only up to rounding; the exact
    // values keep "0 of 10" from printing as a tiny negative rate.
    const double low = wins == 0 ? 0.0 : std::clamp(centre - halfWidth, 0.0, 1.0);
    const double high = wins == n ? 1.0 : std::clamp(centre + halfWidth, 0.0, 1.0);
    return {low, high};
}

} // namespace dealwise::study
