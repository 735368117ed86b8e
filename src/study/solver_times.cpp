// SPDX-License-Identifier: MIT
#include "study/solver_times.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace dealwise::study {
namespace {

// Times below kExact microseconds count one by one; each decade above has
// 900 counts, one for each three-digit leading part 100 .. 999.
constexpr std::uint64_t kExact = 1000;
constexpr int kDecades = 8; // up to 10^11 us, a day being 8.64 * 10^10
constexpr std::size_t kPerDecade = 900;
constexpr std::size_t kCounts = kExact + kDecades * kPerDecade;

std::size_t slotOf(std::uint64_t microseconds) {
    if (microseconds < kExact) {
        return static_cast<std::size_t>(microseconds);
    }
    std::uint64_t leading = microseconds;
    int decade = 0;
    while (leading >= 1000) {
        leading /= 10;
        ++decade;
    }
    if (decade > kDecades) {
        return kCounts - 1;
    }
    return kExact + static_cast<std::size_t>(decade - 1) * kPerDecade + static_cast<std::size_t>(leading - 100);
}

// The smallest time a slot counts.
std::uint64_t lowestOf(std::size_t slot) {
    if (slot < kExact) {
        return slot;
    }
    const std::size_t above = slot - kExact;
    std::uint64_t time = 100 + above % kPerDecade;
    for (std::size_t decade = 0; decade <= above / kPerDecade; ++decade) {
        time *= 10;
    }
    return time;
}

} // namespace

SolverTimes::SolverTimes() : counts_(kCounts, 0) {}

void SolverTimes::add(double seconds) {
    if (!std::isfinite(seconds) || seconds < 0.0) {
        throw std::invalid_argument("not a solver time: " + std::to_string(seconds) + " s");
    }
    addMicroseconds(static_cast<std::uint64_t>(std::llround(std::min(seconds, 1e12) * 1e6)));
}

void SolverTimes::addMicroseconds(std::uint64_t microseconds) {
    ++counts_[slotOf(microseconds)];
    ++count_;
    longest_ = std::max(longest_, microseconds);
}

double SolverTimes::percentile(int p) const {
    if (p < 0 || p > 100) {
        throw std::invalid_argument("percentile " + std::to_string(p) + " is not between 0 and 100");
    }
    if (count_ == 0) {
        return 0.0;
    }
    // The rank, ceil(p * n / 100), in whole numbers: 0.9 * n in doubles can
    // land just above a whole number and pick the next time up.
    const std::uint64_t rank = std::max<std::uint64_t>((static_cast<std::uint64_t>(p) * count_ + 99) / 100, 1);
    if (rank == count_) {
        return max();
    }
    std::uint64_t seen = 0;
    std::size_t slot = 0;
    for (; slot < kCounts; ++slot) {
        seen += counts_[slot];
        if (seen >= rank) {
            break;
        }
    }
    // The slot of the longest time may start above it, and the last slot
    // also holds whatever lies beyond it.
    return double(std::min(lowestOf(slot), longest_)) / 1e6;
}

double SolverTimes::max() const noexcept { return double(longest_) / 1e6; }

} // namespace dealwise::study
