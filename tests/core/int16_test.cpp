// SPDX-License-Identifier: MIT
#include "core/int16.h"

#include <gtest/gtest.h>

#include "core/errors.h"

namespace dealwise {
namespace {

TEST(Int16, ArithmeticStaysExactInsideTheRange) {
    EXPECT_EQ((Int16{32766} + 1).value(), 32767);
    EXPECT_EQ((Int16{-32767} - 1).value(), -32768);
    EXPECT_EQ((Int16{-181} * 181).value(), -32761);
    EXPECT_EQ((-Int16{32767}).value(), -32767);
    Int16 score;
    score += 5;
    score -= 11;
    EXPECT_EQ(score, Int16{-6});
    EXPECT_LT(Int16{-1}, Int16{0});
}

TEST(Int16, EveryResultOutsideTheRangeTraps) {
    EXPECT_THROW((void)(Int16{32767} + 1), OverflowError);
    EXPECT_THROW((void)(Int16{-32768} - 1), OverflowError);
    EXPECT_THROW((void)(Int16{0} - Int16{-32768}), OverflowError);
    EXPECT_THROW((void)(Int16{200} * 200), OverflowError);
    EXPECT_THROW((void)(Int16{-256} * 128 * 2), OverflowError);
    EXPECT_THROW((void)(-Int16{-32768}), OverflowError);
    EXPECT_THROW((void)Int16{32768}, OverflowError);
    EXPECT_THROW((void)Int16{-32769}, OverflowError);
}

TEST(Int16, ATrapLeavesTheOperandAndSaysWhatHappened) {
    Int16 counter = 32767;
    try {
        counter += 1;
        FAIL() << "no overflow";
    } catch (const OverflowError& error) {
        EXPECT_STREQ(error.what(), "Overflow: the addition gives 32768, outside the 16-bit range -32768 to 32767.");
    }
    EXPECT_EQ(counter.value(), 32767);
}

TEST(Int16, DecimalTextIsDigitsWithASignOnlyWhenNegative) {
    EXPECT_EQ(toDecimal(0), "0");
    EXPECT_EQ(toDecimal(10), "10");
    EXPECT_EQ(toDecimal(-6), "-6");
    EXPECT_EQ(toDecimal(32767), "32767");
    EXPECT_EQ(toDecimal(-32768), "-32768");
}

} // namespace
} // namespace dealwise
