// SPDX-License-Identifier: MIT
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

// The deals of one score that have the predicted outcome and those that have
// not.
struct Outcomes {
    std::int64_t positive = 0;
    std::int64_t negative = 0;
};

// Each positive deal beats every negative deal with a lower score and ties
// with those of its own score. Counted in halves so that the sum is a whole
// number, exact in a long double up to billions of deals. `counts` runs from
// the lowest score up.
template <typename Range, typename OutcomesOf>
std::optional<double> areaUnderRoc(const Range& counts, OutcomesOf outcomesOf) {
    long double halves = 0.0L;
    std::int64_t positives = 0;
    std::int64_t negativesBelow = 0;
    for (const auto& here : counts) {
        const Outcomes outcomes = outcomesOf(here);
        halves += static_cast<long double>(outcomes.positive) *
                  (2.0L * static_cast<long double>(negativesBelow) + static_cast<long double>(outcomes.negative));
        positives += outcomes.positive;
        negativesBelow += outcomes.negative;
    }
    if (positives == 0 || negativesBelow == 0) {
        return std::nullopt;
    }
    return static_cast<double>(halves /
                               (2.0L * static_cast<long double>(positives) * static_cast<long double>(negativesBelow)));
}

} // namespace

void StudyTally::add(const DealResult& result) { add(result.score, result.won, result.winnable); }

void StudyTally::add(int score, bool won, Winnable winnable) {
    reserveScore(score);
    Counts& counts = counts_[static_cast<std::size_t>(score - lowest_)];
    ++counts.deals;
    ++deals_;
    if (won) {
        ++counts.wins;
        ++wins_;
    }
    switch (winnable) {
    case Winnable::NotAsked:
        return;
    case Winnable::Yes:
        ++counts.winnable;
        ++winnable_;
        break;
    case Winnable::No:
        break;
    case Winnable::Undecided:
        ++counts.undecided;
        ++undecided_;
        break;
    }
    ++counts.solved;
    ++solved_;
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

double StudyTally::winnableRate() const noexcept { return ratio(winnable_, decided()); }

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
        const std::int64_t decided = counts.solved - counts.undecided;
        rows.push_back({lowest_ + static_cast<int>(i), counts.deals, ratio(counts.deals, deals_), counts.wins,
                        ratio(counts.wins, counts.deals), wilsonInterval(counts.wins, counts.deals), counts.winnable,
                        decided, counts.undecided, ratio(counts.winnable, decided),
                        wilsonInterval(counts.winnable, decided)});
    }
    return rows;
}

std::vector<ThresholdRow> StudyTally::thresholds() const {
    std::vector<ThresholdRow> rows(counts_.size());
    std::int64_t kept = 0;
    std::int64_t keptWins = 0;
    std::int64_t keptWinnable = 0;
    std::int64_t keptDecided = 0;
    std::int64_t keptUndecided = 0;
    // From the top down, so that each row adds one score to the one above it.
    for (std::size_t i = counts_.size(); i-- > 0;) {
        const Counts& counts = counts_[i];
        kept += counts.deals;
        keptWins += counts.wins;
        keptWinnable += counts.winnable;
        keptDecided += counts.solved - counts.undecided;
        keptUndecided += counts.undecided;
        rows[i] = {lowest_ + static_cast<int>(i),
                   kept,
                   ratio(kept, deals_),
                   keptWins,
                   ratio(keptWins, kept),
                   wilsonInterval(keptWins, kept),
                   keptWinnable,
                   keptDecided,
                   keptUndecided,
                   ratio(keptWinnable, keptDecided),
                   wilsonInterval(keptWinnable, keptDecided)};
    }
    return rows;
}

std::optional<double> StudyTally::rocAuc() const {
    return areaUnderRoc(counts_, [](const Counts& counts) {
        return Outcomes{counts.wins, counts.deals - counts.wins};
    });
}

std::optional<double> StudyTally::winnableRocAuc() const {
    return areaUnderRoc(counts_, [](const Counts& counts) {
        return Outcomes{counts.winnable, counts.solved - counts.undecided - counts.winnable};
    });
}

} // namespace dealwise::study
