// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace dealwise::cli {

// Where the batch reads its bytes. The scorer depends on nothing more, so
// the tests and benchmarks can feed it from memory.
class ByteReader {
public:
    virtual ~ByteReader() = default;
    // Up to `size` bytes (size > 0) into `data`, waiting for at least one;
    // 0 only at the end of the input. Throws when the input fails.
    virtual std::size_t read(char* data, std::size_t size) = 0;
};

class ByteWriter {
public:
    virtual ~ByteWriter() = default;
    // Hands the bytes on before returning; throws when they cannot be written.
    virtual void write(std::string_view bytes) = 0;
};

// Reads a file descriptor with read(2) rather than fread: fread keeps waiting
// until the whole buffer is full, so hands typed at a terminal or trickling
// down a pipe would not be scored until the input ended.
class DescriptorReader final : public ByteReader {
public:
    DescriptorReader(int descriptor, std::string_view name) : descriptor_(descriptor), name_(name) {}
    std::size_t read(char* data, std::size_t size) override;

private:
    int descriptor_;
    std::string_view name_;
};

class FileWriter final : public ByteWriter {
public:
    FileWriter(std::FILE* file, std::string_view name) : file_(file), name_(name) {}
    void write(std::string_view bytes) override;

private:
    std::FILE* file_;
    std::string_view name_;
};

// Serves a text from memory, at most `maxRead` bytes a call, so that a test
// can split lines wherever it likes.
class StringReader final : public ByteReader {
public:
    explicit StringReader(std::string_view text, std::size_t maxRead = SIZE_MAX) : text_(text), maxRead_(maxRead) {}
    std::size_t read(char* data, std::size_t size) override;

private:
    std::string_view text_;
    std::size_t maxRead_;
};

class StringWriter final : public ByteWriter {
public:
    void write(std::string_view bytes) override { text_.append(bytes); }
    [[nodiscard]] const std::string& text() const noexcept { return text_; }

private:
    std::string text_;
};

// The input buffer; it also bounds the length of a line.
inline constexpr std::size_t kDefaultChunkSize = std::size_t{1} << 16;

struct BatchResult {
    std::uint64_t hands = 0;    // lines scored
    std::uint64_t badLines = 0; // lines reported

    [[nodiscard]] int exitStatus() const noexcept { return badLines == 0 ? 0 : 1; }
};

// Scores one hand per line of `in`: cards separated by any mix of blanks,
// tabs and commas; a trailing carriage return is dropped; blank lines and
// lines whose first non-blank character is '#' are skipped. Each good hand
// gives "SCORE<TAB>HAND" on `out`, the hand in canonical spelling; each bad
// line gives "line N: reason" on `errors`, N counting every line from 1.
//
// Memory stays constant: `chunkSize` bytes of input (at least 1) and a fixed
// output buffer. A line that does not fit in the input buffer, leading
// blanks aside, is reported rather than grown into.
BatchResult scoreBatch(ByteReader& in, ByteWriter& out, ByteWriter& errors, std::size_t chunkSize = kDefaultChunkSize);

} // namespace dealwise::cli
