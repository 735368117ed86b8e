// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/int16.h"

namespace dealwise {

// One item of a print line: a text, printed exactly, or a signed 16-bit
// integer, printed as a sign position, its digits and one blank.
// A text item refers to its characters; they must outlive the line (every
// text the program prints is a constant).
class PrintItem {
public:
    enum class Kind : unsigned char { Text, Integer };

    // Left unset: a line only ever reads the items it was given.
    PrintItem() noexcept = default;
    constexpr PrintItem(std::string_view text) noexcept // NOLINT(google-explicit-constructor)
        : text_(text.data()), textSize_(text.size()), value_(0), kind_(Kind::Text) {}
    constexpr PrintItem(Int16 value) noexcept // NOLINT(google-explicit-constructor)
        : text_(nullptr), textSize_(0), value_(static_cast<std::int16_t>(value.value())), kind_(Kind::Integer) {}

    [[nodiscard]] constexpr Kind kind() const noexcept { return kind_; }
    [[nodiscard]] constexpr std::string_view text() const noexcept { return {text_, textSize_}; }
    [[nodiscard]] constexpr Int16 value() const noexcept { return Int16{value_}; }

private:
    const char* text_;
    std::size_t textSize_;
    std::int16_t value_;
    Kind kind_;
};

// The items of one printed line, in order. The longest line the program
// prints is a hand-grid suit row: a label and thirteen cells.
class PrintLine {
public:
    static constexpr std::size_t kMaxItems = 14;

    PrintLine() noexcept = default;
    // Copies only the items in use; the rest were never set.
    PrintLine(const PrintLine& other) noexcept : size_(other.size_) { copyItems(other); }
    PrintLine& operator=(const PrintLine& other) noexcept {
        size_ = other.size_;
        copyItems(other);
        return *this;
    }
    ~PrintLine() = default;
    // A line of a fixed shape, its items in order.
    template <typename... Items>
    requires(sizeof...(Items) > 0 && sizeof...(Items) <= kMaxItems) explicit PrintLine(Items... items) noexcept
        : size_(sizeof...(Items)) {
        std::size_t next = 0;
        ((items_[next++] = PrintItem(items)), ...);
    }

    // Raises IndexOutOfRangeError past kMaxItems.
    void append(PrintItem item) {
        if (size_ == kMaxItems) {
            tooManyItems();
        }
        items_[size_++] = item;
    }

    [[nodiscard]] std::span<const PrintItem> items() const noexcept { return {items_.data(), size_}; }

private:
    [[noreturn]] static void tooManyItems();
    void copyItems(const PrintLine& other) noexcept {
        for (std::size_t i = 0; i < size_; ++i) {
            items_[i] = other.items_[i];
        }
    }

    std::array<PrintItem, kMaxItems> items_;
    std::size_t size_ = 0;
};

// The line as drawn: the items' renderings one after the other, nothing
// between them and nothing after the last.
[[nodiscard]] std::string renderLine(const PrintLine& line);
void appendRendered(std::string& out, const PrintLine& line);
void appendRendered(std::string& out, Int16 value);

} // namespace dealwise
