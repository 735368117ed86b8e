// SPDX-License-Identifier: MIT
#include "study/merge.h"

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <system_error>
#include <vector>

#include "findings.h"
#include "formatted.h"
#include "study/manifest.h"
#include "study/study_error.h"
#include "study/study_files.h"
#include "study/summary.h"

namespace dealwise::study {
namespace {

namespace fs = std::filesystem;

struct Shard {
    std::string folder;
    RunManifest manifest;

    [[nodiscard]] std::uint64_t last() const { return manifest.first + manifest.deals - 1; }
};

std::string rangeText(std::uint64_t from, std::uint64_t to) {
    return from == to ? "deal " + std::to_string(from) : "deals " + std::to_string(from) + " to " + std::to_string(to);
}

std::vector<Shard> readShards(const MergeArguments& arguments) {
    std::vector<Shard> shards;
    for (const std::string& folder : arguments.shards) {
        shards.push_back({folder, readManifest(folder)});
        if (const auto difference = firstDifference(shards.back().manifest, shards.front().manifest, false)) {
            throw StudyError("the shards were not run alike: " + folder + " has " + *difference + " of " +
                             shards.front().folder + "; merge only shards of the same settings");
        }
    }
    std::sort(shards.begin(), shards.end(),
              [](const Shard& a, const Shard& b) { return a.manifest.first < b.manifest.first; });
    for (std::size_t i = 1; i < shards.size(); ++i) {
        const Shard& before = shards[i - 1];
        const Shard& shard = shards[i];
        if (shard.manifest.first <= before.last()) {
            throw StudyError(rangeText(shard.manifest.first, std::min(before.last(), shard.last())) + " are in both " +
                             before.folder + " and " + shard.folder + "; merge shards that do not overlap");
        }
        if (shard.manifest.first > before.last() + 1) {
            throw StudyError(rangeText(before.last() + 1, shard.manifest.first - 1) +
                             " are in no shard; run them and merge that shard too");
        }
    }
    return shards;
}

// Every row of every shard read and checked, before a byte is written.
void checkFinished(const std::vector<Shard>& shards) {
    for (const Shard& shard : shards) {
        const RowsRead read = readRows(shard.folder + "/deals.csv", shard.manifest, [](const CsvRow&, auto) {});
        if (read.rows < shard.manifest.deals) {
            throw StudyError(shard.folder + " is unfinished: it holds " + std::to_string(read.rows) + " of its " +
                             std::to_string(shard.manifest.deals) + " deals; finish it with --resume first");
        }
    }
}

} // namespace

void runMerge(const MergeArguments& arguments, const ChartWriter& drawChart, std::ostream& out) {
    const std::vector<Shard> shards = readShards(arguments);
    checkFinished(shards);
    RunManifest merged = shards.front().manifest;
    merged.deals = shards.back().last() - merged.first + 1;

    const std::string& folder = arguments.out;
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        throw StudyError("cannot make the folder " + folder);
    }
    const FolderLock lock(folder);
    if (fs::exists(folder + "/manifest.json", error) || fs::exists(folder + "/deals.csv", error)) {
        throw StudyError(folder + " already holds a study; choose another folder with --out");
    }
    writeManifest(folder, merged);
    Findings findings;
    {
        AppendFile csv(folder + "/deals.csv");
        csv.append(std::string(csvHeader(merged.solve)) + "\n");
        for (const Shard& shard : shards) {
            (void)readRows(shard.folder + "/deals.csv", shard.manifest, [&](const CsvRow& row, std::string_view line) {
                findings.add(row.result, row.solveMicroseconds);
                csv.append(line);
                csv.append("\n");
            });
        }
        csv.sync();
    }
    writeReport(folder, playOptionsOf(merged), findings, drawChart);
    out << formatted("%llu deals, draw %d: %lld won (%s); merged from %zu shards into %s\n",
                     static_cast<unsigned long long>(merged.deals), merged.draw,
                     static_cast<long long>(findings.tally.wins()), percentText(findings.tally.winRate()).c_str(),
                     shards.size(), folder.c_str());
}

} // namespace dealwise::study
