// SPDX-License-Identifier: MIT
#include "cli/batch.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <system_error>

#include <unistd.h>

#include "cli/hand_collector.h"
#include "hand/card_grid.h"
#include "scoring/scoring.h"

namespace dealwise::cli {

std::size_t DescriptorReader::read(char* data, std::size_t size) {
    // Windows' read() counts in unsigned int; no caller asks for anywhere near
    // this much at once anyway.
    constexpr std::size_t kLargestRead = std::size_t{1} << 30;
    for (;;) {
        const auto got = ::read(descriptor_, data, std::min(size, kLargestRead));
        if (got >= 0) {
            return static_cast<std::size_t>(got);
        }
        if (errno != EINTR) {
            throw std::system_error(errno, std::generic_category(), "cannot read " + std::string(name_));
        }
    }
}

void FileWriter::write(std::string_view bytes) {
    // Flushing here keeps stdio's buffer out of the way: the callers already
    // write in large blocks, and a partial line must not wait in stdio while
    // the program blocks on its next read.
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size() || std::fflush(file_) != 0) {
        throw std::system_error(errno, std::generic_category(), "cannot write " + std::string(name_));
    }
}

std::size_t StringReader::read(char* data, std::size_t size) {
    const std::size_t count = std::min({size, maxRead_, text_.size()});
    std::copy_n(text_.data(), count, data);
    text_.remove_prefix(count);
    return count;
}

namespace {

constexpr bool isBlank(char c) noexcept { return c == ' ' || c == '\t'; }
// One comparison and a bit test rather than three comparisons: this runs
// for every byte of every hand.
constexpr bool isSeparator(char c) noexcept {
    constexpr std::uint64_t kSeparators =
        (std::uint64_t{1} << ' ') | (std::uint64_t{1} << '\t') | (std::uint64_t{1} << ',');
    const auto byte = static_cast<unsigned char>(c);
    return byte < 64 && ((kSeparators >> byte) & 1) != 0;
}

// A score needs at most six characters ("-32768"), then the tab, seven cards
// with a blank between each, and the newline.
constexpr std::size_t kMaxResultLine = 6 + 1 + kHandSize * kMaxCardText + (kHandSize - 1) + 1;
constexpr std::size_t kOutputCapacity = std::size_t{1} << 16;

class ResultBuffer {
public:
    explicit ResultBuffer(ByteWriter& sink)
        : sink_(sink), data_(std::make_unique_for_overwrite<char[]>(kOutputCapacity)) {}

    // Room for one result line.
    char* reserve() {
        if (kOutputCapacity - used_ < kMaxResultLine) {
            flush();
        }
        return data_.get() + used_;
    }
    void commit(const char* end) noexcept { used_ = static_cast<std::size_t>(end - data_.get()); }

    void flush() {
        if (used_ != 0) {
            sink_.write({data_.get(), used_});
            used_ = 0;
        }
    }

private:
    ByteWriter& sink_;
    std::unique_ptr<char[]> data_;
    std::size_t used_ = 0;
};

class LineScorer {
public:
    LineScorer(ByteWriter& out, ByteWriter& errors) : results_(out), errors_(errors) {}

    void scoreLine(std::string_view line, std::uint64_t number);
    void reject(std::uint64_t number, std::string_view reason);
    void flush() { results_.flush(); }
    [[nodiscard]] const BatchResult& result() const noexcept { return result_; }

private:
    ResultBuffer results_;
    ByteWriter& errors_;
    BatchResult result_;
};

void LineScorer::scoreLine(std::string_view line, std::uint64_t number) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    const char* p = line.data();
    const char* const end = p + line.size();
    while (p != end && isBlank(*p)) {
        ++p;
    }
    if (p == end || *p == '#') {
        return;
    }

    HandCollector hand;
    while (p != end) {
        if (isSeparator(*p)) {
            ++p;
            continue;
        }
        const char* const token = p;
        while (p != end && !isSeparator(*p)) {
            ++p;
        }
        hand.add({token, static_cast<std::size_t>(p - token)});
    }
    if (hand.fault() != HandFault::None) {
        reject(number, hand.describeFault());
        return;
    }

    CardGrid grid;
    for (const Card card : hand.cards()) {
        grid.mark(card);
    }
    const int score = scoreGrid(grid).finalScore.value();

    char* out = results_.reserve();
    out = std::to_chars(out, out + kMaxResultLine, score).ptr;
    *out++ = '\t';
    for (std::size_t i = 0; i < kHandSize; ++i) {
        if (i != 0) {
            *out++ = ' ';
        }
        out = writeCardText(out, hand.cards()[i]);
    }
    *out++ = '\n';
    results_.commit(out);
    ++result_.hands;
}

void LineScorer::reject(std::uint64_t number, std::string_view reason) {
    // The results so far go first, so that where both streams end up in one
    // place (a terminal, 2>&1) each message follows the hands before it.
    results_.flush();
    std::string message = "line " + std::to_string(number) + ": ";
    message += reason;
    message += '\n';
    errors_.write(message);
    ++result_.badLines;
}

} // namespace

BatchResult scoreBatch(ByteReader& in, ByteWriter& out, ByteWriter& errors, std::size_t chunkSize) {
    if (chunkSize == 0) {
        throw std::invalid_argument("the batch input buffer needs room for at least one byte");
    }
    const auto buffer = std::make_unique_for_overwrite<char[]>(chunkSize);
    char* const data = buffer.get();
    LineScorer scorer(out, errors);

    // While a line is being dropped, its bytes are not kept; a long comment
    // goes quietly, an overlong hand line was reported when it overflowed.
    bool dropping = false;
    std::uint64_t lineNumber = 0;
    std::size_t held = 0; // the start of an unfinished line, at the front

    // Invariant: held < chunkSize before every read, so the reader always
    // gets room and a 0 means the end of the input.
    while (const std::size_t got = in.read(data + held, chunkSize - held)) {
        const std::size_t filled = held + got;
        std::size_t lineStart = 0;
        std::size_t scanFrom = held; // the held bytes hold no newline
        while (const void* found = std::memchr(data + scanFrom, '\n', filled - scanFrom)) {
            const auto newline = static_cast<std::size_t>(static_cast<const char*>(found) - data);
            ++lineNumber;
            if (!dropping) {
                scorer.scoreLine({data + lineStart, newline - lineStart}, lineNumber);
            }
            dropping = false;
            lineStart = scanFrom = newline + 1;
        }

        held = dropping ? 0 : filled - lineStart;
        std::memmove(data, data + lineStart, held);
        if (held == chunkSize) {
            // Leading blanks mean nothing, so they can make room; a line that
            // still fills the buffer is a comment or too long.
            const auto first = static_cast<std::size_t>(std::find_if_not(data, data + held, isBlank) - data);
            if (first == held) {
                held = 0;
            } else if (data[first] == '#') {
                dropping = true;
                held = 0;
            } else if (first != 0) {
                std::memmove(data, data + first, held - first);
                held -= first;
            } else {
                scorer.reject(lineNumber + 1, "too long; a line holds at most " + std::to_string(chunkSize - 1) +
                                                  " characters after its leading blanks");
                dropping = true;
                held = 0;
            }
        }
        // Each chunk's results go out before the next read may block, so
        // that hands typed or piped in slowly get their scores straight away.
        scorer.flush();
    }

    if (held != 0) {
        scorer.scoreLine({data, held}, lineNumber + 1);
    }
    scorer.flush();
    return scorer.result();
}

} // namespace dealwise::cli
