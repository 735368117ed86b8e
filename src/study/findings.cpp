// SPDX-License-Identifier: MIT
#include "findings.h"

#include <sstream>

#include "study/study_error.h"
#include "study/study_files.h"
#include "study/summary.h"

namespace dealwise::study {
namespace {

std::string chartTitle(const PlayOptions& play) {
    return std::string(play.solve ? "Greedy wins and winnable deals by Dealwise score"
                                  : "Greedy wins by Dealwise score") +
           ", draw " + std::to_string(play.draw) + ", " + std::to_string(play.deals) + " deals";
}

} // namespace

void writeReport(const std::string& folder, const PlayOptions& play, const Findings& findings,
                 const ChartWriter& drawChart) {
    std::ostringstream summary;
    writeSummary(summary, findings.tally, {play.draw, play.first, play.solve ? play.solveSeconds : 0.0},
                 play.solve ? &findings.times : nullptr);
    writeFileAtomically(folder + "/summary.md", summary.str());
    if (!drawChart(findings.tally, folder + "/chart.svg", folder + "/chart.png", chartTitle(play))) {
        throw StudyError("could not draw the chart into " + folder + "; check that the folder is writable");
    }
}

} // namespace dealwise::study
