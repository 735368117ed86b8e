// SPDX-License-Identifier: MIT
// Arbitrary bytes as the standard input of dealwise-score --batch. The
// first byte picks a small input buffer and read size for a second run, so
// that lines straddle reads and overflow the buffer; the rest is the input.

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "cli/batch.h"
#include "cli/command.h"
#include "cli/hand_collector.h"
#include "hand/card_grid.h"
#include "scoring/scoring.h"

namespace {

using dealwise::cli::BatchResult;
using dealwise::cli::ByteWriter;
using dealwise::cli::kDefaultChunkSize;

constexpr auto kHandSize = static_cast<std::size_t>(dealwise::kHandSize);

// One stream of the run, also copied into a transcript shared by both, as a
// terminal or 2>&1 would see them.
class TeeWriter final : public ByteWriter {
public:
    explicit TeeWriter(std::string& transcript) : transcript_(transcript) {}
    void write(std::string_view bytes) override {
        text_.append(bytes);
        transcript_.append(bytes);
    }
    [[nodiscard]] const std::string& text() const noexcept { return text_; }

private:
    std::string text_;
    std::string& transcript_;
};

struct Streams {
    std::string out;
    std::string errors;
    std::string transcript;
};

struct Run {
    Streams streams;
    BatchResult result;
};

Run scoreText(std::string_view input, std::size_t chunkSize, std::size_t maxRead) {
    Run run;
    dealwise::cli::StringReader in(input, maxRead);
    TeeWriter out(run.streams.transcript);
    TeeWriter errors(run.streams.transcript);
    run.result = dealwise::cli::scoreBatch(in, out, errors, chunkSize);
    run.streams.out = out.text();
    run.streams.errors = errors.text();
    return run;
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        if (newline == std::string_view::npos) {
            lines.push_back(text);
            break;
        }
        lines.push_back(text.substr(0, newline));
        text.remove_prefix(newline + 1);
    }
    return lines;
}

constexpr std::string_view kBlanks = " \t";

// What one line should give, worked out from the documented rules alone:
// a line that does not fit in the buffer once its leading blanks are gone is
// reported, unless it is a comment; a trailing carriage return goes; blank
// and comment lines are skipped; the rest is cards between blanks, tabs and
// commas.
void expectLine(std::string_view line, std::uint64_t number, std::size_t chunkSize, Streams& want) {
    const auto emitError = [&](std::string_view reason) {
        const std::string message = "line " + std::to_string(number) + ": " + std::string(reason) + "\n";
        want.errors += message;
        want.transcript += message;
    };

    const std::size_t first = std::min(line.find_first_not_of(kBlanks), line.size());
    const std::string_view afterBlanks = line.substr(first);
    if (afterBlanks.size() >= chunkSize) {
        if (afterBlanks.front() != '#') {
            emitError("too long; a line holds at most " + std::to_string(chunkSize - 1) +
                      " characters after its leading blanks");
        }
        return;
    }

    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    line.remove_prefix(std::min(line.find_first_not_of(kBlanks), line.size()));
    if (line.empty() || line.front() == '#') {
        return;
    }

    // Tokens live in `line`, which outlives the collector.
    dealwise::cli::HandCollector hand;
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t start = line.find_first_not_of(" \t,", at);
        if (start == std::string_view::npos) {
            break;
        }
        const std::size_t end = std::min(line.find_first_of(" \t,", start), line.size());
        hand.add(line.substr(start, end - start));
        at = end;
    }
    if (hand.fault() != dealwise::cli::HandFault::None) {
        emitError(hand.describeFault());
        return;
    }

    dealwise::CardGrid grid;
    for (const dealwise::Card card : hand.cards()) {
        grid.mark(card);
    }
    std::string result = std::to_string(dealwise::scoreGrid(grid).finalScore.value());
    for (std::size_t i = 0; i < kHandSize; ++i) {
        result += i == 0 ? '\t' : ' ';
        result += dealwise::cardText(hand.cards()[i]);
    }
    result += '\n';
    want.out += result;
    want.transcript += result;
}

Streams expectRun(std::string_view input, std::size_t chunkSize) {
    Streams want;
    std::uint64_t number = 0;
    for (const std::string_view line : splitLines(input)) {
        expectLine(line, ++number, chunkSize, want);
    }
    return want;
}

bool isDecimal(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size() && std::to_string(value) == text;
}

// Each result line is SCORE<TAB>HAND: a plain decimal score, then seven
// distinct cards in canonical spelling with one blank between each.
// Returns the hands, a line each, ready to be read again.
std::string checkResults(std::string_view out, std::uint64_t hands) {
    FUZZ_CHECK(out.empty() || out.ends_with('\n'));
    const std::vector<std::string_view> lines = splitLines(out);
    FUZZ_CHECK(lines.size() == hands);
    std::string handColumn;
    for (const std::string_view line : lines) {
        const std::size_t tab = line.find('\t');
        FUZZ_CHECK(tab != std::string_view::npos);
        FUZZ_CHECK(isDecimal(line.substr(0, tab)));
        const std::string_view hand = line.substr(tab + 1);

        std::array<std::string_view, kHandSize> cards;
        std::size_t count = 0;
        std::size_t start = 0;
        for (;;) {
            const std::size_t blank = hand.find(' ', start);
            FUZZ_CHECK(count < kHandSize);
            cards[count++] = hand.substr(start, blank == std::string_view::npos ? blank : blank - start);
            if (blank == std::string_view::npos) {
                break;
            }
            start = blank + 1;
        }
        FUZZ_CHECK(count == kHandSize);
        for (std::size_t i = 0; i < kHandSize; ++i) {
            const auto card = dealwise::parseCard(cards[i]);
            FUZZ_CHECK(card.has_value());
            FUZZ_CHECK(dealwise::cardText(*card) == cards[i]);
            for (std::size_t j = 0; j < i; ++j) {
                FUZZ_CHECK(cards[j] != cards[i]);
            }
        }
        handColumn += hand;
        handColumn += '\n';
    }
    return handColumn;
}

// Each message is one line, "line N: reason", N rising, and the reason free
// of control characters that could garble a terminal.
void checkErrors(std::string_view errors, std::uint64_t badLines, std::size_t inputLines) {
    FUZZ_CHECK(errors.empty() || errors.ends_with('\n'));
    const std::vector<std::string_view> lines = splitLines(errors);
    FUZZ_CHECK(lines.size() == badLines);
    std::uint64_t previous = 0;
    for (const std::string_view line : lines) {
        FUZZ_CHECK(line.starts_with("line "));
        const std::size_t colon = line.find(": ");
        FUZZ_CHECK(colon != std::string_view::npos);
        const std::string_view digits = line.substr(5, colon - 5);
        FUZZ_CHECK(isDecimal(digits));
        const std::uint64_t number = std::stoull(std::string(digits));
        FUZZ_CHECK(number > previous && number <= inputLines);
        previous = number;
        // Printable ASCII only: nothing from the input may drive the terminal.
        FUZZ_CHECK(std::none_of(line.begin(), line.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7f;
        }));
    }
}

Run checkRun(std::string_view input, std::size_t chunkSize, std::size_t maxRead) {
    const Run run = scoreText(input, chunkSize, maxRead);
    const std::size_t inputLines = splitLines(input).size();
    FUZZ_CHECK(run.result.hands + run.result.badLines <= inputLines);

    const std::string handColumn = checkResults(run.streams.out, run.result.hands);
    checkErrors(run.streams.errors, run.result.badLines, inputLines);

    const Streams want = expectRun(input, chunkSize);
    FUZZ_CHECK(run.streams.out == want.out);
    FUZZ_CHECK(run.streams.errors == want.errors);
    FUZZ_CHECK(run.streams.transcript == want.transcript);

    // The canonical hands read back give the very same results.
    const Run again = scoreText(handColumn, kDefaultChunkSize, SIZE_MAX);
    FUZZ_CHECK(again.streams.out == run.streams.out);
    FUZZ_CHECK(again.streams.errors.empty());
    FUZZ_CHECK(again.result.hands == run.result.hands && again.result.badLines == 0);
    return run;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::uint8_t shape = data[0];
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);

    const Run whole = checkRun(input, kDefaultChunkSize, SIZE_MAX);

    // 1..64 bytes of buffer, so that lines overflow it, filled by reads of
    // 1, 2 or 7 bytes or as much as fits, so that lines straddle reads.
    const std::size_t chunkSize = 1 + (shape & 0x3fU);
    constexpr std::size_t kReadSizes[] = {SIZE_MAX, 1, 2, 7};
    (void)checkRun(input, chunkSize, kReadSizes[shape >> 6]);

    // The command as the program runs it: the same streams, and exit status 1
    // exactly when a line was bad.
    dealwise::cli::StringReader in(input);
    dealwise::cli::StringWriter out;
    dealwise::cli::StringWriter errors;
    const std::string_view args[] = {"--batch"};
    const int status = dealwise::cli::runCommand(args, in, out, errors, "fuzz");
    FUZZ_CHECK(out.text() == whole.streams.out);
    FUZZ_CHECK(errors.text() == whole.streams.errors);
    FUZZ_CHECK(status == (whole.result.badLines == 0 ? 0 : 1));
    return 0;
}
