// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "study/deal_result.h"
#include "study/wilson.h"

namespace dealwise::study {

// The deals that scored one score.
struct ScoreRow {
    int score = 0;
    std::int64_t deals = 0;
    double share = 0.0; // of all deals, 0 to 1
    std::int64_t wins = 0;
    double winRate = 0.0; // 0 to 1
    Interval interval;    // 95 % Wilson interval of winRate
    // What the exact solver made of them; all 0 without it.
    std::int64_t winnable = 0;
    std::int64_t decided = 0; // proven winnable or not
    std::int64_t undecided = 0;
    double winnableRate = 0.0; // of the decided deals, 0 to 1; 0 when none
    Interval winnableInterval; // 95 % Wilson interval of winnableRate
};

// The deals a player keeps who plays only those scoring `threshold` or more.
struct ThresholdRow {
    int threshold = 0;
    std::int64_t deals = 0;
    double share = 0.0; // of all deals, 0 to 1
    std::int64_t wins = 0;
    double winRate = 0.0; // 0 to 1; 0 when no deal is kept
    Interval interval;    // 95 % Wilson interval of winRate
    std::int64_t winnable = 0;
    std::int64_t decided = 0;
    std::int64_t undecided = 0;
    double winnableRate = 0.0; // of the decided deals kept, 0 to 1; 0 when none
    Interval winnableInterval; // 95 % Wilson interval of winnableRate
};

// Everything the study's statistics need, kept as counts per score of deals,
// wins and the exact solver's verdicts: a study of a million deals takes no more memory than one of ten.
class StudyTally {
public:
    // Dealwise scores are 16-bit; a score outside -32768..32767 cannot come
    // from the scorer and is rejected with std::out_of_range rather than
    // widening the table to it.
    void add(const DealResult& result);
    void add(int score, bool won, Winnable winnable = Winnable::NotAsked);

    [[nodiscard]] bool empty() const noexcept { return deals_ == 0; }
    [[nodiscard]] std::int64_t deals() const noexcept { return deals_; }
    [[nodiscard]] std::int64_t wins() const noexcept { return wins_; }
    // 0 when there are no deals.
    [[nodiscard]] double winRate() const noexcept;
    [[nodiscard]] Interval winInterval() const { return wilsonInterval(wins_, deals_); }

    // The solver's verdicts. A deal it was not asked about is in none of
    // these; one it ran out of time on is solved but not decided, and is left
    // out of every winnable rate, since counting it either way would bias it.
    [[nodiscard]] std::int64_t solvedDeals() const noexcept { return solved_; }
    [[nodiscard]] std::int64_t decided() const noexcept { return solved_ - undecided_; }
    [[nodiscard]] std::int64_t winnable() const noexcept { return winnable_; }
    [[nodiscard]] std::int64_t undecided() const noexcept { return undecided_; }
    // Of the decided deals; 0 when none was decided.
    [[nodiscard]] double winnableRate() const noexcept;
    [[nodiscard]] Interval winnableInterval() const { return wilsonInterval(winnable_, decided()); }

    // Both empty when there are no deals.
    [[nodiscard]] std::optional<int> lowestScore() const noexcept;
    [[nodiscard]] std::optional<int> highestScore() const noexcept;
    [[nodiscard]] std::int64_t dealsWithScore(int score) const noexcept;
    [[nodiscard]] std::int64_t winsWithScore(int score) const noexcept;

    // One row for each score that some deal scored, lowest score first.
    [[nodiscard]] std::vector<ScoreRow> byScore() const;
    // One row for every whole number from the lowest score seen to the
    // highest, lowest first; a threshold no deal scored keeps the same deals
    // as the next one up.
    [[nodiscard]] std::vector<ThresholdRow> thresholds() const;
    // The area under the ROC curve of the score as a predictor of a win: the
    // chance that a won deal outscores a lost one, a tie counting one half
    // (the Mann-Whitney statistic). Exact, from the counts. Empty unless
    // there is at least one win and one loss, since it compares the two.
    [[nodiscard]] std::optional<double> rocAuc() const;
    // The same for the score as a predictor of a winnable deal, over the
    // decided deals only. Empty unless one is winnable and one is not.
    [[nodiscard]] std::optional<double> winnableRocAuc() const;

private:
    struct Counts {
        std::int64_t deals = 0;
        std::int64_t wins = 0;
        std::int64_t solved = 0;
        std::int64_t winnable = 0;
        std::int64_t undecided = 0;
    };

    // counts_[i] holds score lowest_ + i. Scores cluster in a few dozen
    // values, so an array beats a map and grows only at the edges.
    void reserveScore(int score);
    [[nodiscard]] const Counts* find(int score) const noexcept;

    std::vector<Counts> counts_;
    int lowest_ = 0;
    std::int64_t deals_ = 0;
    std::int64_t wins_ = 0;
    std::int64_t solved_ = 0;
    std::int64_t winnable_ = 0;
    std::int64_t undecided_ = 0;
};

} // namespace dealwise::study
