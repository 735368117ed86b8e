#include "study/summary.h"

#include <array>
#include <charconv>
#include <ostream>

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

// A rate of no deal at all would read as a measured 0 %.
std::string winnableCells(std::int64_t decided, double rate, const Interval& interval) {
    return decided == 0 ? "- | -" : percentText(rate) + " | " + intervalText(interval);
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

    out << "## Win rate by score\n\n"
        << "| score | deals | share | wins | win rate | 95 % interval |";
    if (solved) {
        out << " winnable | winnable rate | 95 % interval | undecided |";
    }
    out << "\n|------:|------:|------:|-----:|---------:|:--------------|";
    if (solved) {
        out << "---------:|--------------:|:--------------|----------:|";
    }
    out << "\n";
    for (const ScoreRow& row : tally.byScore()) {
        out << "| " << row.score << " | " << row.deals << " | " << percentText(row.share) << " | " << row.wins << " | "
            << percentText(row.winRate) << " | " << intervalText(row.interval) << " |";
        if (solved) {
            out << " " << row.winnable << " | " << winnableCells(row.decided, row.winnableRate, row.winnableInterval)
                << " | " << row.undecided << " |";
        }
        out << "\n";
    }

    out << "\n## Playing only deals that score S or more\n\n"
        << "| play only S or more | share kept | win rate | 95 % interval |";
    if (solved) {
        out << " winnable rate | 95 % interval |";
    }
    out << "\n|--------------------:|-----------:|---------:|:--------------|";
    if (solved) {
        out << "--------------:|:--------------|";
    }
    out << "\n";
    for (const ThresholdRow& row : tally.thresholds()) {
        out << "| " << row.threshold << " | " << percentText(row.share) << " | " << percentText(row.winRate) << " | "
            << intervalText(row.interval) << " |";
        if (solved) {
            out << " " << winnableCells(row.decided, row.winnableRate, row.winnableInterval) << " |";
        }
        out << "\n";
    }

    if (solved && times != nullptr && !times->empty()) {
        writeSolverTimes(out, *times, tally.undecided(), options);
    }
}

} // namespace dealwise::study
