// SPDX-License-Identifier: MIT
#include "study/study_run.h"

// GCC 12 at -O2 with the sanitizers warns of std::regex's own state as
// maybe uninitialized, inside <functional>; nothing here can reach it.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "study/study_error.h"
#include "study_test_support.h"

namespace dealwise::study {
namespace {

namespace fs = std::filesystem;

using testing::readFile;
using testing::TemporaryFolder;

// The clock's figures, which no two runs share, as "_".
std::string withoutTimes(std::string text) {
    text = std::regex_replace(text, std::regex(R"([0-9]+\.[0-9]{3} ms)"), "_ ms");
    text = std::regex_replace(text, std::regex(R"(,[0-9]+\.[0-9]{3}\n)"), ",_\n");
    return std::regex_replace(text, std::regex(R"([0-9]+\.[0-9] s, [0-9]+ deals/s)"), "_ s, _ deals/s");
}

struct ChartCall {
    std::int64_t deals = 0;
    std::string svgPath;
    std::string pngPath;
    std::string title;
    bool operator==(const ChartCall&) const = default;
};

// Stands in for the Qt chart: remembers what it was asked to draw.
struct FakeChart {
    bool draws = true;
    std::vector<ChartCall> calls;

    ChartWriter writer() {
        return [this](const StudyTally& tally, const std::string& svgPath, const std::string& pngPath,
                      const std::string& title) {
            calls.push_back({tally.deals(), svgPath, pngPath, title});
            return draws;
        };
    }
};

struct RunOutput {
    int status = 0;
    std::string out;
    std::string err;
};

RunOutput run(const StudyArguments& arguments, FakeChart& chart, bool showProgress = false) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = runStudy(arguments, chart.writer(), out, err, showProgress);
    return {status, out.str(), err.str()};
}

StudyArguments study(std::uint64_t first, std::uint64_t deals, int draw, const std::string& out) {
    StudyArguments arguments;
    arguments.play.first = first;
    arguments.play.deals = deals;
    arguments.play.draw = draw;
    arguments.play.threads = 1;
    arguments.out = out;
    return arguments;
}

// The expected files are those of a run of the program before its logic
// moved into the library.
TEST(StudyRun, WritesTheDealsTheSummaryAndTheChart) {
    const TemporaryFolder folder;
    // A folder two levels down, made on the way.
    const std::string out = folder / "draw one/five deals";
    FakeChart chart;
    const RunOutput result = run(study(8, 5, 1, out), chart);

    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(withoutTimes(result.out), "5 deals, draw 1: 2 won (40.00 %), _ s, _ deals/s; results in " + out + "\n");
    EXPECT_EQ(chart.calls, (std::vector<ChartCall>{{5, out + "/chart.svg", out + "/chart.png",
                                                    "Greedy wins by Dealwise score, draw 1, 5 deals"}}));
    EXPECT_EQ(readFile(out + "/deals.csv"), "deal,cards,score,won,moves\n"
                                            "8,8C 6C JD 7S KD 10H 5C,-2,1,186\n"
                                            "9,7H 2S 7C 4C AH 6S 8D,-4,0,2059\n"
                                            "10,AS 6S 10H 8D AD 7H 2D,1,0,97\n"
                                            "11,10D 7H 7C 5D 5C KS 6C,-6,1,222\n"
                                            "12,JS KS QC KH 5S 6S KD,-2,0,170\n");
    EXPECT_EQ(readFile(out + "/summary.md"),
              "# Dealwise study: 5 deals, draw 1, first deal 8\n"
              "\n"
              "Won 2 of 5: 40.00 % (95 % Wilson interval 11.76 % to 76.93 %).\n"
              "\n"
              "Area under the ROC curve of the score as a predictor of a win: 0.2500 (0.5 is no better than chance, "
              "1 separates wins from losses).\n"
              "\n"
              "## Win rate by score\n"
              "\n"
              "| score | deals | share | wins | win rate | 95 % interval |\n"
              "|------:|------:|------:|-----:|---------:|:--------------|\n"
              "| -6 | 1 | 20.00 % | 1 | 100.00 % | 20.65 % to 100.00 % |\n"
              "| -4 | 1 | 20.00 % | 0 | 0.00 % | 0.00 % to 79.35 % |\n"
              "| -2 | 2 | 40.00 % | 1 | 50.00 % | 9.45 % to 90.55 % |\n"
              "| 1 | 1 | 20.00 % | 0 | 0.00 % | 0.00 % to 79.35 % |\n"
              "\n"
              "## Playing only deals that score S or more\n"
              "\n"
              "| play only S or more | share kept | win rate | 95 % interval |\n"
              "|--------------------:|-----------:|---------:|:--------------|\n"
              "| -6 | 100.00 % | 40.00 % | 11.76 % to 76.93 % |\n"
              "| -5 | 80.00 % | 25.00 % | 4.56 % to 69.94 % |\n"
              "| -4 | 80.00 % | 25.00 % | 4.56 % to 69.94 % |\n"
              "| -3 | 60.00 % | 33.33 % | 6.15 % to 79.23 % |\n"
              "| -2 | 60.00 % | 33.33 % | 6.15 % to 79.23 % |\n"
              "| -1 | 20.00 % | 0.00 % | 0.00 % to 79.35 % |\n"
              "| 0 | 20.00 % | 0.00 % | 0.00 % to 79.35 % |\n"
              "| 1 | 20.00 % | 0.00 % | 0.00 % to 79.35 % |\n");
}

TEST(StudyRun, AddsTheSolversVerdictsAndTimes) {
    const TemporaryFolder folder;
    const std::string out = folder / "solved";
    StudyArguments arguments = study(32, 3, 3, out);
    arguments.play.solve = true;
    arguments.play.solveSeconds = 60.0;
    arguments.play.threads = 2;
    FakeChart chart;
    const RunOutput result = run(arguments, chart);

    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(withoutTimes(result.out), "3 deals, draw 3: 2 won (66.67 %), _ s, _ deals/s; results in " + out +
                                            "\n"
                                            "winnable: 2 of 3 decided (66.67 %), 0 undecided; solver time per deal: "
                                            "median _ ms, 90th _ ms, 99th _ ms, max _ ms\n");
    EXPECT_EQ(chart.calls,
              (std::vector<ChartCall>{{3, out + "/chart.svg", out + "/chart.png",
                                       "Greedy wins and winnable deals by Dealwise score, draw 3, 3 deals"}}));
    EXPECT_EQ(withoutTimes(readFile(out + "/deals.csv")), "deal,cards,score,won,moves,winnable,solve_ms\n"
                                                          "32,7D AC JC 9C 7C 2C 4S,-5,1,122,1,_\n"
                                                          "33,4H 2D 5D 10D 4S 10S JH,-8,1,479,1,_\n"
                                                          "34,9H 3H 5D 3D 8C 2D 7D,-9,0,41,0,_\n");
    EXPECT_EQ(
        withoutTimes(readFile(out + "/summary.md")),
        "# Dealwise study: 3 deals, draw 3, first deal 32\n"
        "\n"
        "Won 2 of 3: 66.67 % (95 % Wilson interval 20.77 % to 93.85 %).\n"
        "\n"
        "Area under the ROC curve of the score as a predictor of a win: 1.0000 (0.5 is no better than chance, "
        "1 separates wins from losses).\n"
        "\n"
        "Winnable (exact solver, every card seen): 2 of 3 decided deals: 66.67 % (95 % Wilson interval 20.77 % to "
        "93.85 %); 0 undecided at the time limit of 60 s.\n"
        "\n"
        "Area under the ROC curve of the score as a predictor of a winnable deal, undecided deals left out: 1.0000.\n"
        "\n"
        "## Win rate by score\n"
        "\n"
        "| score | deals | share | wins | win rate | 95 % interval | winnable | winnable rate | 95 % interval | "
        "undecided |\n"
        "|------:|------:|------:|-----:|---------:|:--------------|---------:|--------------:|:--------------|"
        "----------:|\n"
        "| -9 | 1 | 33.33 % | 0 | 0.00 % | 0.00 % to 79.35 % | 0 | 0.00 % | 0.00 % to 79.35 % | 0 |\n"
        "| -8 | 1 | 33.33 % | 1 | 100.00 % | 20.65 % to 100.00 % | 1 | 100.00 % | 20.65 % to 100.00 % | 0 |\n"
        "| -5 | 1 | 33.33 % | 1 | 100.00 % | 20.65 % to 100.00 % | 1 | 100.00 % | 20.65 % to 100.00 % | 0 |\n"
        "\n"
        "## Playing only deals that score S or more\n"
        "\n"
        "| play only S or more | share kept | win rate | 95 % interval | winnable rate | 95 % interval |\n"
        "|--------------------:|-----------:|---------:|:--------------|--------------:|:--------------|\n"
        "| -9 | 100.00 % | 66.67 % | 20.77 % to 93.85 % | 66.67 % | 20.77 % to 93.85 % |\n"
        "| -8 | 66.67 % | 100.00 % | 34.24 % to 100.00 % | 100.00 % | 34.24 % to 100.00 % |\n"
        "| -7 | 33.33 % | 100.00 % | 20.65 % to 100.00 % | 100.00 % | 20.65 % to 100.00 % |\n"
        "| -6 | 33.33 % | 100.00 % | 20.65 % to 100.00 % | 100.00 % | 20.65 % to 100.00 % |\n"
        "| -5 | 33.33 % | 100.00 % | 20.65 % to 100.00 % | 100.00 % | 20.65 % to 100.00 % |\n"
        "\n"
        "## Solver time per deal\n"
        "\n"
        "| median | 90th percentile | 99th percentile | maximum |\n"
        "|-------:|----------------:|----------------:|--------:|\n"
        "| _ ms | _ ms | _ ms | _ ms |\n"
        "\n"
        "Nearest-rank percentiles of the solver's time on 3 deals; 0 undecided at the time limit of 60 s.\n");
}

std::string refusal(const StudyArguments& arguments, FakeChart& chart) {
    try {
        (void)run(arguments, chart);
    } catch (const StudyError& error) {
        return error.what();
    }
    return "no refusal";
}

TEST(StudyRun, StopsWithTheReasonWhenSomethingCannotBeWritten) {
    const TemporaryFolder folder;
    std::ofstream(folder / "a file") << "in the way\n";
    const std::string underAFile = folder / "a file/study";
    FakeChart unused;
    EXPECT_EQ(refusal(study(1, 1, 3, underAFile), unused), "cannot make the folder " + underAFile);

    // A folder where the CSV should go.
    const std::string blocked = folder / "blocked";
    fs::create_directories(blocked + "/deals.csv");
    EXPECT_EQ(refusal(study(1, 1, 3, blocked), unused),
              blocked + " already holds a study; to go on with it, add --resume; to start another, choose another "
                        "folder with --out");
    StudyArguments resumed = study(1, 1, 3, blocked);
    resumed.resume = true;
    EXPECT_EQ(refusal(resumed, unused), blocked + " holds a deals.csv but no manifest.json, so not a study that can "
                                                  "go on; choose another folder");
    EXPECT_TRUE(unused.calls.empty());

    const std::string out = folder / "no chart";
    FakeChart failing{false, {}};
    EXPECT_EQ(refusal(study(1, 1, 3, out), failing),
              "could not draw the chart into " + out + "; check that the folder is writable");
    EXPECT_EQ(failing.calls.size(), 1U);
}

TEST(StudyRun, DrawsAProgressBarOnlyWhenAsked) {
    const TemporaryFolder folder;
    FakeChart chart;
    const RunOutput quiet = run(study(1, 2, 3, folder / "quiet"), chart, false);
    EXPECT_EQ(quiet.err, "");

    // Redrawn in place now and then, however often the clock allows, and
    // full once at the end.
    const RunOutput shown = run(study(1, 2, 3, folder / "shown"), chart, true);
    EXPECT_EQ(shown.status, 0);
    const std::regex bar(R"((\r\[[#.]{30}\] +[0-9]+%  [0-2]/2 deals  [0-9]+\.[0-9]k deals/s  [0-9]+:[0-9]{2} left )*)"
                         R"(\r\[#{30}\] 100%  2/2 deals  [0-9]+\.[0-9]k deals/s  0:00 left \n)");
    EXPECT_TRUE(std::regex_match(shown.err, bar)) << shown.err;
}

} // namespace
} // namespace dealwise::study
