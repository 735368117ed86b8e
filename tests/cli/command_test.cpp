// SPDX-License-Identifier: MIT
#include "cli/command.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace dealwise::cli {
namespace {

// What the output pane shows for AS 2S 3S 4H 9C 10D KC and one Run; the
// end-to-end test of the program reads the same file.
const std::string kWorkedExample = [] {
    std::ifstream in(DEALWISE_WORKED_EXAMPLE);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}();

const std::string kThreeFours = "HAND----  A  2  3  4  5  6  7  8  9 10  J  Q  K\n"
                                "Spades     0  0  0  1  0  0  0  0  1  0  1  0  0 \n"
                                "Clubs        0  0  0  1  0  0  0  0  0  1  0  0  0 \n"
                                "Diamonds  0  0  0  0  0  0  0  0  0  0  0  1  0 \n"
                                "Hearts       0  0  0  1  0  0  0  0  0  0  0  0  0 \n"
                                "#ACES=  0                       SCORE=  0 \n"
                                "LOW CARDS= -3             SCORE= -3 \n"
                                "FACE CARDS=  2            SCORE= -1 \n"
                                "DUPS=  0 >DUPS=  1 \n"
                                "gdu score=-1 \n"
                                "gd2                                  SCORE= -4 \n"
                                "BLACK=  5                       SCORE= -7 \n"
                                "RED=    2                         SCORE= -7 \n"
                                "ACE-UP PLAYS=  0         SCORE= -7 \n"
                                "PLAY (2-K)=  1                 SCORE= -6 \n"
                                "1st Ace?  0 KINGS?  0  0  0  0  0  0  0 \n"
                                "                             FINAL SCORE= -6 \n";

const std::string kNotACard =
    " is not a card; a card is a rank A, 2-10 (or T), J, Q or K followed by a suit S, C, D or H, as in AS or 10h\n";

struct Case {
    const char* name;
    std::vector<std::string_view> args;
    int status;
    std::string out;
    std::string errors;
    std::string_view input = "";
};

void PrintTo(const Case& c, std::ostream* os) {
    for (const std::string_view arg : c.args) {
        *os << '[' << arg << ']';
    }
}

std::string caseName(const ::testing::TestParamInfo<Case>& info) { return info.param.name; }

class RunCommandTest : public ::testing::TestWithParam<Case> {};

TEST_P(RunCommandTest, WritesExactlyTheExpectedStreamsAndStatus) {
    StringReader in(GetParam().input);
    StringWriter out;
    StringWriter errors;
    const int status = runCommand(GetParam().args, in, out, errors, "9.99");
    EXPECT_EQ(out.text(), GetParam().out);
    EXPECT_EQ(errors.text(), GetParam().errors);
    EXPECT_EQ(status, GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(
    Hands, RunCommandTest,
    ::testing::Values(
        Case{"WorkedExample", {"AS", "2S", "3S", "4H", "9C", "10D", "KC"}, 0, kWorkedExample, ""},
        // The grid shows the hand as entered, before Run took 2S and 3S out.
        Case{"AnyOrderAnyCaseSameGrid", {"kc", "10d", "9C", "4h", "3S", "2s", "As"}, 0, kWorkedExample, ""},
        Case{"AfterDoubleDash", {"--", "AS", "2S", "3S", "4H", "9C", "TD", "KC"}, 0, kWorkedExample, ""},
        Case{"ThreeFours", {"4S", "4C", "4H", "9S", "10C", "JS", "QD"}, 0, kThreeFours, ""}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    BadHands, RunCommandTest,
    ::testing::Values(
        Case{"RankOne", {"AS", "2S", "3S", "1S", "9C", "10D", "KC"}, 2, "", "dealwise-score: \"1S\"" + kNotACard},
        Case{"SuitX", {"AS", "2S", "3S", "4H", "9C", "10D", "KX"}, 2, "", "dealwise-score: \"KX\"" + kNotACard},
        Case{"EmptyArgument", {"AS", "2S", "3S", "4H", "9C", "", "KC"}, 2, "", "dealwise-score: \"\"" + kNotACard},
        Case{"WholeHandInOneArgument",
             {"AS 2S 3S 4H 9C 10D KC"},
             2,
             "",
             "dealwise-score: \"AS 2S 3S 4H 9C 10D KC\"" + kNotACard},
        Case{"LoneDash", {"AS", "2S", "3S", "-", "9C", "10D", "KC"}, 2, "", "dealwise-score: \"-\"" + kNotACard},
        Case{"SixCards",
             {"AS", "2S", "3S", "4H", "9C", "10D"},
             2,
             "",
             "dealwise-score: 6 cards given; a hand is seven cards, as in AS 2S 3S 4H 9C 10D KC\n"},
        Case{"EightCards",
             {"AS", "2S", "3S", "4H", "9C", "10D", "KC", "QH"},
             2,
             "",
             "dealwise-score: 8 cards given; a hand is seven cards, as in AS 2S 3S 4H 9C 10D KC\n"},
        Case{"NoArguments",
             {},
             2,
             "",
             "dealwise-score: no cards given; a hand is seven cards, as in AS 2S 3S 4H 9C 10D KC; "
             "see dealwise-score --help\n"},
        Case{"RepeatedCard",
             {"AS", "2S", "3S", "4H", "9C", "as", "KC"},
             2,
             "",
             "dealwise-score: AS is repeated (cards 1 and 6); the seven cards of a hand are all different\n"}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    Options, RunCommandTest,
    ::testing::Values(
        Case{"Version", {"--version"}, 0, "dealwise-score 9.99\n", ""},
        Case{"VersionStopsAtOnce", {"AS", "--version", "-x"}, 0, "dealwise-score 9.99\n", ""},
        Case{"UnknownOption", {"-x"}, 2, "", "dealwise-score: unknown option \"-x\"; see dealwise-score --help\n"},
        Case{"UnknownOptionBeforeHelp",
             {"-x", "--help"},
             2,
             "",
             "dealwise-score: unknown option \"-x\"; see dealwise-score --help\n"},
        Case{"OptionWithValue",
             {"--batch=yes"},
             2,
             "",
             "dealwise-score: unknown option \"--batch=yes\"; see dealwise-score --help\n"},
        Case{"BatchWithCards",
             {"--batch", "AS"},
             2,
             "",
             "dealwise-score: --batch reads its hands from standard input and takes no cards, but \"AS\" was given\n"},
        Case{"BatchWithBadLine",
             {"--batch"},
             1,
             "3\tAS 2S 3S 4H 9C 10D KC\n",
             "line 2: \"XX\"" + kNotACard,
             "AS 2S 3S 4H 9C 10D KC\nXX XX\n"},
        Case{"BatchAllGood", {"--batch"}, 0, "-6\t4S 4C 4H 9S 10C JS QD\n", "", "# one hand\n4S 4C 4H 9S 10C JS QD\n"}),
    caseName);

TEST(RunCommand, HelpGoesToStandardOutputAndDescribesEveryOption) {
    for (const std::vector<std::string_view>& args :
         {std::vector<std::string_view>{"--help"}, std::vector<std::string_view>{"-h"},
          std::vector<std::string_view>{"AS", "1S", "--help", "-x"}}) {
        StringReader in("");
        StringWriter out;
        StringWriter errors;
        EXPECT_EQ(runCommand(args, in, out, errors, "9.99"), 0);
        EXPECT_EQ(errors.text(), "");
        const std::string& help = out.text();
        EXPECT_EQ(help.substr(0, help.find('\n')), "Usage: dealwise-score CARD CARD CARD CARD CARD CARD CARD");
        for (const char* option : {"--batch", "--help", "--version", "Exit status"}) {
            EXPECT_NE(help.find(option), std::string::npos) << option;
        }
    }
}

} // namespace
} // namespace dealwise::cli
