#include "study/tally.h"

#include <limits>
#include <stdexcept>
#include <string>

namespace dealwise::study {
namespace {

constexpr int kLowestScore = std::numeric_limits<std::int16_t>::min();
constexpr int kHighestScore = std::numeric_limits<std::int16_t>::max();

double ratio(std::int64_t part, std::int64_t whole) noexcept {
    return whole == 0 ? 0.0 : static_cast<double>(part) / static_cast<double>(whole);
}

} // namespace

void StudyTally::add(const DealResult& result) { add(result.score, result.won); }

void StudyTally::add(int score, bool won) {
    reserveScore(score);
    Counts& counts = counts_[static_cast<std::size_t>(score - lowest_)];
    ++counts.deals;
    ++deals_;
    if (won) {
        ++counts.wins;
        ++wins_;
    }
}

void StudyTally::merge(const StudyTally& other) {
    if (other.empty()) {
        return;
    }
    if (&other == this) {
        // The counts must be read before they double.
        const StudyTally copy = other;
        merge(copy);
        return;
    }
    const StudyTally& source = other;
    reserveScore(source.lowest_);
    reserveScore(source.lowest_ + static_cast<int>(source.counts_.size()) - 1);
    for (std::size_t i = 0; i < source.counts_.size(); ++i) {
        Counts& counts = counts_[static_cast<std::size_t>(source.lowest_ - lowest_) + i];
        counts.deals += source.counts_[i].deals;
        counts.wins += source.counts_[i].wins;
    }
    deals_ += source.deals_;
    wins_ += source.wins_;
}

void StudyTally::reserveScore(int score) {
    if (score < kLowestScore || score > kHighestScore) {
        throw std::out_of_range("score " + std::to_string(score) + " is outside the 16-bit range of Dealwise scores");
    }
    if (counts_.empty()) {
        lowest_ = score;
        counts_.resize(1);
        return;
    }
    if (score < lowest_) {
        counts_.insert(counts_.begin(), static_cast<std::size_t>(lowest_ - score), Counts{});
        lowest_ = score;
    } else if (const auto index = static_cast<std::size_t>(score - lowest_); index >= counts_.size()) {
        counts_.resize(index + 1);
    }
}

const StudyTally::Counts* StudyTally::find(int score) const noexcept {
    if (counts_.empty() || score < lowest_ || score - lowest_ >= static_cast<int>(counts_.size())) {
        return nullptr;
    }
    return &counts_[static_cast<std::size_t>(score - lowest_)];
}

double StudyTally::winRate() const noexcept { return ratio(wins_, deals_); }

// The ends of the array always hold deals: it only grows to take a score.
std::optional<int> StudyTally::lowestScore() const noexcept {
    return counts_.empty() ? std::nullopt : std::optional<int>(lowest_);
}

std::optional<int> StudyTally::highestScore() const noexcept {
    return counts_.empty() ? std::nullopt : std::optional<int>(lowest_ + static_cast<int>(counts_.size()) - 1);
}

std::int64_t StudyTally::dealsWithScore(int score) const noexcept {
    const Counts* counts = find(score);
    return counts == nullptr ? 0 : counts->deals;
}

std::int64_t StudyTally::winsWithScore(int score) const noexcept {
    const Counts* counts = find(score);
    return counts == nullptr ? 0 : counts->wins;
}

std::vector<ScoreRow> StudyTally::byScore() const {
    std::vector<ScoreRow> rows;
    for (std::size_t i = 0; i < counts_.size(); ++i) {
        const Counts& counts = counts_[i];
        if (counts.deals == 0) {
            continue;
        }
        rows.push_back({lowest_ + static_cast<int>(i), counts.deals, ratio(counts.deals, deals_), counts.wins,
                        ratio(counts.wins, counts.deals), wilsonInterval(counts.wins, counts.deals)});
    }
    return rows;
}

std::vector<ThresholdRow> StudyTally::thresholds() const {
    std::vector<ThresholdRow> rows(counts_.size());
    std::int64_t kept = 0;
    std::int64_t keptWins = 0;
    // From the top down, so that each row adds one score to the one above it.
    for (std::size_t i = counts_.size(); i-- > 0;) {
        kept += counts_[i].deals;
        keptWins += counts_[i].wins;
        rows[i] = {lowest_ + static_cast<int>(i), kept, ratio(kept, deals_), keptWins, ratio(keptWins, kept),
                   wilsonInterval(keptWins, kept)};
    }
    return rows;
}

std::optional<double> StudyTally::rocAuc() const {
    const std::int64_t losses = deals_ - wins_;
    if (wins_ == 0 || losses == 0) {
        return std::nullopt;
    }
    // Each won deal beats every lost deal with a lower score and ties with
    // those of its own score. Counted in halves so that the sum is a whole
    // number, exact in a long double up to billions of deals.
    long double halves = 0.0L;
    std::int64_t lossesBelow = 0;
    for (const Counts& counts : counts_) {
        const std::int64_t lossesHere = counts.deals - counts.wins;
        halves += static_cast<long double>(counts.wins) *
                  (2.0L * static_cast<long double>(lossesBelow) + static_cast<long double>(lossesHere));
        lossesBelow += lossesHere;
    }
    return static_cast<double>(halves / (2.0L * static_cast<long double>(wins_) * static_cast<long double>(losses)));
}

} // namespace dealwise::study
