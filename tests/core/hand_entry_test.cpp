// SPDX-License-Identifier: MIT
#include "hand/hand_entry.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "test_hands.h"

namespace dealwise {
namespace {

using testing::cardOf;

int markedCells(const CardGrid& grid) {
    int marked = 0;
    for (std::size_t i = 0; i < CardGrid::kCellCount; ++i) {
        marked += grid.storedCell(i).value();
    }
    return marked;
}

TEST(CardGrid, CellsAreStoredSuitFastest) {
    struct Row {
        const char* card;
        std::size_t linear;
    };
    for (const Row& row :
         {Row{"AS", 0}, Row{"AC", 1}, Row{"AH", 3}, Row{"2S", 4}, Row{"3D", 10}, Row{"10C", 37}, Row{"KH", 51}}) {
        CardGrid grid;
        grid.mark(cardOf(row.card));
        EXPECT_EQ(grid.storedCell(row.linear), Int16{1}) << row.card;
        EXPECT_EQ(markedCells(grid), 1) << row.card;
        const Card card = cardOf(row.card);
        EXPECT_EQ(grid.cell(rankIndex(card.rank), suitIndex(card.suit)), Int16{1}) << row.card;
    }
}

TEST(CardGrid, ComputedIndicesOutsideTheGridTrap) {
    CardGrid grid;
    EXPECT_NO_THROW(grid.markCell(12, 3));
    EXPECT_THROW((void)grid.cell(13, 0), IndexOutOfRangeError);
    EXPECT_THROW((void)grid.cell(-1, 0), IndexOutOfRangeError);
    EXPECT_THROW((void)grid.cell(0, 4), IndexOutOfRangeError);
    EXPECT_THROW((void)grid.cell(0, -1), IndexOutOfRangeError);
    EXPECT_THROW(grid.clearCell(0, 4), IndexOutOfRangeError);
    EXPECT_THROW(grid.markCell(13, 3), IndexOutOfRangeError);
    EXPECT_THROW((void)grid.storedCell(52), IndexOutOfRangeError);
    try {
        (void)grid.cell(0, 4);
    } catch (const IndexOutOfRangeError& error) {
        EXPECT_STREQ(error.what(), "Subscript out of range: suit index 4 is outside 0 to 3.");
    }
    EXPECT_EQ(markedCells(grid), 1);
}

TEST(HandEntry, EachClickMarksItsCardAndCountsEvenWhenRepeated) {
    CardGrid grid;
    EntryCounter counter;
    EXPECT_EQ(enterCard(grid, counter, cardOf("AS")), Int16{1});
    EXPECT_EQ(grid.storedCell(0), Int16{1});
    for (const char* card : {"5D", "9C", "5D", "KH", "QS"}) {
        (void)enterCard(grid, counter, cardOf(card));
    }
    EXPECT_EQ(counter.value(), Int16{6});
    EXPECT_EQ(markedCells(grid), 5);
    EXPECT_EQ(enterCard(grid, counter, cardOf("AS")), Int16{kHandSize});
    EXPECT_EQ(markedCells(grid), 5);
    EXPECT_EQ(enterCard(grid, counter, cardOf("2H")), Int16{8});
    EXPECT_EQ(markedCells(grid), 6);
}

TEST(HandEntry, TheClickPastTheCounterLimitMarksItsCardAndKeepsTheCount) {
    CardGrid grid;
    EntryCounter counter;
    for (int click = 1; click <= Int16::kMax; ++click) {
        (void)enterCard(grid, counter, cardOf("7C"));
    }
    EXPECT_EQ(counter.value(), Int16{32767});
    EXPECT_THROW((void)enterCard(grid, counter, cardOf("8H")), OverflowError);
    EXPECT_TRUE(grid.holds(cardOf("8H")));
    EXPECT_EQ(counter.value(), Int16{32767});

    resetHand(grid, counter);
    EXPECT_EQ(enterCard(grid, counter, cardOf("8H")), Int16{1});
}

TEST(HandEntry, ResetClearsEveryCellAndTheCounter) {
    CardGrid grid;
    EntryCounter counter;
    for (int linear = 0; linear < CardGrid::kCellCount; ++linear) {
        grid.markCell(linear / kSuitCount, linear % kSuitCount);
        counter.addOne();
    }
    resetHand(grid, counter);
    EXPECT_EQ(grid, CardGrid{});
    EXPECT_EQ(counter.value(), Int16{0});
    resetHand(grid, counter);
    EXPECT_EQ(grid, CardGrid{});
}

} // namespace
} // namespace dealwise
