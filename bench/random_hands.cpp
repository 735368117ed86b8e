// SPDX-License-Identifier: MIT
// Writes random seven-card hands, one a line, for timing `dealwise-score
// --batch`. The same count and seed always give the same bytes.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "random_hands.h"

int main(int argc, char** argv) {
    if (argc > 3) {
        std::fputs("usage: dealwise_random_hands [COUNT [SEED]]\n", stderr);
        return 2;
    }
    const unsigned long long count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000ULL;
    const unsigned long long seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 20240601ULL;

    dealwise::bench::SplitMix64 random(seed);
    std::string block;
    block.reserve(1 << 17);
    for (unsigned long long i = 0; i < count; ++i) {
        dealwise::bench::appendHandLine(block, dealwise::bench::randomHand(random));
        if (block.size() >= (1 << 16)) {
            std::fwrite(block.data(), 1, block.size(), stdout);
            block.clear();
        }
    }
    std::fwrite(block.data(), 1, block.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
