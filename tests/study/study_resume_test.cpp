// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "study/merge.h"
#include "study/study_error.h"
#include "study/study_files.h"
#include "study/study_run.h"
#include "study_test_support.h"

namespace dealwise::study {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::TemporaryFolder;

// Remembers the tally it was asked to draw, as the text of its counts.
struct ChartRecord {
    std::vector<std::string> drawn;

    ChartWriter writer() {
        return [this](const StudyTally& tally, const std::string&, const std::string&, const std::string& title) {
            std::ostringstream text;
            text << title << ":";
            for (const ScoreRow& row : tally.byScore()) {
                text << " " << row.score << "/" << row.deals << "/" << row.wins << "/" << row.winnable << "/"
                     << row.undecided;
            }
            drawn.push_back(text.str());
            return true;
        };
    }
};

StudyArguments study(std::uint64_t first, std::uint64_t deals, const std::string& out, bool solve = false) {
    StudyArguments arguments;
    arguments.play.first = first;
    arguments.play.deals = deals;
    arguments.play.threads = 2;
    arguments.play.solve = solve;
    if (solve) {
        arguments.play.solveSeconds = 0.0;
        arguments.play.solvePositions = 3000;
    }
    arguments.version = "test";
    arguments.out = out;
    return arguments;
}

struct Outcome {
    int status = 0;
    std::string err;
};

Outcome run(const StudyArguments& arguments, ChartRecord& chart, StopAt stopAt = {}) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = runStudy(arguments, chart.writer(), out, err, false, stopAt);
    return {status, err.str()};
}

std::string studyError(const std::function<void()>& action) {
    try {
        action();
    } catch (const StudyError& error) {
        return error.what();
    }
    return "no refusal";
}

// What a folder holds that does not depend on the clock: the solver's own
// times differ from run to run, but the summary's must follow the CSV's.
void expectSameFolders(const std::string& expected, const std::string& found) {
    for (const char* name : {"manifest.json", "deals.csv", "summary.md"}) {
        EXPECT_EQ(readFile(found + "/" + name), readFile(expected + "/" + name)) << name;
    }
}

TEST(StudyResume, GoesOnFromWhereAStopLeftOffToTheSameFiles) {
    const TemporaryFolder folder;
    ChartRecord chart;
    ASSERT_EQ(run(study(1, 700, folder / "whole"), chart).status, 0);

    const StudyArguments parts = study(1, 700, folder / "parts");
    ChartRecord partChart;
    const Outcome stopped = run(parts, partChart, StopAt{250});
    EXPECT_EQ(stopped.status, 130);
    EXPECT_EQ(stopped.err, "dealwise-study: stopped after 250 of 700 deals; to go on: dealwise-study --resume --out " +
                               parts.out + " --first 1 --deals 700 --draw 3 --threads 2\n");
    EXPECT_TRUE(partChart.drawn.empty());
    EXPECT_FALSE(fs::exists(parts.out + "/summary.md"));

    StudyArguments resumed = parts;
    resumed.resume = true;
    // A row cut short by a crash is dropped and played again.
    std::ofstream(parts.out + "/deals.csv", std::ios::app) << "251,QD 4C";
    EXPECT_EQ(run(resumed, partChart, StopAt{600}).status, 130);
    EXPECT_EQ(run(resumed, partChart).status, 0);
    expectSameFolders(folder / "whole", parts.out);
    EXPECT_EQ(partChart.drawn, chart.drawn);
    // Finished, it is finished: resuming again only writes the report again.
    EXPECT_EQ(run(resumed, partChart).status, 0);
    expectSameFolders(folder / "whole", parts.out);

    // --resume on an empty folder starts the study.
    StudyArguments fresh = study(1, 700, folder / "fresh");
    fresh.resume = true;
    EXPECT_EQ(run(fresh, partChart).status, 0);
    expectSameFolders(folder / "whole", fresh.out);
}

TEST(StudyResume, ASolvedStudyUnderAPositionLimitComesOutTheSame) {
    const TemporaryFolder folder;
    ChartRecord chart;
    StudyArguments parts = study(40, 12, folder / "parts", true);
    EXPECT_EQ(run(parts, chart, StopAt{5}).status, 130);
    parts.resume = true;
    EXPECT_EQ(run(parts, chart).status, 0);
    ASSERT_EQ(run(study(40, 12, folder / "whole", true), chart).status, 0);
    const auto verdicts = [](const std::string& csv) {
        std::string text;
        std::istringstream lines(csv);
        for (std::string line; std::getline(lines, line);) {
            text += line.substr(0, line.rfind(',')) + "\n";
        }
        return text;
    };
    EXPECT_EQ(verdicts(readFile(parts.out + "/deals.csv")), verdicts(readFile(folder / "whole/deals.csv")));
    EXPECT_EQ(chart.drawn[0], chart.drawn[1]);
    // The summary's times are those of the rows: merging the folder alone,
    // which reads them back, writes the same summary.
    std::ostringstream out;
    runMerge({folder / "again", {parts.out}}, chart.writer(), out);
    expectSameFolders(parts.out, folder / "again");
}

TEST(StudyResume, RefusesAnotherStudyOrASecondWriter) {
    const TemporaryFolder folder;
    ChartRecord chart;
    const StudyArguments first = study(1, 50, folder / "run");
    ASSERT_EQ(run(first, chart, StopAt{10}).status, 130);

    StudyArguments other = study(1, 50, first.out);
    other.resume = true;
    other.play.draw = 1;
    EXPECT_EQ(studyError([&] { (void)run(other, chart); }),
              first.out + " holds a study with --draw 3, not --draw 1; go on with it with its own options, or "
                          "choose another folder");
    other = study(1, 60, first.out);
    other.resume = true;
    EXPECT_EQ(studyError([&] { (void)run(other, chart); }),
              first.out + " holds a study with --deals 50, not --deals 60; go on with it with its own options, or "
                          "choose another folder");
    EXPECT_EQ(studyError([&] { (void)run(first, chart); }),
              first.out + " already holds a study; to go on with it, add --resume; to start another, choose "
                          "another folder with --out");

    StudyArguments resumed = first;
    resumed.resume = true;
    {
        const FolderLock busy(first.out);
        EXPECT_EQ(studyError([&] { (void)run(resumed, chart); }),
                  "another study is writing into " + first.out + "; wait for it to end, or choose another folder");
    }
    // A row spoilt in the middle is named, not dropped.
    std::string csv = readFile(first.out + "/deals.csv");
    csv.replace(csv.find("\n5,") + 1, 1, "x");
    std::ofstream(first.out + "/deals.csv", std::ios::binary) << csv;
    EXPECT_EQ(studyError([&] { (void)run(resumed, chart); }),
              first.out + "/deals.csv line 6 is not a row of this study; mend or remove it, or start again in "
                          "another folder");
    std::ofstream(first.out + "/manifest.json") << "{\"program\": \"dealwise-study\", \"version\": 2}";
    EXPECT_EQ(studyError([&] { (void)run(resumed, chart); }),
              first.out + "/manifest.json is no study's manifest that this program can read (its \"version\" is "
                          "not of the right kind); choose another folder");
}

TEST(StudyMerge, ShardsMergeIntoTheStudyOfAllTheirDeals) {
    const TemporaryFolder folder;
    ChartRecord chart;
    ASSERT_EQ(run(study(1, 500, folder / "whole"), chart).status, 0);
    ASSERT_EQ(run(study(1, 200, folder / "a"), chart).status, 0);
    ASSERT_EQ(run(study(201, 100, folder / "b"), chart).status, 0);
    ASSERT_EQ(run(study(301, 200, folder / "c"), chart).status, 0);
    std::ostringstream out;
    runMerge({folder / "merged", {folder / "c", folder / "a", folder / "b"}}, chart.writer(), out);
    EXPECT_EQ(out.str(),
              "500 deals, draw 3: 72 won (14.40 %); merged from 3 shards into " + (folder / "merged") + "\n");
    expectSameFolders(folder / "whole", folder / "merged");
    EXPECT_EQ(chart.drawn.back(), chart.drawn.front());
}

TEST(StudyMerge, RefusesShardsThatDoNotMakeOneStudy) {
    const TemporaryFolder folder;
    ChartRecord chart;
    ASSERT_EQ(run(study(1, 100, folder / "a"), chart).status, 0);
    ASSERT_EQ(run(study(101, 100, folder / "b"), chart).status, 0);
    ASSERT_EQ(run(study(151, 100, folder / "overlap"), chart).status, 0);
    ASSERT_EQ(run(study(301, 100, folder / "gap"), chart).status, 0);
    StudyArguments drawOne = study(201, 100, folder / "draw one");
    drawOne.play.draw = 1;
    ASSERT_EQ(run(drawOne, chart).status, 0);
    ASSERT_EQ(run(study(201, 100, folder / "unfinished"), chart, StopAt{40}).status, 130);
    const auto merge = [&](std::vector<std::string> shards) {
        return studyError([&] {
            std::ostringstream out;
            runMerge({folder / "merged", std::move(shards)}, chart.writer(), out);
        });
    };
    EXPECT_EQ(merge({folder / "a", folder / "draw one"}), "the shards were not run alike: " + (folder / "draw one") +
                                                              " has --draw 1, not --draw 3 of " + (folder / "a") +
                                                              "; merge only shards of the same settings");
    EXPECT_EQ(merge({folder / "a", folder / "b", folder / "overlap"}),
              "deals 151 to 200 are in both " + (folder / "b") + " and " + (folder / "overlap") +
                  "; merge shards that do not overlap");
    EXPECT_EQ(merge({folder / "gap", folder / "a", folder / "b"}),
              "deals 201 to 300 are in no shard; run them and merge that shard too");
    EXPECT_EQ(merge({folder / "a", folder / "b", folder / "unfinished"}),
              (folder / "unfinished") + " is unfinished: it holds 40 of its 100 deals; finish it with --resume first");
    EXPECT_FALSE(fs::exists(folder / "merged"));
    EXPECT_EQ(merge({folder / "a", folder / "b", folder / "missing"}),
              "cannot read " + (folder / "missing/manifest.json") + "; check that it is there and readable");
}

} // namespace
} // namespace dealwise::study
