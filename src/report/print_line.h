#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "hand/int16.h"

namespace dealwise {

// One item of a print line: a text, printed exactly, or a signed 16-bit
// integer, printed as a sign position, its digits and one blank.
// A text item refers to its characters; they must outlive the line (every
// text the program prints is a constant).
class PrintItem {
public:
    enum class Kind : unsigned char { Text, Integer };

    constexpr PrintItem() noexcept = default;
    constexpr PrintItem(std::string_view text) noexcept : text_(text) {} // NOLINT(google-explicit-constructor)
    constexpr PrintItem(Int16 value) noexcept
        : kind_(Kind::Integer), value_(value) {} // NOLINT(google-explicit-constructor)

    [[nodiscard]] constexpr Kind kind() const noexcept { return kind_; }
    [[nodiscard]] constexpr std::string_view text() const noexcept { return text_; }
    [[nodiscard]] constexpr Int16 value() const noexcept { return value_; }

private:
    std::string_view text_;
    Kind kind_ = Kind::Text;
    Int16 value_;
};

// The items of one printed line, in order. The longest line the program
// prints is a hand-grid suit row: a label and thirteen cells.
class PrintLine {
public:
    static constexpr std::size_t kMaxItems = 14;

    constexpr PrintLine() noexcept = default;
    PrintLine(std::initializer_list<PrintItem> items);

    // Raises IndexOutOfRangeError past kMaxItems.
    void append(PrintItem item);

    [[nodiscard]] std::span<const PrintItem> items() const noexcept { return {items_.data(), size_}; }

private:
    std::array<PrintItem, kMaxItems> items_{};
    std::size_t size_ = 0;
};

// The line as drawn: the items' renderings one after the other, nothing
// between them and nothing after the last.
[[nodiscard]] std::string renderLine(const PrintLine& line);
void appendRendered(std::string& out, const PrintLine& line);
void appendRendered(std::string& out, Int16 value);

} // namespace dealwise
