// SPDX-License-Identifier: MIT
#include "formatted.h"

#include <cstdarg>
#include <cstdio>

namespace dealwise::study {

std::string formatted(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    std::va_list again;
    va_copy(again, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, arguments);
    va_end(arguments);
    std::string text;
    if (length > 0) {
        // vsnprintf writes a terminator, which the string's own one takes.
        text.resize(static_cast<std::size_t>(length));
        std::vsnprintf(text.data(), text.size() + 1, format, again);
    }
    va_end(again);
    return text;
}

} // namespace dealwise::study
