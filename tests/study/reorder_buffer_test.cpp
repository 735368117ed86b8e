// SPDX-License-Identifier: MIT
#include "study/reorder_buffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <random>
#include <stdexcept>
#include <thread>
#include <vector>

namespace dealwise::study {
namespace {

using std::chrono::milliseconds;

DealResult deal(std::uint64_t number) {
    DealResult result;
    result.deal = number;
    result.moves = static_cast<int>(number * 3);
    return result;
}

TEST(StudyReorderBuffer, HandsDealsOnInOrderWhateverOrderTheyCome) {
    ReorderBuffer buffer(10, 4);
    EXPECT_FALSE(buffer.take(milliseconds(0)));
    for (const std::uint64_t number : {12, 11, 13}) {
        ASSERT_TRUE(buffer.waitForRoom(number));
        buffer.put(deal(number));
    }
    // 11 to 13 are done, but 10 is not: nothing can go yet.
    EXPECT_FALSE(buffer.take(milliseconds(0)));
    buffer.put(deal(10));
    std::vector<std::uint64_t> taken;
    while (const auto result = buffer.take(milliseconds(0))) {
        taken.push_back(result->deal);
        EXPECT_EQ(result->moves, static_cast<int>(result->deal * 3));
    }
    EXPECT_EQ(taken, (std::vector<std::uint64_t>{10, 11, 12, 13}));
    // Taking 10 to 13 made room for 14 to 17, not 18.
    buffer.put(deal(17));
    EXPECT_THROW(buffer.put(deal(18)), std::logic_error);
    EXPECT_THROW(buffer.put(deal(9)), std::logic_error);
    EXPECT_THROW(ReorderBuffer(1, 0), std::invalid_argument);
}

TEST(StudyReorderBuffer, KeepsWorkersWithinTheWindowAndLetsThemGoWhenClosed) {
    constexpr std::uint64_t kDeals = 2000;
    constexpr std::size_t kWindow = 8;
    ReorderBuffer buffer(1, kWindow);
    std::atomic<std::uint64_t> next{1};
    std::atomic<std::uint64_t> handedOn{0};
    std::atomic<bool> tooFarAhead{false};
    const auto work = [&] {
        std::mt19937 random(static_cast<unsigned>(next.load()));
        for (std::uint64_t number = next++; number <= kDeals; number = next++) {
            if (!buffer.waitForRoom(number)) {
                return;
            }
            // Deals handed on so far, plus the window, bound how far any
            // worker runs; one more, as the count is set after the take.
            tooFarAhead = tooFarAhead || number > handedOn.load() + kWindow + 1;
            if (random() % 4 == 0) {
                std::this_thread::yield();
            }
            buffer.put(deal(number));
        }
    };
    std::vector<std::thread> workers;
    for (int i = 0; i < 4; ++i) {
        workers.emplace_back(work);
    }
    for (std::uint64_t expected = 1; expected <= kDeals / 2; ++expected) {
        std::optional<DealResult> result;
        while (!(result = buffer.take(milliseconds(50)))) {
        }
        ASSERT_EQ(result->deal, expected);
        handedOn = expected;
    }
    // Half-way: the workers, blocked at the window's edge, must all stop.
    buffer.close();
    for (std::thread& worker : workers) {
        worker.join();
    }
    EXPECT_FALSE(tooFarAhead);
    EXPECT_FALSE(buffer.waitForRoom(kDeals / 2 + 1));
}

} // namespace
} // namespace dealwise::study
