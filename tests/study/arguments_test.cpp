// SPDX-License-Identifier: MIT
#include "study/arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dealwise::study {
namespace {

ParsedArguments parse(std::vector<const char*> words) {
    words.insert(words.begin(), "dealwise-study");
    return parseArguments(static_cast<int>(words.size()), words.data(), "1.00");
}

TEST(StudyArguments, DefaultsAndEveryOption) {
    const struct {
        std::vector<const char*> words;
        PlayOptions play; // first, deals, draw, threads, solve, solveSeconds
        std::string out;
    } cases[] = {
        {{}, {1, 1000, 3, 0, false, 10.0}, "study"},
        {{"--deals", "50", "--first", "7", "--draw", "1", "--threads", "4", "--solve", "--solve-seconds", "0.25",
          "--out", "results/draw one"},
         {7, 50, 1, 4, true, 0.25},
         "results/draw one"},
        // The edges of what each option takes.
        {{"--first", "0", "--deals", "999999999999", "--threads", "1024", "--solve-seconds", "86400"},
         {0, 999999999999, 3, 1024, false, 86400.0},
         "study"},
    };
    for (const auto& c : cases) {
        const ParsedArguments parsed = parse(c.words);
        ASSERT_TRUE(parsed.study.has_value()) << parsed.message;
        const PlayOptions& play = parsed.study->play;
        EXPECT_EQ(play.first, c.play.first);
        EXPECT_EQ(play.deals, c.play.deals);
        EXPECT_EQ(play.draw, c.play.draw);
        EXPECT_EQ(play.threads, c.play.threads);
        EXPECT_EQ(play.solve, c.play.solve);
        EXPECT_EQ(play.solveSeconds, c.play.solveSeconds);
        EXPECT_EQ(parsed.study->out, c.out);
        EXPECT_EQ(parsed.exitStatus, 0);
        EXPECT_EQ(parsed.message, "");
    }
}

TEST(StudyArguments, RefusesBadValuesWithTheirText) {
    const struct {
        std::vector<const char*> words;
        const char* message;
    } cases[] = {
        {{"--deals", "0"}, "--deals \"0\" is not understood"},
        {{"--deals", "1234567890123"}, "--deals \"1234567890123\" is not understood"},
        {{"--deals", "-5"}, "--deals \"-5\" is not understood"},
        {{"--deals", "1e3"}, "--deals \"1e3\" is not understood"},
        {{"--deals", ""}, "--deals \"\" is not understood"},
        {{"--first", "one"}, "--first \"one\" is not understood"},
        {{"--draw", "2"}, "--draw \"2\" is not understood"},
        {{"--threads", "0"}, "--threads \"0\" is not understood"},
        {{"--threads", "1025"}, "--threads \"1025\" is not understood"},
        {{"--solve-seconds", "0"}, "--solve-seconds \"0\" is not understood"},
        {{"--solve-seconds", "-1"}, "--solve-seconds \"-1\" is not understood"},
        {{"--solve-seconds", "86400.5"}, "--solve-seconds \"86400.5\" is not understood"},
        {{"--solve-seconds", "ten"}, "--solve-seconds \"ten\" is not understood"},
        {{"--solve-seconds", "nan"}, "--solve-seconds \"nan\" is not understood"},
        {{"--frobnicate", "1"}, "\"--frobnicate\" \"1\" is not understood"},
        // A terminal escape reaches the message as text, not as an escape.
        {{"--deals", "\x1b[31m5"}, "--deals \"\\x1b[31m5\" is not understood"},
        {{"--\x9b"
          "2J",
          "1"},
         "\"--\\x9b2J\" \"1\" is not understood"},
        {{"--deals", "5", "--out"}, "--out needs a value"},
        {{"stray"}, "\"stray\" needs a value"},
        {{"--deals", "0", "--help"}, "--deals \"0\" is not understood"},
    };
    for (const auto& c : cases) {
        const ParsedArguments parsed = parse(c.words);
        EXPECT_FALSE(parsed.study.has_value()) << c.message;
        EXPECT_EQ(parsed.exitStatus, 2) << c.message;
        EXPECT_EQ(parsed.message, "dealwise-study: " + std::string(c.message) + "; see dealwise-study --help\n");
    }
}

TEST(StudyArguments, HelpAndVersionEndTheRun) {
    const ParsedArguments version = parse({"--deals", "5", "--version", "--deals", "0"});
    EXPECT_FALSE(version.study.has_value());
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_EQ(version.message, "dealwise-study 1.00\n");

    const ParsedArguments help = parse({"--help", "--deals", "0"});
    EXPECT_FALSE(help.study.has_value());
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_TRUE(help.message.starts_with("Usage: dealwise-study [--deals N]")) << help.message;
    for (const char* option :
         {"--deals N", "--first N", "--draw 1|3", "--threads N", "--out FOLDER", "--solve", "--solve-seconds S"}) {
        EXPECT_NE(help.message.find(option), std::string::npos) << option;
    }
}

} // namespace
} // namespace dealwise::study
