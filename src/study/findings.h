// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

#include "study/run_deals.h"
#include "study/solver_times.h"
#include "study/study_run.h"
#include "study/tally.h"

namespace dealwise::study {

// What a study found, counted row by row from deals.csv as it was written or
// read back, so that both give the same figures.
struct Findings {
    StudyTally tally;
    SolverTimes times;

    void add(const DealResult& result, std::uint64_t solveMicroseconds) {
        tally.add(result);
        if (result.winnable != Winnable::NotAsked) {
            times.addMicroseconds(solveMicroseconds);
        }
    }
};

// Writes summary.md and the chart of a finished study into its folder.
// Throws StudyError when either cannot be written.
void writeReport(const std::string& folder, const PlayOptions& play, const Findings& findings,
                 const ChartWriter& drawChart);

} // namespace dealwise::study
