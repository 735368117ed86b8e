// SPDX-License-Identifier: MIT
#include "study/reorder_buffer.h"

#include <stdexcept>
#include <string>

namespace dealwise::study {

ReorderBuffer::ReorderBuffer(std::uint64_t first, std::size_t window) : slots_(window), next_(first) {
    if (window == 0) {
        throw std::invalid_argument("a reorder buffer needs room for one deal");
    }
}

bool ReorderBuffer::waitForRoom(std::uint64_t number) {
    std::unique_lock guard(lock_);
    room_.wait(guard, [&] { return closed_ || number - next_ < slots_.size(); });
    return !closed_;
}

void ReorderBuffer::put(DealResult result) {
    const std::lock_guard guard(lock_);
    if (result.deal < next_ || result.deal - next_ >= slots_.size()) {
        throw std::logic_error("deal " + std::to_string(result.deal) + " was put without room");
    }
    const bool wanted = result.deal == next_;
    slots_[result.deal % slots_.size()] = result;
    if (wanted) {
        ready_.notify_one();
    }
}

std::optional<DealResult> ReorderBuffer::take(std::chrono::milliseconds wait) {
    std::unique_lock guard(lock_);
    std::optional<DealResult>& slot = slots_[next_ % slots_.size()];
    if (!ready_.wait_for(guard, wait, [&] { return slot.has_value(); })) {
        return std::nullopt;
    }
    std::optional<DealResult> result;
    result.swap(slot);
    ++next_;
    room_.notify_all();
    return result;
}

void ReorderBuffer::close() {
    const std::lock_guard guard(lock_);
    closed_ = true;
    room_.notify_all();
}

} // namespace dealwise::study
