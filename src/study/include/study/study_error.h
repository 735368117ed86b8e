// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>

namespace dealwise::study {

// A reason the study cannot go on, in words for its user that also say what
// to do about it; the program prints it and ends with status 1.
class StudyError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file that could not be written, most likely for want of room: what was
// written before it is kept, and the study can go on from there.
class WriteError : public StudyError {
public:
    using StudyError::StudyError;
};

} // namespace dealwise::study
