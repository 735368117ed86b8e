// SPDX-License-Identifier: MIT
#include "study/manifest.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "study/study_error.h"
#include "study_test_support.h"

namespace dealwise::study {
namespace {

using testing::TemporaryFolder;

PlayOptions solvedPlay() {
    PlayOptions play;
    play.first = 101;
    play.deals = 300;
    play.draw = 1;
    play.solve = true;
    play.solveSeconds = 0.0;
    play.solvePositions = 20000;
    return play;
}

TEST(StudyManifest, WritesEverySettingAndReadsItBack) {
    const RunManifest manifest = manifestOf(solvedPlay(), "1.00");
    EXPECT_EQ(manifestText(manifest), R"({
  "program": "dealwise-study",
  "version": "1.00",
  "draw": 1,
  "first": 101,
  "deals": 300,
  "solve": true,
  "solve_seconds": null,
  "solve_positions": 20000,
  "columns": [
    "deal",
    "cards",
    "score",
    "won",
    "moves",
    "winnable",
    "solve_ms"
  ]
}
)");
    EXPECT_EQ(parseManifest(manifestText(manifest)), manifest);

    PlayOptions timed = solvedPlay();
    timed.solveSeconds = 0.25;
    timed.solvePositions = 0;
    EXPECT_EQ(parseManifest(manifestText(manifestOf(timed, "1.00"))).solveSeconds, 0.25);

    // Without the solver its limits are no part of the study.
    PlayOptions greedy;
    greedy.solvePositions = 5;
    const RunManifest plain = manifestOf(greedy, "1.00");
    EXPECT_EQ(plain.solveSeconds, 0.0);
    EXPECT_EQ(plain.solvePositions, 0U);
    EXPECT_EQ(parseManifest(manifestText(plain)), plain);

    const TemporaryFolder folder;
    writeManifest(folder / ".", manifest);
    EXPECT_EQ(readManifest(folder / "."), manifest);
    EXPECT_EQ(testing::readFile(folder / "./manifest.json"), manifestText(manifest));
}

TEST(StudyManifest, NamesTheFirstDifference) {
    const RunManifest wanted = manifestOf(solvedPlay(), "1.00");
    const auto differenceWith = [&](auto change) {
        RunManifest found = wanted;
        change(found);
        return firstDifference(found, wanted).value_or("none");
    };
    EXPECT_EQ(differenceWith([](RunManifest&) {}), "none");
    EXPECT_EQ(differenceWith([](RunManifest& m) { m.version = "0.9"; }), "version 0.9, not 1.00");
    EXPECT_EQ(differenceWith([](RunManifest& m) { m.draw = 3; }), "--draw 3, not --draw 1");
    EXPECT_EQ(differenceWith([](RunManifest& m) { m.first = 1; }), "--first 1, not --first 101");
    EXPECT_EQ(differenceWith([](RunManifest& m) { m.deals = 30; }), "--deals 30, not --deals 300");
    EXPECT_EQ(differenceWith([](RunManifest& m) { m.solve = false; }), "no --solve, not with it");
    EXPECT_EQ(differenceWith([](RunManifest& m) { m.solveSeconds = 2.5; }),
              "--solve-seconds 2.5, not no --solve-seconds");
    EXPECT_EQ(differenceWith([](RunManifest& m) { m.solvePositions = 0; }),
              "no --solve-positions, not --solve-positions 20000");
    // Settings before the range; the range only when asked.
    EXPECT_EQ(differenceWith([](RunManifest& m) {
                  m.deals = 1;
                  m.draw = 3;
              }),
              "--draw 3, not --draw 1");
    RunManifest shard = wanted;
    shard.first = 401;
    EXPECT_FALSE(firstDifference(shard, wanted, false));
}

TEST(StudyManifest, RefusesWhatIsNoManifest) {
    const std::string good = manifestText(manifestOf(solvedPlay(), "1.00"));
    const auto reason = [](const std::string& text) {
        try {
            (void)parseManifest(text);
        } catch (const std::invalid_argument& error) {
            return std::string(error.what());
        }
        return std::string("read");
    };
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    EXPECT_EQ(reason(""), "it is not a JSON object");
    EXPECT_EQ(reason("[1]"), "it is not a JSON object");
    EXPECT_EQ(reason(good.substr(0, good.size() / 2)), "it is not a JSON object");
    EXPECT_EQ(reason(replaced("dealwise-study", "dealwise-score")), "it is not dealwise-study's");
    EXPECT_EQ(reason(replaced("\"draw\"", "\"drawn\"")), "it has no \"draw\"");
    EXPECT_EQ(reason(replaced("\"deals\": 300", "\"deals\": \"300\"")), "its \"deals\" is not of the right kind");
    // Numbers that do not fit the setting are refused, never converted.
    EXPECT_EQ(reason(replaced("\"draw\": 1", "\"draw\": 3.7e22")), "its \"draw\" is not of the right kind");
    EXPECT_EQ(reason(replaced("\"draw\": 1", "\"draw\": 4294967299")), "its \"draw\" is not of the right kind");
    EXPECT_EQ(reason(replaced("\"deals\": 300", "\"deals\": -1")), "its \"deals\" is not of the right kind");
    EXPECT_EQ(reason(replaced("\"deals\": 300", "\"deals\": 300.5")), "its \"deals\" is not of the right kind");
    EXPECT_EQ(reason(replaced("\"draw\": 1", "\"draw\": 2")), "its settings are not those of any study");
    EXPECT_EQ(reason(replaced("\"solve_ms\"", "\"ms\"")), "its settings are not those of any study");

    const TemporaryFolder folder;
    try {
        (void)readManifest(folder / ".");
        FAIL() << "read a manifest that is not there";
    } catch (const StudyError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "cannot read " + (folder / "./manifest.json") + "; check that it is there and readable");
    }
    std::ofstream(folder / "./manifest.json") << "{}";
    try {
        (void)readManifest(folder / ".");
        FAIL() << "read an empty object";
    } catch (const StudyError& error) {
        EXPECT_EQ(std::string(error.what()), (folder / "./manifest.json") +
                                                 " is no study's manifest that this program can read (it has no "
                                                 "\"program\"); choose another folder");
    }
}

} // namespace
} // namespace dealwise::study
