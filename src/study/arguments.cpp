// SPDX-License-Identifier: MIT
#include "study/arguments.h"

#include <array>
#include <charconv>
#include <cstdint>

#include "core/card_text.h"

namespace dealwise::study {
namespace {

constexpr std::string_view kUsage =
    "Usage: dealwise-study [--deals N] [--first N] [--draw 1|3] [--threads N] [--out FOLDER] [--resume]\n"
    "                      [--solve [--solve-seconds S] [--solve-positions P]]\n"
    "       dealwise-study merge --out FOLDER SHARD...\n"
    "Plays deals FIRST .. FIRST + N - 1 (default 1 .. 1000, draw three) with a greedy player that sees\n"
    "only the face-up cards, and writes into FOLDER (default study):\n"
    "  deals.csv    one row a deal: deal number, the seven face-up cards, score, won, moves\n"
    "  summary.md   win rate by Dealwise score, by threshold, and the area under the ROC curve\n"
    "  chart.svg, chart.png   win rate against score, with the share of deals beneath\n"
    "With --solve, an exact solver that sees every card also decides whether each deal can be won at\n"
    "all, in at most S seconds a deal (default 10); the CSV gains winnable (1, 0, or empty when\n"
    "undecided) and solve_ms, and the summary and chart the winnable rate by score and the solver's\n"
    "time. Every winning line is replayed, and a deal the greedy player won must be winnable.\n"
    "With --solve-positions, the solver also stops after P positions a deal, and without --solve-seconds\n"
    "only then: the verdicts are the same on every run.\n"
    "The results are the same whatever the number of threads (default: one per core).\n"
    "manifest.json records the settings. Rows reach deals.csv as the deals are done; a FOLDER that\n"
    "holds a study is never overwritten. --resume goes on with the study in FOLDER from its last row\n"
    "(or starts it), with the same options; SIGINT and SIGTERM stop it cleanly, to go on later.\n"
    "merge writes into FOLDER the study of the finished shard folders' deals together.\n";

constexpr std::array<std::string_view, 7> kOptionsWithValues = {
    "--deals", "--first", "--draw", "--threads", "--solve-seconds", "--solve-positions", "--out"};

bool parseNumber(std::string_view text, std::uint64_t& value) {
    if (text.empty() || text.size() > 12) {
        return false;
    }
    std::uint64_t parsed = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        parsed = parsed * 10 + static_cast<std::uint64_t>(c - '0');
    }
    value = parsed;
    return true;
}

// A positive time of at most a day, "10" or "0.25".
bool parseSeconds(std::string_view text, double& seconds) {
    double parsed = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size() || !(parsed > 0.0) || parsed > 86400.0) {
        return false;
    }
    seconds = parsed;
    return true;
}

// One of our option names is safe to show as it is; anything else the user
// typed is quoted.
std::string optionText(std::string_view option) {
    for (const std::string_view known : kOptionsWithValues) {
        if (option == known) {
            return std::string(option);
        }
    }
    return quoteToken(option);
}

ParsedArguments refused(std::string_view what) {
    return {std::nullopt, std::nullopt, 2, "dealwise-study: " + std::string(what) + "; see dealwise-study --help\n"};
}

// Takes one option's value into `arguments`; false when the option is not
// one of ours or the value is not one it takes.
bool takeValue(std::string_view option, std::string_view value, StudyArguments& arguments) {
    std::uint64_t number = 0;
    const bool numeric = parseNumber(value, number);
    if (option == "--deals" && numeric && number > 0) {
        arguments.play.deals = number;
    } else if (option == "--first" && numeric) {
        arguments.play.first = number;
    } else if (option == "--draw" && numeric && (number == 1 || number == 3)) {
        arguments.play.draw = static_cast<int>(number);
    } else if (option == "--threads" && numeric && number > 0 && number <= 1024) {
        arguments.play.threads = static_cast<unsigned>(number);
    } else if (option == "--solve-positions" && numeric && number > 0) {
        arguments.play.solvePositions = number;
    } else if (option == "--solve-seconds") {
        return parseSeconds(value, arguments.play.solveSeconds);
    } else if (option == "--out") {
        arguments.out = std::string(value);
    } else {
        return false;
    }
    return true;
}

ParsedArguments parseMerge(int argc, const char* const* argv) {
    MergeArguments merge;
    for (int i = 2; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--out") {
            if (i + 1 >= argc) {
                return refused("--out needs a value");
            }
            merge.out = argv[++i];
        } else if (option.starts_with("--")) {
            return refused("merge takes no " + quoteToken(option));
        } else {
            merge.shards.emplace_back(option);
        }
    }
    if (merge.out.empty() || merge.shards.empty()) {
        return refused("merge needs --out FOLDER and at least one shard folder");
    }
    ParsedArguments parsed;
    parsed.merge = merge;
    return parsed;
}

// A folder name as a POSIX shell reads it back.
std::string shellWord(const std::string& word) {
    const bool plain = !word.empty() && word.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                                               "0123456789_./-+=:,@%") == std::string::npos;
    if (plain) {
        return word;
    }
    std::string quoted = "'";
    for (const char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string shortestText(double value) {
    std::array<char, 32> text{};
    return {text.data(), std::to_chars(text.data(), text.data() + text.size(), value).ptr};
}

} // namespace

std::string resumeCommand(const StudyArguments& arguments) {
    const PlayOptions& play = arguments.play;
    std::string command = "dealwise-study --resume --out " + shellWord(arguments.out) + " --first " +
                          std::to_string(play.first) + " --deals " + std::to_string(play.deals) + " --draw " +
                          std::to_string(play.draw);
    if (play.threads > 0) {
        command += " --threads " + std::to_string(play.threads);
    }
    if (play.solve) {
        command += " --solve";
        if (play.solveSeconds > 0.0) {
            command += " --solve-seconds " + shortestText(play.solveSeconds);
        }
        if (play.solvePositions > 0) {
            command += " --solve-positions " + std::to_string(play.solvePositions);
        }
    }
    return command;
}

ParsedArguments parseArguments(int argc, const char* const* argv, std::string_view versionText) {
    if (argc > 1 && std::string_view(argv[1]) == "merge") {
        return parseMerge(argc, argv);
    }
    StudyArguments arguments;
    arguments.version = std::string(versionText);
    bool secondsGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--solve") {
            arguments.play.solve = true;
            continue;
        }
        if (option == "--resume") {
            arguments.resume = true;
            continue;
        }
        secondsGiven = secondsGiven || option == "--solve-seconds";
        if (option == "--help") {
            return {std::nullopt, std::nullopt, 0, std::string(kUsage)};
        }
        if (option == "--version") {
            return {std::nullopt, std::nullopt, 0, "dealwise-study " + std::string(versionText) + "\n"};
        }
        if (i + 1 >= argc) {
            return refused(optionText(option) + " needs a value");
        }
        const std::string_view value = argv[++i];
        if (!takeValue(option, value, arguments)) {
            return refused(optionText(option) + " " + quoteToken(value) + " is not understood");
        }
    }
    // A position limit alone is what makes the verdicts the same on every run.
    if (arguments.play.solvePositions > 0 && !secondsGiven) {
        arguments.play.solveSeconds = 0.0;
    }
    return {arguments, std::nullopt, 0, {}};
}

} // namespace dealwise::study
