#include "study/summary.h"

#include <array>
#include <charconv>
#include <ostream>

namespace dealwise::study {
namespace {

// to_chars rather than the stream's formatting or printf: the Qt application
// the study program runs sets the C locale from the environment, and a
// report must not turn "41.67" into "41,67" on a German desktop.
std::string fixed(double value, int decimals) {
    std::array<char, 64> text{};
    const auto result =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, decimals);
    return {text.data(), result.ptr};
}

std::string intervalText(const Interval& interval) {
    return percentText(interval.low) + " to " + percentText(interval.high);
}

} // namespace

std::string percentText(double fraction) { return fixed(100.0 * fraction, 2) + " %"; }

void writeSummary(std::ostream& out, const StudyTally& tally, const SummaryOptions& options) {
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

    out << "## Win rate by score\n\n"
        << "| score | deals | share | wins | win rate | 95 % interval |\n"
        << "|------:|------:|------:|-----:|---------:|:--------------|\n";
    for (const ScoreRow& row : tally.byScore()) {
        out << "| " << row.score << " | " << row.deals << " | " << percentText(row.share) << " | " << row.wins << " | "
            << percentText(row.winRate) << " | " << intervalText(row.interval) << " |\n";
    }

    out << "\n## Playing only deals that score S or more\n\n"
        << "| play only S or more | share kept | win rate | 95 % interval |\n"
        << "|--------------------:|-----------:|---------:|:--------------|\n";
    for (const ThresholdRow& row : tally.thresholds()) {
        out << "| " << row.threshold << " | " << percentText(row.share) << " | " << percentText(row.winRate) << " | "
            << intervalText(row.interval) << " |\n";
    }
}

} // namespace dealwise::study
