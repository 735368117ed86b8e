// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

namespace dealwise::study {

// The exact solver's time on each deal it was asked about, for the spread of
// those times, in a histogram of fixed size so that a study of any length
// takes the same memory. Times are counted in whole microseconds, as the CSV
// writes them, so that the times read back from a CSV give the same figures
// as those counted while it was written. Below 1 ms every microsecond has its
// own count; above, a time is kept to three significant digits, rounded
// down (1234567 us counts as 1230000 us), so a percentile is at most 1 %
// below the time it stands for. Times beyond a day and a bit share the last
// count. The longest time is kept exactly.
class SolverTimes {
public:
    SolverTimes();

    // Rounded to the microsecond. Throws std::invalid_argument for a negative
    // or non-finite time, which no clock gives and which would leave the
    // times without an order.
    void add(double seconds);
    void addMicroseconds(std::uint64_t microseconds);

    [[nodiscard]] bool empty() const noexcept { return count_ == 0; }
    [[nodiscard]] std::uint64_t count() const noexcept { return count_; }

    // The p-th percentile by the nearest-rank method: the smallest time that
    // at least p % of the times do not exceed, to the histogram's precision.
    // The median of an even count is the lower of the middle two. 0 when
    // there are no times; p from 0 (the shortest time) to 100 (the longest),
    // else std::invalid_argument.
    [[nodiscard]] double percentile(int p) const;
    [[nodiscard]] double median() const { return percentile(50); }
    [[nodiscard]] double percentile90() const { return percentile(90); }
    [[nodiscard]] double percentile99() const { return percentile(99); }
    [[nodiscard]] double max() const noexcept;

private:
    std::vector<std::uint64_t> counts_;
    std::uint64_t count_ = 0;
    std::uint64_t longest_ = 0; // microseconds
};

} // namespace dealwise::study
