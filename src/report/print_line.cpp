#include "report/print_line.h"

#include <string>

#include "hand/errors.h"

namespace dealwise {

PrintLine::PrintLine(std::initializer_list<PrintItem> items) {
    for (const PrintItem& item : items) {
        append(item);
    }
}

void PrintLine::append(PrintItem item) {
    if (size_ == kMaxItems) {
        throw IndexOutOfRangeError("Subscript out of range: a print line holds at most " + std::to_string(kMaxItems) +
                                   " items.");
    }
    items_[size_++] = item;
}

void appendRendered(std::string& out, Int16 value) {
    int number = value.value();
    out.push_back(number < 0 ? '-' : ' ');
    unsigned magnitude = number < 0 ? static_cast<unsigned>(-number) : static_cast<unsigned>(number);
    char digits[8];
    char* end = digits + sizeof digits;
    char* first = end;
    do {
        *--first = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    out.append(first, end);
    out.push_back(' ');
}

void appendRendered(std::string& out, const PrintLine& line) {
    for (const PrintItem& item : line.items()) {
        if (item.kind() == PrintItem::Kind::Text) {
            out.append(item.text());
        } else {
            appendRendered(out, item.value());
        }
    }
}

std::string renderLine(const PrintLine& line) {
    std::string out;
    out.reserve(64);
    appendRendered(out, line);
    return out;
}

} // namespace dealwise
