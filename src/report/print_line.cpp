// SPDX-License-Identifier: MIT
#include "report/print_line.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/errors.h"

namespace dealwise {

void PrintLine::tooManyItems() {
    throw IndexOutOfRangeError("Subscript out of range: a print line holds at most " + std::to_string(kMaxItems) +
                               " items.");
}

namespace {

// The widest integer item: a sign position, five digits and the blank.
constexpr std::size_t kMaxIntegerWidth = 7;

char* writeInteger(char* at, Int16 value) {
    const int number = value.value();
    *at++ = number < 0 ? '-' : ' ';
    unsigned magnitude = number < 0 ? static_cast<unsigned>(-number) : static_cast<unsigned>(number);
    char digits[5];
    char* first = digits + sizeof digits;
    do {
        *--first = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    const auto count = static_cast<std::size_t>(digits + sizeof digits - first);
    std::memcpy(at, first, count);
    at += count;
    *at++ = ' ';
    return at;
}

} // namespace

void appendRendered(std::string& out, Int16 value) {
    char buffer[kMaxIntegerWidth];
    out.append(buffer, static_cast<std::size_t>(writeInteger(buffer, value) - buffer));
}

// Reports are rendered by the million in batch runs: a line is built in a
// buffer on the stack and appended in one piece.
void appendRendered(std::string& out, const PrintLine& line) {
    constexpr std::size_t kBufferSize = 256;
    char buffer[kBufferSize];
    char* at = buffer;
    for (const PrintItem& item : line.items()) {
        const std::size_t room = static_cast<std::size_t>(buffer + kBufferSize - at);
        if (item.kind() == PrintItem::Kind::Integer && room >= kMaxIntegerWidth) {
            at = writeInteger(at, item.value());
            continue;
        }
        if (item.kind() == PrintItem::Kind::Text && room >= item.text().size()) {
            at = std::copy(item.text().begin(), item.text().end(), at);
            continue;
        }
        // A longer line than any report has: flush and go on item by item.
        out.append(buffer, static_cast<std::size_t>(at - buffer));
        at = buffer;
        if (item.kind() == PrintItem::Kind::Text) {
            out.append(item.text());
        } else {
            appendRendered(out, item.value());
        }
    }
    out.append(buffer, static_cast<std::size_t>(at - buffer));
}

std::string renderLine(const PrintLine& line) {
    std::string out;
    out.reserve(64);
    appendRendered(out, line);
    return out;
}

} // namespace dealwise
