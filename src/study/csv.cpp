#include "study/csv.h"

#include <array>
#include <charconv>
#include <ostream>
#include <stdexcept>

#include "core/card_text.h"

namespace dealwise::study {
namespace {

// Longest row: a 20-digit deal, seven three-character cards with six blanks,
// two 11-character ints, the won flag and five separators; with the solver,
// its verdict, two separators and a time of up to a day.
constexpr std::size_t kMaxRow = 20 + 7 * 3 + 6 + 11 + 1 + 11 + 5 + 1 + 2 + 14;

// Room for any finite double written out in full with three decimals.
constexpr std::size_t kMaxFixed = 320;

void checkCard(Card card) {
    const int suit = suitIndex(card.suit);
    const int rank = rankValue(card.rank);
    if (suit < 0 || suit >= kSuitCount || rank < 1 || rank > kRankCount) {
        throw std::invalid_argument("not one of the 52 cards: suit " + std::to_string(suit) + ", rank " +
                                    std::to_string(rank));
    }
}

char* putCard(char* at, Card card) {
    checkCard(card);
    return writeCardText(at, card);
}

// to_chars rather than the stream's own formatting: the row must not change
// with whatever locale the program or its toolkit has set.
template <typename Integer> char* putInteger(char* at, char* end, Integer value) {
    return std::to_chars(at, end, value).ptr;
}

} // namespace

void writeCsvHeader(std::ostream& out, bool withSolver) {
    out << (withSolver ? "deal,cards,score,won,moves,winnable,solve_ms\n" : "deal,cards,score,won,moves\n");
}

void writeCsvRow(std::ostream& out, const DealResult& result) {
    std::string row;
    row.reserve(kMaxRow);
    const auto appendInteger = [&row](auto value) {
        std::array<char, 24> digits{};
        row.append(digits.data(), putInteger(digits.data(), digits.data() + digits.size(), value));
    };
    appendInteger(result.deal);
    row += ',';
    for (std::size_t i = 0; i < result.hand.size(); ++i) {
        if (i > 0) {
            row += ' ';
        }
        std::array<char, kMaxCardText> card{};
        row.append(card.data(), putCard(card.data(), result.hand[i]));
    }
    row += ',';
    appendInteger(result.score);
    row += result.won ? ",1," : ",0,";
    appendInteger(result.moves);
    if (result.winnable != Winnable::NotAsked) {
        row += result.winnable == Winnable::Yes ? ",1," : result.winnable == Winnable::No ? ",0," : ",,";
        std::array<char, kMaxFixed> time{};
        const auto written = std::to_chars(time.data(), time.data() + time.size(), result.solveSeconds * 1000.0,
                                           std::chars_format::fixed, 3);
        row.append(time.data(), written.ptr);
    }
    row += '\n';
    out.write(row.data(), static_cast<std::streamsize>(row.size()));
}

} // namespace dealwise::study
