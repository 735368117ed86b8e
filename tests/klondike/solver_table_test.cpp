// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cstdint>

#include "klondike/solver_table.h"

namespace dealwise::klondike::solver {
namespace {

// A table of one bucket of four: every key lands in it.
KeyHash keyNumber(std::uint32_t number) { return KeyHash{number, 1}; }

struct Entered {
    std::int64_t slot = Table::kNoSlot;
    Table::Held held = Table::Held::No;
    bool found = false;
};

// Every look into the table below asks first whether the table holds the
// position, which must be what entering it then finds.
Entered enter(Table& table, std::uint32_t number, Table::Reach reach = 1) {
    Entered entered;
    const Table::Hashes hashes = table.hashesOf(keyNumber(number));
    const Table::Held held = table.holds(hashes, reach);
    entered.slot = table.enter(hashes, reach, entered.held);
    entered.found = entered.held != Table::Held::No;
    EXPECT_EQ(held, entered.held) << "key " << number << ", reach " << reach;
    return entered;
}

TEST(SolverTable, AFullBucketGivesUpTheLeastWorkAndNeverAPinnedPosition) {
    Table table;
    table.reset(0);
    std::int64_t slots[4];
    for (std::uint32_t key = 0; key < 4; ++key) {
        const Entered entered = enter(table, key);
        ASSERT_FALSE(entered.found);
        ASSERT_NE(entered.slot, Table::kNoSlot);
        slots[key] = entered.slot;
    }
    // All four are on the line of play.
    EXPECT_EQ(enter(table, 4).slot, Table::kNoSlot);
    EXPECT_TRUE(enter(table, 0).found);

    table.leave(slots[0], 1000, false);
    table.leave(slots[1], 3, false);
    table.leave(slots[2], std::uint64_t{1} << 40, false); // more work than the stamp counts: it keeps the most it can
    // Key 3 stays pinned.
    const Entered fifth = enter(table, 4);
    EXPECT_FALSE(fifth.found);
    EXPECT_EQ(fifth.slot, slots[1]);
    EXPECT_TRUE(enter(table, 0).found);
    EXPECT_TRUE(enter(table, 2).found);
    EXPECT_TRUE(enter(table, 3).found);
    // Key 1 was given up; back in, it takes the place of the next least work.
    const Entered back = enter(table, 1);
    EXPECT_FALSE(back.found);
    EXPECT_EQ(back.slot, slots[0]);
    EXPECT_TRUE(enter(table, 2).found);
}

TEST(SolverTable, ANewGenerationForgetsTheLastAndTheCountComingRoundForgetsEverything) {
    Table table;
    table.reset(0);
    std::int64_t slots[4];
    for (std::uint32_t key = 0; key < 4; ++key) {
        slots[key] = enter(table, key).slot;
        table.leave(slots[key], std::uint64_t{1} << 20, false);
    }
    EXPECT_TRUE(enter(table, 0).found);

    // The next deal: the last one's positions are stale, and give way first
    // however much work they took, before a current one with little.
    table.reset(0);
    const Entered first = enter(table, 4);
    EXPECT_FALSE(first.found);
    EXPECT_EQ(first.slot, slots[0]);
    table.leave(first.slot, 1, false);
    EXPECT_FALSE(enter(table, 0).found);
    EXPECT_EQ(enter(table, 5).slot, slots[2]); // key 0 took slot 1, both pinned
    EXPECT_TRUE(enter(table, 4).found);

    // Up to the last generation before the count comes round: it still tells
    // its own positions from stale ones.
    for (std::uint32_t generation = 3; generation < Table::kGenerations; ++generation) {
        table.reset(0);
    }
    const Entered last = enter(table, 6);
    EXPECT_FALSE(last.found);
    EXPECT_TRUE(enter(table, 6).found);
    // Round to generation 1 again: key 3, stamped in generation 1 long ago,
    // must not pass for new.
    table.reset(0);
    EXPECT_FALSE(enter(table, 3).found);
    EXPECT_FALSE(enter(table, 6).found);
}

TEST(SolverTable, APositionIsFoundOnlyWhenEveryTalonCardItReachesWasReachedBefore) {
    Table table;
    table.reset(4);
    const Entered first = enter(table, 0, 0b0110);
    ASSERT_FALSE(first.found);
    EXPECT_TRUE(enter(table, 0, 0b0100).found);
    EXPECT_TRUE(enter(table, 0, 0b0110).found);
    EXPECT_FALSE(enter(table, 1, 0b0100).found) << "another key";

    // A position that reaches one card more, met while the first is still on
    // the line of play: searched, but the first keeps the entry pinned.
    const Entered wider = enter(table, 0, 0b1100);
    EXPECT_FALSE(wider.found);
    EXPECT_EQ(wider.slot, Table::kNoSlot);
    // What the two reach together is now known, though neither reaches it all.
    EXPECT_TRUE(enter(table, 0, 0b1110).found);
    EXPECT_FALSE(enter(table, 0, 0b10001).found);

    // Once left, a wider position takes the entry and pins it again.
    table.leave(first.slot, 100, false);
    const Entered later = enter(table, 0, 0b100000);
    EXPECT_FALSE(later.found);
    EXPECT_EQ(later.slot, first.slot);
    EXPECT_EQ(enter(table, 0, 0b1000000).slot, Table::kNoSlot);
    table.leave(later.slot, 1, false);
    EXPECT_TRUE(enter(table, 0, 0b1111111).found);
    // The draw-one reach, every talon card, is never beyond what a key holds.
    EXPECT_FALSE(enter(table, 2, Table::kAllReach).found);
    EXPECT_TRUE(enter(table, 2, Table::kAllReach).found);
}

// A search cut where it met the line of play is open until the line above
// it ends; an entry open once stays open through a later search of its key,
// and a slot given to another key since is not settled by the old one.
TEST(SolverTable, AnOpenPositionIsLostOnlyOnceSettled) {
    using Held = Table::Held;
    Table table;
    table.reset(0);
    const Table::Hashes zero = table.hashesOf(keyNumber(0));
    const Entered first = enter(table, 0, 0b01);
    EXPECT_EQ(enter(table, 0, 0b01).held, Held::OnLine);
    table.leave(first.slot, 10, true);
    EXPECT_EQ(enter(table, 0, 0b01).held, Held::Open);

    const Entered wider = enter(table, 0, 0b10);
    ASSERT_EQ(wider.slot, first.slot);
    EXPECT_EQ(enter(table, 0, 0b01).held, Held::OnLine);
    table.leave(wider.slot, 10, false);
    EXPECT_EQ(enter(table, 0, 0b11).held, Held::Open);
    table.settle(first.slot, zero);
    EXPECT_EQ(enter(table, 0, 0b11).held, Held::Lost);

    // Key 0 gives way to key 4 in a full bucket: settling key 0 then leaves
    // key 4 open.
    table.reset(0);
    std::int64_t slots[4];
    for (std::uint32_t key = 0; key < 4; ++key) {
        slots[key] = enter(table, key).slot;
        table.leave(slots[key], key == 0 ? 1 : 100, key == 0);
    }
    const Entered fourth = enter(table, 4);
    ASSERT_EQ(fourth.slot, slots[0]);
    table.leave(fourth.slot, 100, true);
    table.settle(slots[0], zero);
    EXPECT_EQ(enter(table, 4).held, Held::Open);
    EXPECT_FALSE(enter(table, 0).found);
}

} // namespace
} // namespace dealwise::klondike::solver
