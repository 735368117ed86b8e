#include "study/arguments.h"

#include <array>
#include <charconv>
#include <cstdint>

#include "core/card_text.h"

namespace dealwise::study {
namespace {

constexpr std::string_view kUsage =
    "Usage: dealwise-study [--deals N] [--first N] [--draw 1|3] [--threads N] [--out FOLDER]\n"
    "                      [--solve [--solve-seconds S]]\n"
    "Plays deals FIRST .. FIRST + N - 1 (default 1 .. 1000, draw three) with a greedy player that sees\n"
    "only the face-up cards, and writes into FOLDER (default study):\n"
    "  deals.csv    one row a deal: deal number, the seven face-up cards, score, won, moves\n"
    "  summary.md   win rate by Dealwise score, by threshold, and the area under the ROC curve\n"
    "  chart.svg, chart.png   win rate against score, with the share of deals beneath\n"
    "With --solve, an exact solver that sees every card also decides whether each deal can be won at\n"
    "all, in at most S seconds a deal (default 10); the CSV gains winnable (1, 0, or empty when\n"
    "undecided) and solve_ms, and the summary and chart the winnable rate by score and the solver's\n"
    "time. Every winning line is replayed, and a deal the greedy player won must be winnable.\n"
    "The results are the same whatever the number of threads (default: one per core).\n";

constexpr std::array<std::string_view, 6> kOptionsWithValues = {"--deals",   "--first",         "--draw",
                                                                "--threads", "--solve-seconds", "--out"};

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
    return {std::nullopt, 2, "dealwise-study: " + std::string(what) + "; see dealwise-study --help\n"};
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
    } else if (option == "--solve-seconds") {
        return parseSeconds(value, arguments.play.solveSeconds);
    } else if (option == "--out") {
        arguments.out = std::string(value);
    } else {
        return false;
    }
    return true;
}

} // namespace

ParsedArguments parseArguments(int argc, const char* const* argv, std::string_view versionText) {
    StudyArguments arguments;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--solve") {
            arguments.play.solve = true;
            continue;
        }
        if (option == "--help") {
            return {std::nullopt, 0, std::string(kUsage)};
        }
        if (option == "--version") {
            return {std::nullopt, 0, "dealwise-study " + std::string(versionText) + "\n"};
        }
        if (i + 1 >= argc) {
            return refused(optionText(option) + " needs a value");
        }
        const std::string_view value = argv[++i];
        if (!takeValue(option, value, arguments)) {
            return refused(optionText(option) + " " + quoteToken(value) + " is not understood");
        }
    }
    return {arguments, 0, {}};
}

} // namespace dealwise::study
