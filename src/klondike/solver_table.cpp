// SPDX-License-Identifier: MIT
#include "klondike/solver_table.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace dealwise::klondike::solver {

namespace {

// A stamp is the generation above the open bit and four bits of work.
static_assert(Table::kGenerations <= (std::uint32_t{1} << 27));
constexpr std::uint32_t kOpen = 16;
constexpr std::uint32_t kWork = 15;

std::uint64_t mix(std::uint64_t h, std::uint64_t word, std::uint64_t multiplier) noexcept {
    h = (h ^ word) * multiplier;
    return h ^ (h >> 29);
}

} // namespace

void Table::FreeBlock::operator()(void* block) const noexcept { std::free(block); }

// Every probe of the table lands on a random bucket: in 4 KiB pages nearly
// every one would also miss the address cache, so the block is asked for in
// 2 MiB pages where the system offers them. A zero stamp is no generation's,
// so zeroed memory is an empty table; it is written through once here, so
// that the system's cost of handing out the pages is paid up front and not
// on the clock of the first deals.
void Table::allocate(std::size_t buckets) {
    static_assert(std::is_trivially_copyable_v<Bucket> && sizeof(Bucket) == 64,
                  "zeroed memory is an empty bucket, one cache line");
    constexpr std::size_t kHugePage = std::size_t{2} << 20;
    const std::size_t bytes = buckets * sizeof(Bucket);
    block_.reset(std::calloc(bytes + kHugePage, 1));
    if (!block_) {
        throw std::bad_alloc();
    }
    const auto address = reinterpret_cast<std::uintptr_t>(block_.get());
    const std::uintptr_t aligned = (address + kHugePage - 1) / kHugePage * kHugePage;
    void* start = reinterpret_cast<void*>(aligned);
#if defined(MADV_HUGEPAGE)
    madvise(start, bytes, MADV_HUGEPAGE);
#endif
    std::memset(start, 0, bytes);
    buckets_ = static_cast<Bucket*>(start);
}

void Table::reset(unsigned bits) {
    if (bits != bits_ || buckets_ == nullptr) {
        bits_ = bits;
        mask_ = (std::size_t{1} << bits) - 1;
        allocate(mask_ + 1);
        generation_ = 0;
    }
    if (++generation_ == kGenerations) {
        std::fill_n(buckets_, mask_ + 1, Bucket{});
        generation_ = 1;
    }
}

Table::Hashes Table::hashesOf(const KeyHash& key, std::uint32_t extra) const noexcept {
    std::uint64_t h1 = mix(0x9E3779B97F4A7C15ULL, key[0], 0xBF58476D1CE4E5B9ULL);
    std::uint64_t h2 = mix(0xD6E8FEB86659FD93ULL, key[1], 0x94D049BB133111EBULL);
    if (extra != 0) {
        h1 = mix(h1, extra, 0xBF58476D1CE4E5B9ULL);
        h2 = mix(h2, extra, 0x94D049BB133111EBULL);
    }
    h1 *= 0xFF51AFD7ED558CCDULL;
    return {h1, static_cast<std::uint8_t>(h2 >> 56), ((h2 & 0xFFFFFFFFU) ^ (h1 >> 40)) & mask_};
}

void Table::prefetch(const Hashes& key) const noexcept { __builtin_prefetch(&buckets_[key.bucket]); }

Table::Held Table::heldBy(const Entry& entry, Reach reach) noexcept {
    if (!reachedAlready(entry, reach)) {
        return Held::No;
    }
    if ((entry.stamp & kWork) == kPinned) {
        return Held::OnLine;
    }
    return (entry.stamp & kOpen) != 0 ? Held::Open : Held::Lost;
}

Table::Held Table::holds(const Hashes& key, Reach reach) const noexcept {
    for (const Entry& entry : buckets_[key.bucket].entries) {
        if (isOf(entry, key)) {
            return heldBy(entry, reach);
        }
    }
    return Held::No;
}

std::int64_t Table::enter(const Hashes& key, Reach reach, Held& held) noexcept {
    const auto [h1, check2, index] = key;
    Bucket& bucket = buckets_[index];
    const auto slotOf = [&](std::size_t way) {
        return static_cast<std::int64_t>(std::size_t(&bucket - buckets_) * kWays + way);
    };

    // The slot to give up: a stale one first, else the least work; never a pinned one.
    std::int64_t victim = kNoSlot;
    std::uint32_t victimCost = kPinned + 1;
    for (std::size_t way = 0; way < kWays; ++way) {
        Entry& entry = bucket.entries[way];
        const bool current = (entry.stamp >> 5) == generation_;
        if (isOf(entry, key)) {
            held = heldBy(entry, reach);
            if (held != Held::No) {
                return slotOf(way);
            }
            entry.checkAndReach |= reach;
            if ((entry.stamp & kWork) == kPinned) {
                return kNoSlot; // the position on the line keeps it pinned, and leaves it
            }
            entry.stamp = generation_ << 5 | (entry.stamp & kOpen) | kPinned;
            return slotOf(way);
        }
        const std::uint32_t cost = current ? (entry.stamp & kWork) + 1 : 0;
        if (cost < victimCost) {
            victim = static_cast<std::int64_t>(way);
            victimCost = cost;
        }
    }
    held = Held::No;
    if (victim == kNoSlot) {
        return kNoSlot;
    }
    bucket.entries[victim] = {h1, std::uint32_t{check2} << 24 | (reach & kAllReach), generation_ << 5 | kPinned};
    return slotOf(std::size_t(victim));
}

Table::Entry& Table::at(std::int64_t slot) noexcept {
    return buckets_[std::size_t(slot) / kWays].entries[std::size_t(slot) % kWays];
}

void Table::leave(std::int64_t slot, std::uint64_t positions, bool open) noexcept {
    if (slot == kNoSlot) {
        return;
    }
    const auto work = std::min<std::uint32_t>(kPinned - 1, static_cast<std::uint32_t>(std::bit_width(positions)));
    Entry& entry = at(slot);
    // An entry open before stays open: a position met before under its key may still wait on its line.
    entry.stamp = generation_ << 5 | (entry.stamp & kOpen) | (open ? kOpen : 0) | work;
}

void Table::settle(std::int64_t slot, const Hashes& key) noexcept {
    Entry& entry = at(slot);
    if (isOf(entry, key) && (entry.stamp & kWork) != kPinned) {
        entry.stamp &= ~kOpen;
    }
}

void Table::forget(std::int64_t slot) noexcept {
    if (slot != kNoSlot) {
        at(slot).stamp = 0;
    }
}

} // namespace dealwise::klondike::solver
