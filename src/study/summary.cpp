// SPDX-License-Identifier: MIT
#include "study/summary.h"

#include <array>
#include <charconv>
#include <ostream>
#include <span>
#include <string_view>
#include <vector>

#include "study/solver_times.h"

namespace dealwise::study {
namespace {

// to_chars rather than the stream's formatting or printf: the Qt application
// the study program runs sets the C locale from the environment, and a
// report must not turn "41.67" into "41,67" on a German desktop.
std::string fixed(double value, int decimals) {
    // Room for any finite double in full.
    std::array<char, 320> text{};
    const auto result =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, decimals);
    return {text.data(), result.ptr};
}

std::string intervalText(const Interval& interval) {
    return percentText(interval.low) + " to " + percentText(interval.high);
}

std::string millisecondsText(double seconds) { return fixed(seconds * 1000.0, 3) + " ms"; }

// The shortest text that reads back as the same number: "10", "0.5".
std::string shortestText(double value) {
    std::array<char, 32> text{};
    return {text.data(), std::to_chars(text.data(), text.data() + text.size(), value).ptr};
}

std::string undecidedText(std::int64_t undecided, const SummaryOptions& options) {
    std::string text = std::to_string(undecided) + " undecided at the time limit";
    if (options.solveSeconds > 0.0) {
        text += " of " + shortestText(options.solveSeconds) + " s";
    }
    return text;
}

// The winnable rate of no deal at all would read as a measured 0 %.
template <typename Row> std::string winnableRateCell(const Row& row) {
    return row.decided == 0 ? "-" : percentText(row.winnableRate);
}

template <typename Row> std::string winnableIntervalCell(const Row& row) {
    return row.decided == 0 ? "-" : intervalText(row.winnableInterval);
}

enum class Align { Left, Right };

template <typename Row> struct Column {
    std::string_view name;
    Align align;
    std::string (*cell)(const Row&);
};

// The player's columns come first, the solver's last, so that a study
// without the solver shows the first ones only.
constexpr std::size_t kPlayerScoreColumns = 6;
constexpr std::array<Column<ScoreRow>, 10> kScoreColumns = {{
    {"score", Align::Right, [](const ScoreRow& row) { return std::to_string(row.score); }},
    {"deals", Align::Right, [](const ScoreRow& row) { return std::to_string(row.deals); }},
    {"share", Align::Right, [](const ScoreRow& row) { return percentText(row.share); }},
    {"wins", Align::Right, [](const ScoreRow& row) { return std::to_string(row.wins); }},
    {"win rate", Align::Right, [](const ScoreRow& row) { return percentText(row.winRate); }},
    {"95 % interval", Align::Left, [](const ScoreRow& row) { return intervalText(row.interval); }},
    {"winnable", Align::Right, [](const ScoreRow& row) { return std::to_string(row.winnable); }},
    {"winnable rate", Align::Right, winnableRateCell<ScoreRow>},
    {"95 % interval", Align::Left, winnableIntervalCell<ScoreRow>},
    {"undecided", Align::Right, [](const ScoreRow& row) { return std::to_string(row.undecided); }},
}};

constexpr std::size_t kPlayerThresholdColumns = 4;
constexpr std::array<Column<ThresholdRow>, 6> kThresholdColumns = {{
    {"play only S or more", Align::Right, [](const ThresholdRow& row) { return std::to_string(row.threshold); }},
    {"share kept", Align::Right, [](const ThresholdRow& row) { return percentText(row.share); }},
    {"win rate", Align::Right, [](const ThresholdRow& row) { return percentText(row.winRate); }},
    {"95 % interval", Align::Left, [](const ThresholdRow& row) { return intervalText(row.interval); }},
    {"winnable rate", Align::Right, winnableRateCell<ThresholdRow>},
    {"95 % interval", Align::Left, winnableIntervalCell<ThresholdRow>},
}};

template <typename Row, std::size_t N>
std::span<const Column<Row>> shownColumns(const std::array<Column<Row>, N>& columns, std::size_t playerColumns,
                                          bool solved) {
    return std::span(columns).first(solved ? N : playerColumns);
}

// A Markdown table: the names, a rule whose colon sets each column's
// alignment, then a line a row.
template <typename Row>
void writeTable(std::ostream& out, std::span<const Column<Row>> columns, const std::vector<Row>& rows) {
    out << "|";
    for (const Column<Row>& column : columns) {
        out << " " << column.name << " |";
    }
    out << "\n|";
    for (const Column<Row>& column : columns) {
        const std::string dashes(column.name.size() + 1, '-');
        out << (column.align == Align::Left ? ":" + dashes : dashes + ":") << "|";
    }
    out << "\n";
    for (const Row& row : rows) {
        out << "|";
        for (const Column<Row>& column : columns) {
            out << " " << column.cell(row) << " |";
        }
        out << "\n";
    }
}

void writeWinnable(std::ostream& out, const StudyTally& tally, const SummaryOptions& options) {
    out << "Winnable (exact solver, every card seen): ";
    if (tally.decided() == 0) {
        out << "no deal decided";
    } else {
        out << tally.winnable() << " of " << tally.decided() << " decided deals: " << percentText(tally.winnableRate())
            << " (95 % Wilson interval " << intervalText(tally.winnableInterval()) << ")";
    }
    out << "; " << undecidedText(tally.undecided(), options) << ".";
    if (tally.solvedDeals() < tally.deals()) {
        out << " The solver was asked about " << tally.solvedDeals() << " of the " << tally.deals() << " deals only.";
    }
    out << "\n\n";

    out << "Area under the ROC curve of the score as a predictor of a winnable deal, undecided deals left out: ";
    if (const auto auc = tally.winnableRocAuc()) {
        out << fixed(*auc, 4) << ".\n\n";
    } else if (tally.decided() == 0) {
        out << "none, since no deal was decided.\n\n";
    } else {
        out << "none, since every decided deal was " << (tally.winnable() == 0 ? "not winnable" : "winnable")
            << ".\n\n";
    }
}

void writeSolverTimes(std::ostream& out, const SolverTimes& times, std::int64_t undecided,
                      const SummaryOptions& options) {
    out << "\n## Solver time per deal\n\n"
        << "| median | 90th percentile | 99th percentile | maximum |\n"
        << "|-------:|----------------:|----------------:|--------:|\n"
        << "| " << millisecondsText(times.median()) << " | " << millisecondsText(times.percentile90()) << " | "
        << millisecondsText(times.percentile99()) << " | " << millisecondsText(times.max()) << " |\n\n"
        << "Nearest-rank percentiles of the solver's time on " << times.count()
        << (times.count() == 1 ? " deal" : " deals") << "; " << undecidedText(undecided, options) << ".\n";
}

} // namespace

std::string percentText(double fraction) { return fixed(100.0 * fraction, 2) + " %"; }

void writeSummary(std::ostream& out, const StudyTally& tally, const SummaryOptions& options, const SolverTimes* times) {
    const bool solved = tally.solvedDeals() > 0;
    out << "# Dealwise study: " << tally.deals() << (tally.deals() == 1 ? " deal" : " deals") << ", draw "
        << options.draw << ", first deal " << options.firstDeal << "\n\n";
    if (tally.empty()) {
        out << "No deals were played.\n";
        return;
    }

    out << "Won " << tally.wins() << " of " << tally.deals() << ": " << percentText(tally.winRate())
        << " (95 % Wilson interval " << intervalText(tally.winInterval()) << ").\n\n";

    out << "Area under the ROC curve of the score as a predictor of a win: ";
    if (const auto auc = tally.rocAuc()) {
        out << fixed(*auc, 4) << " (0.5 is no better than chance, 1 separates wins from losses).\n\n";
    } else {
        out << "none, since every deal was " << (tally.wins() == 0 ? "lost" : "won") << ".\n\n";
    }
    if (solved) {
        writeWinnable(out, tally, options);
    }

    out << "## Win rate by score\n\n";
    writeTable(out, shownColumns(kScoreColumns, kPlayerScoreColumns, solved), tally.byScore());
    out << "\n## Playing only deals that score S or more\n\n";
    writeTable(out, shownColumns(kThresholdColumns, kPlayerThresholdColumns, solved), tally.thresholds());

    if (solved && times != nullptr && !times->empty()) {
        writeSolverTimes(out, *times, tally.undecided(), options);
    }
}

} // namespace dealwise::study
