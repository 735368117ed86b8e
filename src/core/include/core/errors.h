// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>

namespace dealwise {

// The two ways an operation of Dealwise can fail. Both carry a message that
// can be shown to the user as it stands.
class DealwiseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A sum, difference or product left the signed 16-bit range.
class OverflowError : public DealwiseError {
public:
    using DealwiseError::DealwiseError;
};

// An index fell outside the bounds of the table it addresses.
class IndexOutOfRangeError : public DealwiseError {
public:
    using DealwiseError::DealwiseError;
};

} // namespace dealwise
