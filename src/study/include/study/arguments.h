// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "study/run_deals.h"

namespace dealwise::study {

// What dealwise-study was asked to do.
struct StudyArguments {
    PlayOptions play;
    std::string out = "study"; // the folder the results go into
    bool resume = false;       // go on with the study in `out`, or start it
    std::string version;       // of this program, kept in the manifest
};

// dealwise-study merge --out DIR SHARD...
struct MergeArguments {
    std::string out;
    std::vector<std::string> shards;
};

// Either a study to run or an exit: --help and --version end with status 0
// and their text for standard output, a wrong command line with status 2 and
// a message for standard error. The user's own words in a message are
// quoted, so that no byte of theirs reaches the terminal as it is.
struct ParsedArguments {
    std::optional<StudyArguments> study;
    std::optional<MergeArguments> merge;
    int exitStatus = 0;
    std::string message;
};

[[nodiscard]] ParsedArguments parseArguments(int argc, const char* const* argv, std::string_view versionText);

// The command line that goes on with the study, "dealwise-study --resume
// --out DIR ..." with every setting, the folder quoted for a POSIX shell
// when it needs to be.
[[nodiscard]] std::string resumeCommand(const StudyArguments& arguments);

} // namespace dealwise::study
