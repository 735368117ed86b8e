// SPDX-License-Identifier: MIT
#pragma once

#include <compare>
#include <cstdint>
#include <iosfwd>
#include <string>

namespace dealwise {

// A signed 16-bit integer whose arithmetic traps: every count, cell, score
// and loop index of Dealwise is one, and a result outside -32768..32767
// raises OverflowError instead of wrapping.
class Int16 {
public:
    static constexpr int kMin = -32768;
    static constexpr int kMax = 32767;

    constexpr Int16() noexcept = default;

    // Implicit so that `score += 2` reads as it does in the rules; a value out
    // of range traps here as well (and fails to compile in a constant).
    constexpr Int16(int value) : value_(narrow(value, "conversion")) {} // NOLINT(google-explicit-constructor)

    [[nodiscard]] constexpr int value() const noexcept { return value_; }

    friend constexpr Int16 operator+(Int16 a, Int16 b) { return Int16(narrow(a.value_ + b.value_, "addition")); }
    friend constexpr Int16 operator-(Int16 a, Int16 b) { return Int16(narrow(a.value_ - b.value_, "subtraction")); }
    friend constexpr Int16 operator*(Int16 a, Int16 b) { return Int16(narrow(a.value_ * b.value_, "multiplication")); }
    constexpr Int16 operator-() const { return Int16(narrow(-value_, "negation")); }

    constexpr Int16& operator+=(Int16 other) { return *this = *this + other; }
    constexpr Int16& operator-=(Int16 other) { return *this = *this - other; }

    friend constexpr bool operator==(Int16, Int16) noexcept = default;
    friend constexpr auto operator<=>(Int16, Int16) noexcept = default;

private:
    // Throws OverflowError; defined out of line so that the message building
    // stays out of the hot paths.
    [[noreturn]] static void overflow(int result, const char* operation);

    static constexpr std::int16_t narrow(int result, const char* operation) {
        if (result < kMin || result > kMax) {
            overflow(result, operation);
        }
        return static_cast<std::int16_t>(result);
    }

    std::int16_t value_ = 0;
};

// The plain decimal text of a value: digits, a minus sign when negative,
// nothing else ("7", "10", "-6"). Button captions and the score box use it.
[[nodiscard]] std::string toDecimal(Int16 value);

// Lets test frameworks and logs show the number rather than its bytes.
std::ostream& operator<<(std::ostream& out, Int16 value);

} // namespace dealwise
