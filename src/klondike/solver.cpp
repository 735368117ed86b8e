// SPDX-License-Identifier: MIT
#include "klondike/solver.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <unordered_map>

#include "klondike/solver_position.h"
#include "klondike/solver_table.h"

#if __has_include(<unistd.h>)
#include <unistd.h>
#endif

namespace dealwise::klondike {

namespace {

using Clock = std::chrono::steady_clock;
using solver::Position;
using solver::Step;
using solver::StepKind;

// Lines of play longer than this are cut short (and the verdict can then no
// longer be lost): a deal is won in a few hundred moves, and the cap keeps
// the recursion well inside a thread's stack.
constexpr int kMaxDepth = 3000;
constexpr std::uint64_t kClockEvery = 1024;
// Marks the keys of the twins' entries (the other draw's and the waste
// cover's switch have the bits above it).
constexpr std::uint32_t kTwinsMark = 1U << 29;

enum class Outcome : std::uint8_t { Win, NoWin, Stop };

// Depth-first, every move made and taken back in one position; a position
// entered before, by whatever order of piles, is not searched again.
class Search {
public:
    static constexpr std::uint64_t kNever = ~std::uint64_t{0};

    struct Settings {
        // UpOrUsed only once `upOrUsedAfter` positions are expanded, like
        // the paired plays; Exact before.
        solver::Pruning rules = solver::Pruning::UpOrUsed;
        std::uint64_t upOrUsedAfter = 0;
        // The stuck-card proof is used once `stuckCardsAfter` positions are
        // expanded, and on the deal itself; the paired plays once
        // `pairedPlaysAfter` are. Neither when that is kNever.
        std::uint64_t stuckCardsAfter = kNever;
        bool bottomKingsHold = true;
        unsigned stuckAnswerBits = 0;
        bool wasteCover = true;
        std::uint64_t pairedPlaysAfter = kNever;
        // Counted on from the searches of the same deal before this one,
        // which left what they finished in the table.
        std::uint64_t positionsBefore = 0;
        std::uint64_t positionLimit = 0; // counting those before; 0: none
        Clock::time_point deadline;
        // In the first `shuffleDepth` plies the moves are tried in an order
        // drawn from `seed`.
        int shuffleDepth = 0;
        std::uint64_t seed = 0;
        // Hashed with every key, so that two searches of one deal with
        // different draws keep their positions apart in one table.
        std::uint32_t tableMark = 0;
        // A position lost, its twins are lost: see eitherParent. From
        // `eitherParentAfter` positions on; never when that is kNever.
        std::uint64_t eitherParentAfter = 0;
    };

    // A tableau's hash, its last bit whether the proof found a stuck card;
    // kept from round to round of one deal, like the table.
    using StuckAnswers = std::vector<std::uint64_t>;

    Search(const Game& start, const Settings& settings, solver::Table& table, StuckAnswers& stuckAnswers)
        : position_(start), settings_(settings), table_(table), stuckAnswers_(stuckAnswers), random_(settings.seed | 1),
          positions_(settings.positionsBefore) {
        path_.reserve(512);
        moves_.reserve(8192);
    }

    Verdict run() {
        switch (visit(0, entryOf())) {
        case Outcome::Win:
            return Verdict::Won;
        case Outcome::NoWin:
            return cutShort_ ? Verdict::Undecided : Verdict::Lost;
        case Outcome::Stop:
            break;
        }
        return Verdict::Undecided;
    }

    [[nodiscard]] const std::vector<Step>& path() const noexcept { return path_; }
    [[nodiscard]] std::uint64_t positions() const noexcept { return positions_ - settings_.positionsBefore; }
    // Whether some line was cut short at the greatest depth: the table then
    // holds positions whose search did not end, and no verdict can be lost.
    [[nodiscard]] bool cutShort() const noexcept { return cutShort_; }

private:
    // A position as the table knows it.
    struct Entry {
        solver::Table::Hashes hashes;
        solver::Table::Reach reach = 0;
        bool waitsForUse = false; // the move to it is made only with the next
        bool hasTwin = false;
        solver::Table::Hashes twins; // the key of its class, when it has a twin
    };
    using Held = solver::Table::Held;
    // No position on the line of play: a search that met none is a loss
    // whatever line led to it.
    static constexpr int kOffLine = kMaxDepth + 1;
    // A position whose search ended without a win, but was cut where it met
    // positions on the line above it: its loss waits on theirs.
    struct Waiting {
        std::int64_t slot;
        solver::Table::Hashes hashes;
        solver::Table::Hashes twins;
        solver::Table::Reach reach;
        int low; // the highest line position it met
        bool hasTwin;
        std::int64_t before; // the one waiting before it under the same key, or kNone
    };
    static constexpr std::int64_t kNone = -1;
    // Beyond this many, a position left open stays so: the loss of what
    // meets it then waits on the whole line, which is never wrong.
    static constexpr std::size_t kMostWaiting = std::size_t{1} << 20;

    Outcome visit(int depth, const Entry& entry) {
        if (position_.foundationCards() == kCardCount) {
            return Outcome::Win;
        }
        if (position_.faceDownCards() == 0 && position_.talonCards() == 0) {
            const std::size_t played = path_.size();
            if (position_.finishFromTableau(path_)) {
                return Outcome::Win;
            }
            for (; path_.size() > played; path_.pop_back()) {
                position_.undo(path_.back());
            }
        }
        if (outOfTime()) {
            return Outcome::Stop;
        }
        if (depth >= kMaxDepth) {
            cutShort_ = true;
            low_ = 0;
            return Outcome::NoWin;
        }
        Held held = Held::No;
        const std::int64_t slot = table_.enter(entry.hashes, entry.reach, held);
        if (held != Held::No) {
            low_ = lowOf(held, entry.hashes);
            return Outcome::NoWin;
        }
        // After the table, so that a position met again is not proved again.
        // The deal itself is always tried: some are lost before a card is
        // played. A card going up from the talon changes nothing the proof
        // looks at, so it cannot make a position stuck.
        const bool tryProof =
            depth == 0 ? settings_.stuckCardsAfter != kNever
                       : positions_ >= settings_.stuckCardsAfter && path_.back().kind != StepKind::TalonToFoundation;
        if (tryProof && hasStuckCard()) {
            table_.leave(slot, 1, false);
            enterTwins(entry);
            low_ = kOffLine;
            return Outcome::NoWin;
        }
        if (entry.hasTwin) {
            table_.prefetch(entry.twins); // entered when the search ends lost, as most do
        }
        const std::uint64_t before = positions_++;
        const std::size_t begin = moves_.size();
        position_.generate(moves_, rulesNow());
        if (depth < settings_.shuffleDepth) {
            shuffle(begin);
        }
        setLine(depth, entry.hashes);
        const std::size_t waitingBefore = waiting_.size();
        const Outcome outcome = searchMoves(depth, begin);
        setLine(depth, {});
        if (outcome == Outcome::NoWin) {
            if (low_ >= depth) {
                // Whatever it met on the line was itself or below it: lost.
                table_.leave(slot, positions_ - before, false);
                enterTwins(entry);
                settleFrom(waitingBefore);
                low_ = kOffLine;
            } else {
                table_.leave(slot, positions_ - before, true);
                wait(slot, entry);
            }
        } else if (outcome == Outcome::Stop) {
            table_.forget(slot);
        }
        return outcome;
    }

    // A card just put on the tableau that is of use only to what is built
    // on it: the next move must use it. Any other next move would do as well
    // before the card came down (that only covers a card, and takes the top
    // off a foundation or, with one card turned at a time, a card out of the
    // talon, where every card is always within reach), and the card would
    // come down as well after that move, up to the move that uses it; a
    // card never used could stay where it was. So the two moves are one, and
    // the position between them, reached no other way, is not kept.
    // Likewise a pile moved off whole onto a card: the run is the same run
    // on either pile, and the card is only covered, so any next move but a
    // king into the empty pile could be made first, to the same position
    // once the pile follows (a run taken from under the card takes the pile
    // along; the pile can follow it there). An empty pile that no king ever
    // takes is worth no more than the pile left standing.
    [[gnu::noinline]] Outcome visitUses(int depth, const Step& placed) {
        if (outOfTime()) {
            return Outcome::Stop;
        }
        if (depth >= kMaxDepth) {
            cutShort_ = true;
            low_ = 0;
            return Outcome::NoWin;
        }
        setLine(depth, {});
        const std::size_t begin = moves_.size();
        position_.generateUses(placed, moves_);
        return searchMoves(depth, begin);
    }

    // Searches the moves from `begin` on, then drops them.
    Outcome searchMoves(int depth, std::size_t begin) {
        const std::size_t end = moves_.size();
        findChildren(begin, end);
        int low = kOffLine;
        for (std::size_t next = begin; next < end; ++next) {
            Step step = moves_[next];
            // Kept by depth, not on the stack: a line of play may be
            // thousands of moves long.
            Entry& child = entryAt(depth + 1);
            child = childEntries_[next];
            // A child the table holds is not searched (see visit): no need
            // to make the move to find that out.
            if (!child.waitsForUse) {
                const Held held = table_.holds(child.hashes, child.reach);
                if (held != Held::No) {
                    low = std::min(low, lowOf(held, child.hashes));
                    continue;
                }
            }
            // Nor one whose twins are lost.
            if (!child.waitsForUse && child.hasTwin && table_.holds(child.twins, child.reach) == Held::Lost) {
                continue;
            }
            position_.apply(step);
            path_.push_back(step);
            const Outcome outcome = child.waitsForUse ? visitUses(depth + 1, step) : visit(depth + 1, child);
            if (outcome == Outcome::Win) {
                return outcome;
            }
            low = std::min(low, low_);
            path_.pop_back();
            position_.undo(step);
            if (outcome == Outcome::Stop) {
                moves_.resize(begin);
                return outcome;
            }
        }
        moves_.resize(begin);
        low_ = low;
        return Outcome::NoWin;
    }

    // Where the moves from `begin` to `end` lead. Every child's bucket is
    // asked for before the first is searched, so that their trips to memory
    // overlap. Out of line, to keep the frames of a long line of play small.
    [[gnu::noinline]] void findChildren(std::size_t begin, std::size_t end) {
        childEntries_.resize(end);
        for (std::size_t next = begin; next < end; ++next) {
            Step step = moves_[next];
            Entry& child = childEntries_[next];
            if (waitsForUse(step)) {
                child = {};
                child.waitsForUse = true;
                continue;
            }
            position_.apply(step);
            child = entryOf();
            table_.prefetch(child.hashes);
            if (positions_ >= settings_.eitherParentAfter) {
                findTwins(child);
                if (child.hasTwin) {
                    table_.prefetch(child.twins);
                }
            }
            position_.undo(step);
        }
    }

    // The highest position on the line that a position the table holds
    // waits on: none for a loss; for a position on the line, itself; for an
    // open one, what it waited on (all of the line, when no longer known).
    [[gnu::noinline]] int lowOf(Held held, const solver::Table::Hashes& hashes) const noexcept {
        switch (held) {
        case Held::No:
        case Held::Lost:
            return kOffLine;
        case Held::OnLine:
            for (std::size_t depth = 0; depth < line_.size(); ++depth) {
                if (line_[depth].check == hashes.check && line_[depth].bucket == hashes.bucket) {
                    return int(depth);
                }
            }
            return 0;
        case Held::Open:
            break;
        }
        const auto latest = latestWaiting_.find(hashes.check);
        if (latest == latestWaiting_.end()) {
            return 0;
        }
        int low = kOffLine;
        for (std::int64_t at = latest->second; at != kNone; at = waiting_[std::size_t(at)].before) {
            low = std::min(low, waiting_[std::size_t(at)].low);
        }
        return low;
    }

    // A deque, so that growing it leaves the entries of the line above where they are.
    [[gnu::noinline]] Entry& entryAt(int depth) {
        while (entries_.size() <= std::size_t(depth)) {
            entries_.emplace_back();
        }
        return entries_[std::size_t(depth)];
    }

    void setLine(int depth, const solver::Table::Hashes& hashes) {
        if (line_.size() <= std::size_t(depth)) {
            line_.resize(std::size_t(depth) + 1);
        }
        line_[std::size_t(depth)] = hashes;
    }

    // A position left open by its search, `low_` what it met on the line.
    [[gnu::noinline]] void wait(std::int64_t slot, const Entry& entry) {
        if (slot == solver::Table::kNoSlot || waiting_.size() >= kMostWaiting) {
            return;
        }
        std::int64_t& latest = latestWaiting_.try_emplace(entry.hashes.check, kNone).first->second;
        waiting_.push_back({slot, entry.hashes, entry.twins, entry.reach, low_, entry.hasTwin, latest});
        latest = std::int64_t(waiting_.size()) - 1;
    }

    // A position searched to the end whose search met nothing on the line
    // above it has ended, and so have the open ones it met on the way: they
    // are lost, whatever line leads to them, unless the same key waits on
    // the line above too.
    [[gnu::noinline]] void settleFrom(std::size_t first) {
        for (std::size_t at = waiting_.size(); at-- > first;) {
            const Waiting& waiting = waiting_[at];
            if (waiting.before == kNone) {
                table_.settle(waiting.slot, waiting.hashes);
                latestWaiting_.erase(waiting.hashes.check);
            } else {
                latestWaiting_[waiting.hashes.check] = waiting.before;
            }
            if (waiting.hasTwin) {
                enterLost(waiting.twins, waiting.reach);
            }
        }
        waiting_.resize(first);
    }

    // A lost position's class is lost: its twins need no search.
    [[gnu::noinline]] void enterTwins(const Entry& entry) {
        if (entry.hasTwin) {
            enterLost(entry.twins, entry.reach);
        }
    }
    [[gnu::noinline]] void enterLost(const solver::Table::Hashes& hashes, solver::Table::Reach reach) {
        Held held = Held::No;
        const std::int64_t slot = table_.enter(hashes, reach, held);
        if (held == Held::No) {
            table_.leave(slot, 1, false);
        }
    }

    // The proof looks at the tableau alone (every card off it counts the
    // same, in the talon or up), and a deal's positions meet the same tableau
    // with a few talons each; so its answers are kept by the tableau, in a
    // small table of their own, begun once the deal is past its first
    // positions (most deals never get there).
    [[gnu::noinline]] bool hasStuckCard() {
        if (positions_ < settings_.stuckCardsAfter || settings_.stuckAnswerBits == 0) {
            return position_.hasStuckCard(settings_.bottomKingsHold); // the deal itself
        }
        const std::uint64_t hash = position_.tableauHash();
        if (stuckAnswers_.empty()) {
            stuckAnswers_.resize(std::size_t{1} << settings_.stuckAnswerBits);
        }
        std::uint64_t& answer = stuckAnswers_[hash & (stuckAnswers_.size() - 1)];
        if ((answer | 1U) == (hash | 1U)) {
            return (answer & 1U) != 0;
        }
        const bool stuck = position_.hasStuckCard(settings_.bottomKingsHold);
        answer = (hash & ~std::uint64_t{1}) | std::uint64_t{stuck};
        return stuck;
    }

    [[nodiscard]] solver::Pruning rulesNow() const noexcept {
        return settings_.rules == solver::Pruning::UpOrUsed && positions_ < settings_.upOrUsedAfter
                   ? solver::Pruning::Exact
                   : settings_.rules;
    }

    [[nodiscard]] bool waitsForUse(const Step& step) const noexcept {
        return positions_ >= settings_.pairedPlaysAfter && position_.waitsForUse(step);
    }

    [[gnu::noinline]] void shuffle(std::size_t begin) noexcept {
        for (std::size_t end = moves_.size(); end - begin > 1; --end) {
            random_ ^= random_ << 13;
            random_ ^= random_ >> 7;
            random_ ^= random_ << 17;
            std::swap(moves_[end - 1], moves_[begin + random_ % (end - begin)]);
        }
    }

    // What else is hashed with a key: the draw's mark and, without the waste
    // cover, the cards within reach, so that a position is met again only
    // with exactly those.
    [[nodiscard]] std::uint32_t extraOf(solver::Table::Reach reach) const noexcept {
        return settings_.tableMark | (settings_.wasteCover ? 0 : reach | 1U << 31);
    }

    [[gnu::noinline]] [[nodiscard]] Entry entryOf() const noexcept {
        const solver::Table::Reach reach = position_.reachableTalon();
        Entry entry;
        entry.hashes = table_.hashesOf(position_.keyHash(), extraOf(reach));
        entry.reach = reach;
        return entry;
    }

    // Where the twins of the position just reached by the move to `child`
    // are kept, if it has any.
    [[gnu::noinline]] void findTwins(Entry& child) const noexcept {
        const solver::KeyHash twins = position_.firstParentKeyHash(child.hasTwin);
        if (child.hasTwin) {
            // The twins' entries are kept apart from the positions' own.
            child.twins = table_.hashesOf(twins, extraOf(child.reach) | kTwinsMark);
        }
    }

    [[gnu::noinline]] bool outOfTime() {
        if (settings_.positionLimit != 0 && positions_ >= settings_.positionLimit) {
            return true;
        }
        if (positions_ % kClockEvery == 0 && positions_ != lastClockCheck_) {
            lastClockCheck_ = positions_;
            stopped_ = stopped_ || Clock::now() >= settings_.deadline;
        }
        return stopped_;
    }

    Position position_;
    Settings settings_;
    solver::Table& table_;
    StuckAnswers& stuckAnswers_;
    std::uint64_t random_;
    std::vector<Step> path_;
    std::vector<Step> moves_;                 // the moves of every position on the line, one block after another
    std::vector<Entry> childEntries_;         // where each of those moves leads, in the table
    std::deque<Entry> entries_;               // where the moves on the line of play lead, by depth
    std::vector<solver::Table::Hashes> line_; // the positions on the line of play, by depth
    std::vector<Waiting> waiting_;
    std::unordered_map<std::uint64_t, std::int64_t> latestWaiting_; // by the key's check
    int low_ = kOffLine; // of the last position searched: what on the line its search met
    std::uint64_t positions_ = 0;
    std::uint64_t lastClockCheck_ = ~std::uint64_t{0};
    bool stopped_ = false;
    bool cutShort_ = false;
};

// What the search of a deal came to.
struct Searched {
    Verdict verdict = Verdict::Undecided;
    std::vector<Step> path; // the winning line, when won
    std::uint64_t positions = 0;
    int draw = 0;
};

// The search of one deal with one draw, in rounds as SolveLimits::restarts
// says: each round begins again from the deal, skipping what the table
// holds. A round stopped leaves in the table only the positions it searched
// to the end (Table::forget). A position searched to the end without a win
// was cut off from any win but through positions on the line of play of the
// time, which the table no longer holds, and which the deal reaches through
// such positions only; so the next round, skipping what the table holds,
// still reaches every win, and its loss is a loss. Without restarts a round
// goes on to the limit it is given, and the next takes up the same search
// from the deal.
class Rounds {
public:
    Rounds(const Game& start, const SolveLimits& limits, solver::Table& table, Search::StuckAnswers& stuckAnswers,
           std::uint32_t tableMark)
        : start_(start), limits_(limits), table_(table), stuckAnswers_(stuckAnswers),
          budget_(std::max<std::uint64_t>(1, limits.restartAfter)) {
        settings_.rules = !limits.pruning   ? solver::Pruning::None
                          : limits.upOrUsed ? solver::Pruning::UpOrUsed
                                            : solver::Pruning::Exact;
        settings_.upOrUsedAfter = limits.upOrUsedAfter;
        settings_.stuckCardsAfter = limits.stuckCards ? limits.stuckCardsAfter : Search::kNever;
        settings_.bottomKingsHold = limits.bottomKingsHold;
        settings_.stuckAnswerBits = std::min(limits.stuckAnswerBits, 24U);
        settings_.wasteCover = limits.wasteCover;
        settings_.pairedPlaysAfter = limits.pruning && limits.pairedPlays ? limits.pairedPlaysAfter : Search::kNever;
        settings_.tableMark = tableMark;
        settings_.eitherParentAfter = limits.eitherParent ? limits.eitherParentAfter : Search::kNever;
        searched_.draw = start.draw();
    }

    // One round, to `positionLimit` positions of this search in all (0:
    // none) and `deadline`.
    void next(std::uint64_t positionLimit, Clock::time_point deadline) {
        settings_.deadline = deadline;
        settings_.positionsBefore = searched_.positions;
        settings_.positionLimit = positionLimit;
        if (limits_.restarts) {
            const std::uint64_t roundLimit = searched_.positions + budget_;
            settings_.positionLimit = positionLimit == 0 ? roundLimit : std::min(positionLimit, roundLimit);
            settings_.seed = round_;
            settings_.shuffleDepth = round_ % 2 == 1 ? limits_.shuffleDepth : 0;
            // Growing by at least a position a round, so that rounds that
            // find nothing to do never spin to the deadline.
            budget_ = std::max(budget_ + 1, static_cast<std::uint64_t>(double(budget_) * limits_.restartGrowth));
            ++round_;
        }
        Search search(start_, settings_, table_, stuckAnswers_);
        searched_.verdict = search.run();
        searched_.positions += search.positions();
        cutShort_ = cutShort_ || search.cutShort();
        if (searched_.verdict == Verdict::Won) {
            searched_.path = search.path();
        } else if (searched_.verdict == Verdict::Lost && cutShort_) {
            searched_.verdict = Verdict::Undecided; // a round before may have left a line cut short in the table
            ended_ = true;
        } else if (search.cutShort()) {
            ended_ = true;
        }
    }

    // Rounds to `positionLimit` and `deadline`, or to a verdict.
    void run(std::uint64_t positionLimit, Clock::time_point deadline) {
        do {
            next(positionLimit, deadline);
        } while (!over(positionLimit, deadline));
    }

    // Decided, or with nothing left to search within the limits.
    [[nodiscard]] bool over(std::uint64_t positionLimit, Clock::time_point deadline) const {
        return decided() || ended_ || Clock::now() >= deadline ||
               (positionLimit != 0 && searched_.positions >= positionLimit);
    }
    [[nodiscard]] bool decided() const noexcept { return searched_.verdict != Verdict::Undecided; }
    [[nodiscard]] bool ended() const noexcept { return ended_; }
    [[nodiscard]] const Searched& searched() const noexcept { return searched_; }

private:
    Game start_;
    const SolveLimits& limits_;
    solver::Table& table_;
    Search::StuckAnswers& stuckAnswers_;
    Search::Settings settings_;
    Searched searched_;
    std::uint64_t budget_;
    std::uint64_t round_ = 0;
    bool cutShort_ = false;
    bool ended_ = false; // a line was cut short, and no later round can be lost
};

} // namespace

unsigned tableBitsFor(const SolveLimits& limits, std::uint64_t memory, unsigned threads) noexcept {
    constexpr double kPositionsASecond = 1e6;
    constexpr double kEntriesAPosition = 1.5;
    const double positions = limits.positions != 0 ? double(limits.positions) : limits.seconds * kPositionsASecond;
    const double entries = positions * kEntriesAPosition;
    unsigned bits = kSmallestTableBits;
    while (bits < kLargestTableBits && double(std::uint64_t{4} << bits) < entries) {
        ++bits;
    }
    unsigned most = SolveLimits{}.tableBits; // where the memory is not known
    if (memory != 0) {
        // A table of `bits` takes 64 << bits bytes: four positions of 16 bytes a bucket.
        const std::uint64_t share = memory / 4 / std::max(1U, threads);
        for (most = kLargestTableBits; most > kSmallestTableBits && (std::uint64_t{64} << most) > share;) {
            --most;
        }
    }
    return std::min(bits, most);
}

std::uint64_t machineMemory() noexcept {
#if defined(_SC_PHYS_PAGES) && defined(_SC_PAGE_SIZE)
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGE_SIZE);
    return pages > 0 && pageSize > 0 ? std::uint64_t(pages) * std::uint64_t(pageSize) : 0;
#else
    return 0;
#endif
}

Solution solve(const Deck& deck, int draw, const SolveLimits& limits) { return solve(Game(deck, draw), limits); }

// Every line of play that turns three cards at a time is one that turns one
// at a time: one card at a time, turning stops at every card that three at a
// time would stop at, with the same cards in the stock and the waste. So a
// deal won with draw three is won with draw one, and a deal lost with draw
// one is lost with draw three; and the two searches often differ by orders
// of magnitude on the same deal. So the deal's own search and the other
// draw's go by turns, in rounds, the other kept to `otherDrawShare` of the
// positions, until one of them decides the deal; each keeps what it
// searched to the end in the one table, under keys of its own, and takes
// up its search about where it stopped.
Solution solve(const Game& start, const SolveLimits& limits) {
    // One table a thread, kept from deal to deal: clearing tens of megabytes
    // would cost more than most deals take to solve. Its first filling, on a
    // thread's first deal, is not on that deal's clock.
    thread_local solver::Table table;
    table.reset(limits.tableBits);
    const auto started = Clock::now();
    const auto deadline =
        started + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(limits.seconds));
    Search::StuckAnswers stuckAnswers; // the proof looks at the tableau alone, the same with either draw
    Rounds own(start, limits, table, stuckAnswers, 0);
    // The other draw's keys carry a bit of their own (the waste cover's
    // switch has the top one).
    constexpr std::uint32_t kOtherDrawMark = 1U << 30;
    Rounds other(start.withDraw(start.draw() == 1 ? 3 : 1), limits, table, stuckAnswers, kOtherDrawMark);

    Solution solution;
    const auto finish = [&](const Searched& searched) {
        solution.verdict = searched.verdict;
        solution.positions = own.searched().positions + other.searched().positions;
        solution.searchedDraw = searched.draw;
        // A line won with the other draw replays as it stands: every card
        // it plays from the talon, turning one at a time reaches too.
        Game game = start;
        for (const Step& step : searched.path) {
            if (!solver::playStep(game, step, solution.moves)) {
                break; // a fault of the solver's: the replay check fails on the line cut short
            }
        }
        solution.seconds = std::chrono::duration<double>(Clock::now() - started).count();
        return solution;
    };
    // A search's limit in its own positions: `share` (0: none), within
    // what both searches together have left.
    const auto limitFor = [&](const Rounds& rounds, std::uint64_t share) -> std::uint64_t {
        if (limits.positions == 0) {
            return share;
        }
        const std::uint64_t both = own.searched().positions + other.searched().positions;
        const std::uint64_t left = limits.positions - std::min(limits.positions, both);
        const std::uint64_t cap = rounds.searched().positions + left;
        return share == 0 ? cap : std::min(cap, share);
    };
    const bool otherDraw = start.draw() == 1 ? limits.drawThreeForOne : limits.drawOneForThree;
    if (!otherDraw) {
        own.run(limitFor(own, 0), deadline);
        return finish(own.searched());
    }

    const Verdict carriesOver = start.draw() == 1 ? Verdict::Won : Verdict::Lost;
    const double share = std::clamp(limits.otherDrawShare, 0.0, 0.99);
    const double otherPerOwn = share / (1.0 - share);
    // Without rounds, the deal's own search goes first to `otherDrawAfter`
    // positions, the other draw's to its share, and the own on to the end.
    std::uint64_t ownLimit = limits.restarts ? 0 : std::max<std::uint64_t>(1, limits.otherDrawAfter);
    for (;;) {
        own.next(limitFor(own, ownLimit), deadline);
        if (own.over(limitFor(own, 0), deadline)) {
            return finish(own.searched());
        }
        ownLimit = 0;
        if (!other.decided() && !other.ended()) {
            const auto otherShare = static_cast<std::uint64_t>(double(own.searched().positions) * otherPerOwn);
            if (otherShare > other.searched().positions) {
                other.next(limitFor(other, otherShare), deadline);
                if (other.searched().verdict == carriesOver) {
                    return finish(other.searched());
                }
            }
        }
    }
}

} // namespace dealwise::klondike
