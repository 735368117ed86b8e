// SPDX-License-Identifier: MIT
#include "core/int16.h"

#include "core/errors.h"

#include <ostream>

namespace dealwise {

void Int16::overflow(int result, const char* operation) {
    throw OverflowError("Overflow: the " + std::string(operation) + " gives " + std::to_string(result) +
                        ", outside the 16-bit range -32768 to 32767.");
}

std::string toDecimal(Int16 value) { return std::to_string(value.value()); }

std::ostream& operator<<(std::ostream& out, Int16 value) { return out << value.value(); }

} // namespace dealwise
