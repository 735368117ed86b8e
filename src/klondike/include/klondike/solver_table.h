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
// A position is kept as 72 bits of two hashes of its key rather than the
// 200-bit key itself, which halves the memory a position takes; with the
// bits that choose its bucket, two of the ten million positions of a hard
// deal pass for one with a chance of about one in 10^12.
//
// The key leaves out the waste. Beside it an entry keeps the talon cards
// that turning brought within reach in the positions entered under it, one
// bit a talon index. A position whose reachable talon cards are all among
// them is not searched again, because the positions entered already could
// make every move it could: the same plays from the talon, to the same
// positions, and the same moves on the tableau, to positions with the same
// cards within reach as before. So whatever wins from it wins from one of
// them. (Moves on the tableau leave the talon and the waste alone.)
//
// A position searched to the end without a win is lost only if its search
// met no position on the line of play above it: one that did is open, cut
// where the line would go on, and the search tells the table once the line
// above has ended too (settle). For positions met again either is the same;
// only a lost one may stand for positions other than itself.
class Table {
public:
    static constexpr std::int64_t kNoSlot = -1;
    // The generations a stamp tells apart: when the count comes round, the
    // table is cleared once.
    static constexpr std::uint32_t kGenerations = 1U << 27;

    // Where a key is kept: computed once a position, however often it is looked up.
    struct Hashes {
        std::uint64_t check = 0;
        std::uint8_t check2 = 0;
        std::size_t bucket = 0;
    };
    // The talon indices that turning alone brings to the top of the waste:
    // Position::reachableTalon.
    using Reach = std::uint32_t;
    static constexpr Reach kAllReach = (Reach{1} << 24) - 1;
    // `extra`, when not 0, is hashed as one more word of the key.
    [[nodiscard]] Hashes hashesOf(const KeyHash& key, std::uint32_t extra = 0) const noexcept;

    // Makes the table 4 << bits positions large and empty.
    void reset(unsigned bits);

    // What the table knows of a position.
    enum class Held : std::uint8_t {
        No,     // not entered, or not with all of its reach
        Lost,   // searched to the end, and lost whatever line led there
        Open,   // searched to the end without a win, but the search was cut
                // where it met positions on the line of play of its time
        OnLine, // on the line of play now
    };
    // Whether a position under `key` with all of `reach` within reach was
    // entered before, and how. When not, `reach` joins the entry, and the slot
    // to leave when the search of this position ends is returned, pinned:
    // kNoSlot when the entry is already pinned by a position on the line of
    // play, or when the key is new and its bucket is all pinned.
    [[nodiscard]] std::int64_t enter(const Hashes& key, Reach reach, Held& held) noexcept;
    // What enter would find, without entering it.
    [[nodiscard]] Held holds(const Hashes& key, Reach reach) const noexcept;
    // Starts bringing the bucket of `key` into the cache, so that looking up
    // the children of a position costs one wait for memory, not one each.
    void prefetch(const Hashes& key) const noexcept;
    // Unpins a slot whose search took about `positions` positions; `open`
    // when it was cut where it met the line of play above it.
    void leave(std::int64_t slot, std::uint64_t positions, bool open) noexcept;
    // The search that cut an open slot's search ended without a win: what it
    // met is lost. Unless the slot has been given to another key since.
    void settle(std::int64_t slot, const Hashes& key) noexcept;
    // Drops a slot whose search was stopped before it ended: the table keeps
    // only positions searched to the end (or on the line of play), so that a
    // search begun again with it still reaches every position it must.
    void forget(std::int64_t slot) noexcept;

private:
    static constexpr std::uint32_t kPinned = 15;
    static constexpr std::size_t kWays = 4;

    struct Entry {
        std::uint64_t check = 0;
        std::uint32_t checkAndReach = 0; // check2 << 24 | reach
        std::uint32_t stamp = 0;         // generation << 5 | open << 4 | work, log 2 of the positions searched
    };
    struct alignas(64) Bucket {
        Entry entries[kWays];
    };
    [[nodiscard]] bool isOf(const Entry& entry, const Hashes& key) const noexcept {
        return (entry.stamp >> 5) == generation_ && entry.check == key.check && entry.checkAndReach >> 24 == key.check2;
    }
    // Every talon card in `reach` was within reach of a position entered under the entry's key.
    [[nodiscard]] static bool reachedAlready(const Entry& entry, Reach reach) noexcept {
        return (reach & ~entry.checkAndReach & kAllReach) == 0;
    }

    [[nodiscard]] static Held heldBy(const Entry& entry, Reach reach) noexcept;
    [[nodiscard]] Entry& at(std::int64_t slot) noexcept;

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
