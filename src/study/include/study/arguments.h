#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "study/run_deals.h"

namespace dealwise::study {

// What dealwise-study was asked to do.
struct StudyArguments {
    PlayOptions play;
    std::string out = "study"; // the folder the results go into
};

// Either a study to run or an exit: --help and --version end with status 0
// and their text for standard output, a wrong command line with status 2 and
// a message for standard error. The user's own words in a message are
// quoted, so that no byte of theirs reaches the terminal as it is.
struct ParsedArguments {
    std::optional<StudyArguments> study;
    int exitStatus = 0;
    std::string message;
};

[[nodiscard]] ParsedArguments parseArguments(int argc, const char* const* argv, std::string_view versionText);

} // namespace dealwise::study
