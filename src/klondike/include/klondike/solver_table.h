// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>

#include "klondike/solver_position.h"

namespace dealwise::klondike::solver {

// The positions a search has entered, in a fixed block of memory: four to a
// 64-byte bucket, and when a bucket is full the position that took the least
// work to search gives way. Positions on the current line of play are pinned.
// A table reused for the next deal forgets the last one by its generation,
// without clearing a byte.
//
// A position is kept as 96 bits of two hashes of its key rather than the
// 225-bit key itself, which halves the memory a position takes. Two of the
// ten million positions of a hard deal share those bits with a chance of
// about one in 10^15.
class Table {
public:
    static constexpr std::int64_t kNoSlot = -1;
    // The generations a stamp tells apart: when the count comes round, the
    // table is cleared once.
    static constexpr std::uint32_t kGenerations = 1U << 28;

    // Where a key is kept: computed once a position, however often it is looked up.
    struct Hashes {
        std::uint64_t check = 0;
        std::uint32_t check2 = 0;
        std::size_t bucket = 0;
    };
    [[nodiscard]] Hashes hashesOf(const Key& key) const noexcept;

    // Makes the table 4 << bits positions large and empty.
    void reset(unsigned bits);

    // The slot of `key`, inserted and pinned when new (`found` false); kNoSlot
    // when it is new and its bucket is all pinned.
    [[nodiscard]] std::int64_t enter(const Hashes& key, bool& found) noexcept;
    // Starts bringing the bucket of `key` into the cache, so that looking up
    // the children of a position costs one wait for memory, not one each.
    void prefetch(const Hashes& key) const noexcept;
    // Unpins a slot whose search took about `positions` positions.
    void leave(std::int64_t slot, std::uint64_t positions) noexcept;

private:
    static constexpr std::uint32_t kPinned = 15;
    static constexpr std::size_t kWays = 4;

    struct Entry {
        std::uint64_t check = 0;
        std::uint32_t check2 = 0;
        std::uint32_t stamp = 0; // generation << 4 | work, log 2 of the positions searched
    };
    struct alignas(64) Bucket {
        Entry entries[kWays];
    };

    struct FreeBlock {
        void operator()(void* block) const noexcept;
    };
    void allocate(std::size_t buckets);

    std::unique_ptr<void, FreeBlock> block_;
    Bucket* buckets_ = nullptr; // inside block_, on a 2 MiB boundary
    std::size_t mask_ = 0;
    std::uint32_t generation_ = 0;
    unsigned bits_ = 0;
};

} // namespace dealwise::klondike::solver
