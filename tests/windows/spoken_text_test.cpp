// SPDX-License-Identifier: MIT
#include "windows/spoken_text.h"

#include <gtest/gtest.h>

#include <set>

namespace dealwise {
namespace {

TEST(SpokenText, CardsAreNamedInFull) {
    EXPECT_EQ(spokenCardName({Suit::Spades, Rank::Ace}), "Ace of Spades");
    EXPECT_EQ(spokenCardName({Suit::Clubs, Rank::Two}), "2 of Clubs");
    EXPECT_EQ(spokenCardName({Suit::Diamonds, Rank::Ten}), "10 of Diamonds");
    EXPECT_EQ(spokenCardName({Suit::Hearts, Rank::Jack}), "Jack of Hearts");
    EXPECT_EQ(spokenCardName({Suit::Spades, Rank::Queen}), "Queen of Spades");
    EXPECT_EQ(spokenCardName({Suit::Clubs, Rank::King}), "King of Clubs");
    std::set<std::string> names;
    for (int index = 0; index < kCardCount; ++index) {
        names.insert(spokenCardName(cardAt(index)));
    }
    EXPECT_EQ(names.size(), std::size_t{kCardCount});
}

TEST(SpokenText, EntriesAreDescribedByOrdinal) {
    const std::vector<std::pair<int, std::string>> cases{
        {1, "entered 1st"},       {2, "entered 2nd"},         {3, "entered 3rd"},     {4, "entered 4th"},
        {7, "entered 7th"},       {8, "entered 8th"},         {10, "entered 10th"},   {11, "entered 11th"},
        {12, "entered 12th"},     {13, "entered 13th"},       {21, "entered 21st"},   {22, "entered 22nd"},
        {23, "entered 23rd"},     {101, "entered 101st"},     {111, "entered 111th"}, {112, "entered 112th"},
        {1002, "entered 1002nd"}, {32767, "entered 32767th"},
    };
    for (const auto& [count, description] : cases) {
        EXPECT_EQ(entryDescription(count), description) << count;
    }
}

} // namespace
} // namespace dealwise
