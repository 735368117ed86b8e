// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "study/deal_result.h"

namespace dealwise::study {

// Deals finished by the worker threads in any order, handed on in deal
// order. It holds at most `window` deals: a worker that runs that far ahead
// of the oldest deal not yet handed on waits, so the memory stays the same
// however long the study.
class ReorderBuffer {
public:
    ReorderBuffer(std::uint64_t first, std::size_t window);

    // Waits until deal `number` fits; false when the buffer was closed
    // first, and the deal should then not be played.
    [[nodiscard]] bool waitForRoom(std::uint64_t number);
    // A deal that waitForRoom let in.
    void put(DealResult result);
    // The next deal in order, waiting for it at most `wait`; empty when it
    // is not done by then.
    [[nodiscard]] std::optional<DealResult> take(std::chrono::milliseconds wait);
    // Lets every waiting worker go, without room.
    void close();

private:
    std::mutex lock_;
    std::condition_variable room_;
    std::condition_variable ready_;
    std::vector<std::optional<DealResult>> slots_;
    std::uint64_t next_;
    bool closed_ = false;
};

} // namespace dealwise::study
