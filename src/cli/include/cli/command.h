// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "cli/batch.h"
#include "core/card.h"
#include "hand/hand_entry.h"

namespace dealwise::cli {

inline constexpr std::string_view kProgramName = "dealwise-score";

// Exit statuses. A batch run that met a bad line exits 1 (see BatchResult),
// so that a script can tell "some hands were bad" from "the command was
// wrong", which is 2, as is a failure to read or write.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 2;

// What the output pane shows after the seven cards and one press of Run:
// the five lines of the hand grid, then the twelve of the scoring report,
// each ended by a newline.
void appendHandReport(std::string& out, const std::array<Card, kHandSize>& cards);

// The whole program but for its streams: `args` are the arguments after the
// program name. Returns the exit status; lets only input and output
// failures (and running out of memory) escape as exceptions.
int runCommand(std::span<const std::string_view> args, ByteReader& in, ByteWriter& out, ByteWriter& errors,
               std::string_view versionText);

} // namespace dealwise::cli
