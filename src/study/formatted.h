// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace dealwise::study {

// printf's formatting, kept for the program's console lines: their numbers
// follow the C locale as they always have, so that scripts reading them see
// the same text.
[[gnu::format(printf, 1, 2)]] std::string formatted(const char* format, ...);

} // namespace dealwise::study
