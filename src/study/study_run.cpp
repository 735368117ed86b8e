#include "study/study_run.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <system_error>

#include "formatted.h"
#include "progress_bar.h"
#include "study/csv.h"
#include "study/solver_times.h"
#include "study/summary.h"

namespace dealwise::study {
namespace {

bool makeFolder(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return !error;
}

std::string chartTitle(const PlayOptions& play) {
    return std::string(play.solve ? "Greedy wins and winnable deals by Dealwise score"
                                  : "Greedy wins by Dealwise score") +
           ", draw " + std::to_string(play.draw) + ", " + std::to_string(play.deals) + " deals";
}

// What the study found, in deal order.
struct Findings {
    StudyTally tally;
    SolverTimes times;
};

// Writes deals.csv and summary.md; false when either could not be written.
bool writeResults(const StudyArguments& arguments, const std::vector<DealResult>& results, Findings& findings) {
    const PlayOptions& play = arguments.play;
    std::ofstream csv(arguments.out + "/deals.csv");
    writeCsvHeader(csv, play.solve);
    for (const DealResult& result : results) {
        findings.tally.add(result);
        if (play.solve) {
            findings.times.add(result.solveSeconds);
        }
        writeCsvRow(csv, result);
    }
    std::ofstream summary(arguments.out + "/summary.md");
    writeSummary(summary, findings.tally, {play.draw, play.first, play.solve ? play.solveSeconds : 0.0},
                 play.solve ? &findings.times : nullptr);
    csv.close();
    summary.close();
    return csv && summary;
}

void reportFindings(std::ostream& out, const StudyArguments& arguments, const Findings& findings, double seconds) {
    const PlayOptions& play = arguments.play;
    const StudyTally& tally = findings.tally;
    out << formatted("%llu deals, draw %d: %lld won (%s), %.1f s, %.0f deals/s; results in %s\n",
                     static_cast<unsigned long long>(play.deals), play.draw, static_cast<long long>(tally.wins()),
                     percentText(tally.winRate()).c_str(), seconds, double(play.deals) / seconds,
                     arguments.out.c_str());
    if (!play.solve) {
        return;
    }
    const SolverTimes& times = findings.times;
    out << formatted("winnable: %lld of %lld decided (%s), %lld undecided; solver time per deal: median %.3f ms, "
                     "90th %.3f ms, 99th %.3f ms, max %.3f ms\n",
                     static_cast<long long>(tally.winnable()), static_cast<long long>(tally.decided()),
                     percentText(tally.winnableRate()).c_str(), static_cast<long long>(tally.undecided()),
                     times.median() * 1e3, times.percentile90() * 1e3, times.percentile99() * 1e3, times.max() * 1e3);
}

} // namespace

int runStudy(const StudyArguments& arguments, const ChartWriter& drawChart, std::ostream& out, std::ostream& err,
             bool showProgress) {
    if (!makeFolder(arguments.out)) {
        err << "dealwise-study: cannot make the folder " << arguments.out << "\n";
        return 1;
    }
    const auto started = std::chrono::steady_clock::now();
    ProgressBar progress(arguments.play.deals, err);
    const std::vector<DealResult> results = playDeals(arguments.play, [&](std::uint64_t done) {
        if (showProgress) {
            progress(done);
        }
    });
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    Findings findings;
    if (!writeResults(arguments, results, findings)) {
        err << "dealwise-study: could not write into " << arguments.out << "\n";
        return 1;
    }
    if (!drawChart(findings.tally, arguments.out + "/chart.svg", arguments.out + "/chart.png",
                   chartTitle(arguments.play))) {
        err << "dealwise-study: could not draw the chart into " << arguments.out << "\n";
        return 1;
    }
    reportFindings(out, arguments, findings, seconds);
    return 0;
}

} // namespace dealwise::study
