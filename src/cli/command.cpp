// SPDX-License-Identifier: MIT
#include "cli/command.h"

#include "cli/hand_collector.h"
#include "report/hand_grid.h"
#include "report/print_line.h"
#include "scoring/scoring.h"

namespace dealwise::cli {

namespace {

constexpr std::string_view kUsage =
    R"(Usage: dealwise-score CARD CARD CARD CARD CARD CARD CARD
       dealwise-score --batch < HANDS
Rates the opening deal of a Klondike Solitaire game from its seven face-up
cards, left to right.

Given seven cards, prints the hand grid and the scoring report that Dealwise
shows for them after one press of Run.

A card is a rank A, 2-10 (or T), J, Q or K followed by a suit S, C, D or H,
in either case: AS 10h Kc. The seven cards are all different.

Options:
  --batch     read hands from standard input, one a line, cards separated by
              blanks, tabs or commas; blank lines and lines starting with #
              are skipped. Prints SCORE<TAB>HAND for each hand, the cards
              spelled as AS 10H KC, and "line N: reason" on standard error
              for each line that is not a hand
  -h, --help  show this help and exit
  --version   show the version and exit

Exit status: 0 on success, 1 if --batch met a bad line, 2 for a wrong
command line or a failure to read or write.
)";

int fail(ByteWriter& errors, std::string_view message) {
    std::string line(kProgramName);
    line += ": ";
    line += message;
    line += '\n';
    errors.write(line);
    return kExitUsage;
}

} // namespace

void appendHandReport(std::string& out, const std::array<Card, kHandSize>& cards) {
    CardGrid grid;
    EntryCounter counter;
    // The grid is shown as the seventh card goes in, before Run takes the
    // ace-up cards out of it.
    std::array<PrintLine, 5> gridLines;
    for (const Card card : cards) {
        if (enterCard(grid, counter, card) == kHandSize) {
            gridLines = handGridLines(grid);
        }
    }
    const ScoringReport report = scoreHand(grid);
    for (const PrintLine& line : gridLines) {
        appendRendered(out, line);
        out += '\n';
    }
    for (const PrintLine& line : report.lines) {
        appendRendered(out, line);
        out += '\n';
    }
}

int runCommand(std::span<const std::string_view> args, ByteReader& in, ByteWriter& out, ByteWriter& errors,
               std::string_view versionText) {
    bool batch = false;
    bool optionsEnded = false;
    HandCollector hand;
    std::string_view firstCard;
    for (const std::string_view arg : args) {
        // No card starts with '-', so anything that does is meant as an option.
        if (!optionsEnded && arg.size() > 1 && arg.front() == '-') {
            if (arg == "--") {
                optionsEnded = true;
            } else if (arg == "--help" || arg == "-h") {
                out.write(kUsage);
                return kExitOk;
            } else if (arg == "--version") {
                out.write(std::string(kProgramName) + " " + std::string(versionText) + "\n");
                return kExitOk;
            } else if (arg == "--batch") {
                batch = true;
            } else {
                return fail(errors, "unknown option " + quoteToken(arg) + "; see dealwise-score --help");
            }
            continue;
        }
        if (hand.given() == 0) {
            firstCard = arg;
        }
        hand.add(arg);
    }

    if (batch) {
        if (hand.given() != 0) {
            return fail(errors, "--batch reads its hands from standard input and takes no cards, but " +
                                    quoteToken(firstCard) + " was given");
        }
        return scoreBatch(in, out, errors).exitStatus();
    }
    if (hand.fault() != HandFault::None) {
        std::string message = hand.describeFault();
        if (hand.given() == 0) {
            message += "; see dealwise-score --help";
        }
        return fail(errors, message);
    }
    std::string report;
    report.reserve(1024);
    appendHandReport(report, hand.cards());
    out.write(report);
    return kExitOk;
}

} // namespace dealwise::cli
