// SPDX-License-Identifier: MIT
#include "study/csv.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <ostream>
#include <stdexcept>
#include <string>

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

std::string millisecondsText(double seconds) {
    std::array<char, kMaxFixed> time{};
    const auto written =
        std::to_chars(time.data(), time.data() + time.size(), seconds * 1000.0, std::chars_format::fixed, 3);
    return {time.data(), written.ptr};
}

template <typename Integer> bool readInteger(std::string_view text, Integer& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// "12.345" as 12345; empty unless the digits, a point and three decimals.
std::optional<std::uint64_t> readMilliseconds(std::string_view text) {
    const std::size_t point = text.size() < 4 ? std::string_view::npos : text.size() - 4;
    if (point == std::string_view::npos || text[point] != '.') {
        return std::nullopt;
    }
    std::uint64_t whole = 0;
    std::uint64_t thousandths = 0;
    if (!readInteger(text.substr(0, point), whole) || !readInteger(text.substr(point + 1), thousandths) ||
        whole > 1'000'000'000'000) {
        return std::nullopt;
    }
    return whole * 1000 + thousandths;
}

bool readHand(std::string_view text, std::array<Card, 7>& hand) {
    for (std::size_t i = 0; i < hand.size(); ++i) {
        const std::size_t blank = i + 1 < hand.size() ? text.find(' ') : text.size();
        if (blank == std::string_view::npos) {
            return false;
        }
        const auto card = parseCard(text.substr(0, blank));
        if (!card) {
            return false;
        }
        hand[i] = *card;
        text.remove_prefix(std::min(blank + 1, text.size()));
    }
    return true;
}

std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t comma = line.find(','); comma != std::string_view::npos; comma = line.find(',')) {
        fields.push_back(line.substr(0, comma));
        line.remove_prefix(comma + 1);
    }
    fields.push_back(line);
    return fields;
}

} // namespace

std::string_view csvHeader(bool withSolver) {
    return withSolver ? "deal,cards,score,won,moves,winnable,solve_ms" : "deal,cards,score,won,moves";
}

std::vector<std::string> csvColumns(bool withSolver) {
    std::vector<std::string> columns;
    for (const std::string_view name : fieldsOf(csvHeader(withSolver))) {
        columns.emplace_back(name);
    }
    return columns;
}

void writeCsvHeader(std::ostream& out, bool withSolver) { out << csvHeader(withSolver) << '\n'; }

void writeCsvRow(std::ostream& out, const DealResult& result) {
    const std::string row = csvRow(result);
    out.write(row.data(), static_cast<std::streamsize>(row.size()));
}

std::uint64_t csvMicroseconds(double seconds) {
    const auto milliseconds = readMilliseconds(millisecondsText(seconds));
    return milliseconds ? *milliseconds : 0;
}

std::optional<CsvRow> readCsvRow(std::string_view line, bool withSolver) {
    const std::vector<std::string_view> fields = fieldsOf(line);
    if (fields.size() != (withSolver ? 7U : 5U)) {
        return std::nullopt;
    }
    CsvRow row;
    DealResult& result = row.result;
    if (!readInteger(fields[0], result.deal) || !readHand(fields[1], result.hand) ||
        !readInteger(fields[2], result.score) || (fields[3] != "0" && fields[3] != "1") ||
        !readInteger(fields[4], result.moves)) {
        return std::nullopt;
    }
    result.won = fields[3] == "1";
    if (withSolver) {
        const auto microseconds = readMilliseconds(fields[6]);
        if (!microseconds || (fields[5] != "0" && fields[5] != "1" && !fields[5].empty())) {
            return std::nullopt;
        }
        result.winnable = fields[5] == "1" ? Winnable::Yes : fields[5] == "0" ? Winnable::No : Winnable::Undecided;
        row.solveMicroseconds = *microseconds;
        result.solveSeconds = double(*microseconds) / 1e6;
    }
    // Leading zeros, a plus sign, a card in lower case: read, but not
    // written so, and such a row would not come back the same.
    if (csvRow(result) != std::string(line) + '\n') {
        return std::nullopt;
    }
    return row;
}

std::string csvRow(const DealResult& result) {
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
        row += millisecondsText(result.solveSeconds);
    }
    row += '\n';
    return row;
}

} // namespace dealwise::study
