#include "study/solver_times.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace dealwise::study {

void SolverTimes::add(double seconds) {
    if (!std::isfinite(seconds) || seconds < 0.0) {
        throw std::invalid_argument("not a solver time: " + std::to_string(seconds) + " s");
    }
    seconds_.push_back(seconds);
}

void SolverTimes::merge(const SolverTimes& other) {
    // Inserting a vector's own range into it is undefined.
    if (&other == this) {
        const std::vector<double> copy = seconds_;
        seconds_.insert(seconds_.end(), copy.begin(), copy.end());
        return;
    }
    seconds_.insert(seconds_.end(), other.seconds_.begin(), other.seconds_.end());
}

double SolverTimes::percentile(int p) const {
    if (p < 0 || p > 100) {
        throw std::invalid_argument("percentile " + std::to_string(p) + " is not between 0 and 100");
    }
    if (seconds_.empty()) {
        return 0.0;
    }
    // The rank, ceil(p * n / 100), in whole numbers: 0.9 * n in doubles can
    // land just above a whole number and pick the next time up.
    const auto n = static_cast<std::int64_t>(seconds_.size());
    const std::int64_t rank = std::max<std::int64_t>((p * n + 99) / 100, 1);
    // A copy, partly ordered: the figures are asked for a handful of times, at
    // the end of a study.
    std::vector<double> ordered = seconds_;
    const auto at = ordered.begin() + (rank - 1);
    std::nth_element(ordered.begin(), at, ordered.end());
    return *at;
}

double SolverTimes::max() const noexcept {
    return seconds_.empty() ? 0.0 : *std::max_element(seconds_.begin(), seconds_.end());
}

} // namespace dealwise::study
