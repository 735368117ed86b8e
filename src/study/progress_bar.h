// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <cstdint>
#include <iosfwd>

namespace dealwise::study {

// "[#####.....]  45%  123456/1000000 deals  5.2k deals/s  0:15 left", redrawn
// in place on `out`, which should be a terminal: anywhere else the carriage
// returns would pile every redraw into one long line.
class ProgressBar {
public:
    ProgressBar(std::uint64_t total, std::ostream& out) : total_(total), out_(out) {}

    void operator()(std::uint64_t done);

private:
    std::uint64_t total_;
    std::ostream& out_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

} // namespace dealwise::study
