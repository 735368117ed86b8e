// SPDX-License-Identifier: MIT
#include "study/study_run.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <ostream>
#include <system_error>

#include "findings.h"
#include "formatted.h"
#include "progress_bar.h"
#include "study/csv.h"
#include "study/manifest.h"
#include "study/stop_signals.h"
#include "study/study_error.h"
#include "study/study_files.h"
#include "study/summary.h"

namespace dealwise::study {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A crash of the program loses at most this much of the rows done, one of
// the machine at most the other.
constexpr std::chrono::seconds kFlushEvery(1);
constexpr std::chrono::seconds kSyncEvery(5);

void makeFolder(const std::string& path) {
    std::error_code error;
    fs::create_directories(path, error);
    if (error) {
        throw StudyError("cannot make the folder " + path);
    }
}

bool exists(const std::string& path) {
    std::error_code ignored;
    return fs::exists(path, ignored);
}

// Reads back what an earlier run of the same study left, into `findings`;
// the number of deals done. A last row cut short is cut off.
std::uint64_t readEarlierRun(const StudyArguments& arguments, const RunManifest& wanted, Findings& findings) {
    const RunManifest found = readManifest(arguments.out);
    if (const auto difference = firstDifference(found, wanted)) {
        throw StudyError(arguments.out + " holds a study with " + *difference +
                         "; go on with it with its own options, or choose another folder");
    }
    const std::string csvPath = arguments.out + "/deals.csv";
    const RowsRead read = readRows(csvPath, found, [&findings](const CsvRow& row, std::string_view) {
        findings.add(row.result, row.solveMicroseconds);
    });
    if (read.torn) {
        std::error_code error;
        fs::resize_file(csvPath, read.keptBytes, error);
        if (error) {
            throw StudyError("cannot cut the last, unfinished row off " + csvPath + ": " + error.message());
        }
    }
    return read.rows;
}

void reportFindings(std::ostream& out, const StudyArguments& arguments, const Findings& findings,
                    std::uint64_t dealsPlayed, double seconds) {
    const PlayOptions& play = arguments.play;
    const StudyTally& tally = findings.tally;
    out << formatted("%llu deals, draw %d: %lld won (%s), %.1f s, %.0f deals/s; results in %s\n",
                     static_cast<unsigned long long>(play.deals), play.draw, static_cast<long long>(tally.wins()),
                     percentText(tally.winRate()).c_str(), seconds, double(dealsPlayed) / seconds,
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

// Plays the deals after the first `done` into deals.csv; the deals done in
// all when it stops, and the signal that stopped it.
struct Played {
    std::uint64_t done = 0;
    int signal = 0;
};

Played playInto(AppendFile& csv, const StudyArguments& arguments, std::uint64_t done, Findings& findings,
                std::ostream& err, bool showProgress, StopAt stopAt) {
    PlayOptions rest = arguments.play;
    rest.first += done;
    rest.deals -= done;
    ProgressBar progress(arguments.play.deals, err);
    auto lastFlush = Clock::now();
    auto lastSync = lastFlush;
    Played played{done, 0};
    const auto onDeal = [&](const DealResult& result) {
        csv.append(csvRow(result));
        findings.add(result, csvMicroseconds(result.solveSeconds));
        ++played.done;
        if (stopAt.deals != 0 && played.done >= stopAt.deals) {
            played.signal = SIGINT;
        }
        return played.signal == 0;
    };
    const auto keepGoing = [&](std::uint64_t) {
        if (showProgress) {
            progress(played.done);
        }
        if (const auto now = Clock::now(); now - lastSync >= kSyncEvery) {
            csv.sync();
            lastSync = lastFlush = now;
        } else if (now - lastFlush >= kFlushEvery) {
            csv.flush();
            lastFlush = now;
        }
        if (played.signal == 0) {
            played.signal = stopSignal();
        }
        return played.signal == 0;
    };
    if (rest.deals > 0) {
        (void)playDeals(rest, onDeal, keepGoing);
    }
    csv.sync();
    return played;
}

} // namespace

int runStudy(const StudyArguments& arguments, const ChartWriter& drawChart, std::ostream& out, std::ostream& err,
             bool showProgress, StopAt stopAt) {
    const std::string& folder = arguments.out;
    makeFolder(folder);
    const FolderLock lock(folder);
    const RunManifest wanted = manifestOf(arguments.play, arguments.version);
    const bool started = exists(folder + "/manifest.json");
    if (!arguments.resume && (started || exists(folder + "/deals.csv"))) {
        throw StudyError(folder + " already holds a study; to go on with it, add --resume; to start another, " +
                         "choose another folder with --out");
    }
    if (!started && exists(folder + "/deals.csv")) {
        throw StudyError(folder + " holds a deals.csv but no manifest.json, so not a study that can go on; " +
                         "choose another folder");
    }
    Findings findings;
    std::uint64_t done = 0;
    if (started) {
        done = readEarlierRun(arguments, wanted, findings);
    } else {
        writeManifest(folder, wanted);
    }
    const auto clockStarted = Clock::now();
    AppendFile csv(folder + "/deals.csv");
    if (done == 0) {
        // Whatever was there was a header cut short, or nothing.
        std::error_code ignored;
        fs::resize_file(folder + "/deals.csv", 0, ignored);
        csv.append(std::string(csvHeader(arguments.play.solve)) + "\n");
    }
    const std::uint64_t before = done;
    Played played;
    try {
        played = playInto(csv, arguments, done, findings, err, showProgress, stopAt);
    } catch (const WriteError& error) {
        throw WriteError(std::string(error.what()) + "; the rows written before are kept: make room and go on with " +
                         resumeCommand(arguments));
    }
    if (played.done < arguments.play.deals) {
        err << "dealwise-study: stopped after " << played.done << " of " << arguments.play.deals
            << " deals; to go on: " << resumeCommand(arguments) << "\n";
        return 128 + played.signal;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - clockStarted).count();
    writeReport(folder, arguments.play, findings, drawChart);
    reportFindings(out, arguments, findings, played.done - before, seconds);
    return 0;
}

} // namespace dealwise::study
