// SPDX-License-Identifier: MIT
#include "progress_bar.h"

#include <ostream>
#include <string>

#include "formatted.h"

namespace dealwise::study {

void ProgressBar::operator()(std::uint64_t done) {
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    const double rate = seconds > 0 ? double(done) / seconds : 0.0;
    const double left = rate > 0 ? double(total_ - done) / rate : 0.0;
    constexpr int kWidth = 30;
    const int filled = static_cast<int>(kWidth * double(done) / double(total_));
    std::string bar(std::size_t(filled), '#');
    bar.resize(kWidth, '.');
    out_ << formatted("\r[%s] %3d%%  %llu/%llu deals  %.1fk deals/s  %d:%02d left ", bar.c_str(),
                      int(100.0 * double(done) / double(total_)), static_cast<unsigned long long>(done),
                      static_cast<unsigned long long>(total_), rate / 1000.0, int(left) / 60, int(left) % 60);
    if (done == total_) {
        out_ << '\n';
    }
    out_.flush();
}

} // namespace dealwise::study
