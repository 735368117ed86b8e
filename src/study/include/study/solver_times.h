#pragma once

#include <cstddef>
#include <vector>

namespace dealwise::study {

// The exact solver's time on each deal it was asked about, in seconds, for
// the spread of those times. Every time is kept, since percentiles cannot be
// merged from the percentiles of the parts; a million deals take 8 MB.
class SolverTimes {
public:
    // Throws std::invalid_argument for a negative or non-finite time, which
    // no clock gives and which would leave the times without an order.
    void add(double seconds);
    void merge(const SolverTimes& other);

    [[nodiscard]] bool empty() const noexcept { return seconds_.empty(); }
    [[nodiscard]] std::size_t count() const noexcept { return seconds_.size(); }

    // The p-th percentile by the nearest-rank method: the smallest time that
    // at least p % of the times do not exceed. It is always a time that was
    // measured, never an interpolation between two; the median of an even
    // count is the lower of the middle two. 0 when there are no times; p from
    // 0 (the shortest time) to 100 (the longest), else std::invalid_argument.
    [[nodiscard]] double percentile(int p) const;
    [[nodiscard]] double median() const { return percentile(50); }
    [[nodiscard]] double percentile90() const { return percentile(90); }
    [[nodiscard]] double percentile99() const { return percentile(99); }
    [[nodiscard]] double max() const noexcept;

private:
    std::vector<double> seconds_;
};

} // namespace dealwise::study
