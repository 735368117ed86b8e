// SPDX-License-Identifier: MIT
// A print line of 1 to 14 items, texts and 16-bit integers taken from the
// input, rendered and read back.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "check.h"
#include "core/errors.h"
#include "report/print_line.h"

namespace {

using dealwise::Int16;
using dealwise::PrintItem;
using dealwise::PrintLine;

std::size_t digitCount(int value) {
    unsigned magnitude = value < 0 ? static_cast<unsigned>(-value) : static_cast<unsigned>(value);
    std::size_t count = 1;
    while (magnitude >= 10) {
        magnitude /= 10;
        ++count;
    }
    return count;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the rendering back item by item, knowing only each item's kind and,
// for a text, its length: a text is its characters verbatim; an integer is a
// sign position, its digits (no leading zero) and one blank.
void checkRendering(std::string_view rendered, const PrintLine& line) {
    std::size_t want = 0;
    for (const PrintItem& item : line.items()) {
        want += item.kind() == PrintItem::Kind::Text ? item.text().size() : digitCount(item.value().value()) + 2;
    }
    FUZZ_CHECK(rendered.size() == want);

    std::string_view rest = rendered;
    for (const PrintItem& item : line.items()) {
        if (item.kind() == PrintItem::Kind::Text) {
            FUZZ_CHECK(rest.starts_with(item.text()));
            rest.remove_prefix(item.text().size());
            continue;
        }
        FUZZ_CHECK(!rest.empty() && (rest.front() == ' ' || rest.front() == '-'));
        const bool negative = rest.front() == '-';
        rest.remove_prefix(1);
        std::size_t digits = 0;
        long magnitude = 0;
        while (digits < rest.size() && isDigit(rest[digits])) {
            magnitude = magnitude * 10 + (rest[digits] - '0');
            ++digits;
            // Five digits hold any 16-bit value; more would be a fault.
            FUZZ_CHECK(digits <= 5);
        }
        FUZZ_CHECK(digits >= 1 && (digits == 1 || rest.front() != '0'));
        FUZZ_CHECK(!(negative && magnitude == 0));
        FUZZ_CHECK((negative ? -magnitude : magnitude) == item.value().value());
        FUZZ_CHECK(digits < rest.size() && rest[digits] == ' ');
        rest.remove_prefix(digits + 1);
    }
    FUZZ_CHECK(rest.empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::size_t count = input.ConsumeIntegralInRange<std::size_t>(1, PrintLine::kMaxItems);

    // A text item only points at its characters: they live here, in a
    // container that never moves what it already holds, until the end.
    std::deque<std::string> texts;
    PrintLine line;
    for (std::size_t i = 0; i < count; ++i) {
        if (input.ConsumeBool()) {
            line.append(Int16(input.ConsumeIntegral<std::int16_t>()));
        } else {
            texts.push_back(input.ConsumeRandomLengthString());
            line.append(PrintItem(std::string_view(texts.back())));
        }
    }
    FUZZ_CHECK(line.items().size() == count);

    const std::string rendered = dealwise::renderLine(line);
    checkRendering(rendered, line);

    // Appending after earlier text changes nothing of the line's rendering.
    std::string after = "prefix";
    dealwise::appendRendered(after, line);
    FUZZ_CHECK(after == "prefix" + rendered);

    // Integers alone render as they do inside a line.
    for (const PrintItem& item : line.items()) {
        if (item.kind() == PrintItem::Kind::Integer) {
            std::string alone;
            dealwise::appendRendered(alone, item.value());
            FUZZ_CHECK(alone == dealwise::renderLine(PrintLine(item)));
        }
    }

    // Copies render the same, and a full line refuses one item more,
    // unchanged.
    PrintLine copy(line);
    FUZZ_CHECK(dealwise::renderLine(copy) == rendered);
    PrintLine assigned(PrintItem(std::string_view("x")));
    assigned = line;
    FUZZ_CHECK(dealwise::renderLine(assigned) == rendered);
    if (count == PrintLine::kMaxItems) {
        bool refused = false;
        try {
            copy.append(PrintItem(std::string_view("extra")));
        } catch (const dealwise::IndexOutOfRangeError&) {
            refused = true;
        }
        FUZZ_CHECK(refused);
        FUZZ_CHECK(dealwise::renderLine(copy) == rendered);
    }
    return 0;
}
