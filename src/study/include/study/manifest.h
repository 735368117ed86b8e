// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "study/run_deals.h"

namespace dealwise::study {

// What a study is, kept as manifest.json beside its deals.csv: enough to
// tell whether a command line would go on with the same study, and whether
// two studies can be merged.
struct RunManifest {
    std::string program = "dealwise-study";
    std::string version;
    int draw = 3;
    std::uint64_t first = 1;
    std::uint64_t deals = 0;
    bool solve = false;
    double solveSeconds = 0.0;        // the solver's time limit; 0 without one, or without the solver
    std::uint64_t solvePositions = 0; // the solver's position limit; 0 without one
    std::vector<std::string> columns; // of deals.csv

    friend bool operator==(const RunManifest&, const RunManifest&) = default;
};

[[nodiscard]] RunManifest manifestOf(const PlayOptions& play, std::string_view version);
// The options a manifest stands for, threads left to the machine.
[[nodiscard]] PlayOptions playOptionsOf(const RunManifest& manifest);

// JSON, one field a line, with a final line break.
[[nodiscard]] std::string manifestText(const RunManifest& manifest);
// Throws std::invalid_argument saying what is wrong with the text.
[[nodiscard]] RunManifest parseManifest(std::string_view text);

// The first setting of `found` that is not that of `wanted`, as the option
// that would give it: "--draw 1, not --draw 3", or "version 0.9, not 1.0".
// `withRange` also compares the deals. Empty when they agree.
[[nodiscard]] std::optional<std::string> firstDifference(const RunManifest& found, const RunManifest& wanted,
                                                         bool withRange = true);

// Writes DIR/manifest.json whole or not at all, through a file of its own
// that is synced and renamed into place. Throws WriteError.
void writeManifest(const std::string& folder, const RunManifest& manifest);
// Throws StudyError naming the file when it cannot be read or is no
// dealwise-study manifest.
[[nodiscard]] RunManifest readManifest(const std::string& folder);

} // namespace dealwise::study
