// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "klondike/game.h"

// The solver's own view of a position: every card known, the stock and the
// waste kept as one list (the talon) in the order the cards turn up, and
// every change made and taken back in place.
namespace dealwise::klondike::solver {

enum class StepKind : std::uint8_t {
    TableauToFoundation, // the top card of pile `from`
    TableauToTableau,    // the top `count` cards of pile `from` onto pile `to`
    TalonToFoundation,   // talon card `from`, turned up by turning the stock
    TalonToTableau,      // talon card `from` onto pile `to`
    FoundationToTableau, // the top card of foundation `from` (a suit) onto pile `to`
};

// Which moves a search tries.
enum class Pruning : std::uint8_t {
    None,     // every move the rules allow, the stock's turns folded
    Exact,    // less the moves that can never be needed: no win is lost
    UpOrUsed, // and a top card that fits its foundation goes up, or is used where it lies
};

struct Step {
    StepKind kind = StepKind::TableauToFoundation;
    std::uint8_t from = 0;
    std::uint8_t to = 0;
    std::uint8_t count = 1;
    CardCode card = 0; // the card moved, or the head of the run
    // Filled in by apply, for undo.
    std::uint8_t oldWaste = 0;
    bool turnedUp = false;
};

// A position's identity whatever the order of its piles and its waste: one
// word a pile, sorted, then the cards left in the talon. The foundations
// follow from the rest; what the waste adds, the cards that turning brings
// within reach, is reachableTalon.
using Key = std::array<std::uint32_t, 8>;
// Two 64-bit hashes of the key, kept up to date move by move: over the piles
// each is a sum, which the order of the piles cannot change, so nothing is
// sorted.
using KeyHash = std::array<std::uint64_t, 2>;

class Position {
public:
    // The game's position; the cards in its stock and waste then are the
    // talon that the key's talon bits refer to.
    explicit Position(const Game& game);

    [[nodiscard]] int foundationCards() const noexcept { return foundationCards_; }
    [[nodiscard]] int faceDownCards() const noexcept { return faceDownCards_; }
    [[nodiscard]] int talonCards() const noexcept { return talonSize_; }
    // For tools that measure a search: the piles keep the order they were
    // dealt in.
    [[nodiscard]] const Pile& pile(int index) const noexcept { return piles_[std::size_t(index)]; }

    // True when some card on the tableau can never move again, so that the
    // position is lost whatever is played: see the definition for why. A
    // king at the bottom of its pile may then move with its whole pile into
    // an empty one; `bottomKingsHold` false counts such a move as one that
    // frees it, which proves fewer positions lost: kept to check against.
    [[nodiscard]] bool hasStuckCard(bool bottomKingsHold = true) const noexcept;

    // Appends the moves worth trying here, the likeliest first. With pruning,
    // a move to a foundation that can never hurt comes alone, and moves that
    // can never be needed are left out.
    void generate(std::vector<Step>& out, Pruning pruning) const;
    // Whether `step`, not yet made, is of use only to the move that follows
    // it (see generateUses): a card down from its foundation or, with one
    // card turned at a time, from the talon, is of use only to what is built
    // on it; a pile moved off whole, to the king that then takes its place.
    [[nodiscard]] bool waitsForUse(const Step& step) const noexcept {
        switch (step.kind) {
        case StepKind::FoundationToTableau:
            return true;
        case StepKind::TalonToTableau:
            return draw_ == 1;
        case StepKind::TableauToTableau:
            return piles_[step.from].faceDown == 0 && step.count == piles_[step.from].size;
        default:
            return false;
        }
    }
    // Right after `placed`, a step for which waitsForUse held: the moves
    // that use it. For a card, a card built on it or, when it came down from
    // its foundation, the next lower card of its suit brought down too; for
    // a pile left empty, a king into it.
    void generateUses(const Step& placed, std::vector<Step>& out) const;
    void apply(Step& step) noexcept;
    void undo(const Step& step) noexcept;

    // With no card face down and none in the talon, the piles go up one by
    // one, smallest card first; appends those moves, true when all 52 are up.
    bool finishFromTableau(std::vector<Step>& path) noexcept;

    [[nodiscard]] Key key() const noexcept;
    [[nodiscard]] KeyHash keyHash() const noexcept;
    // The hashes of the key of this position's class: the positions that
    // differ from it only in which of two cards of a colour and rank a run
    // lies on, where the other is free. `hasTwin` when the class holds more
    // than this position.
    [[nodiscard]] KeyHash firstParentKeyHash(bool& hasTwin) const noexcept;
    // The first of those hashes for the tableau alone.
    [[nodiscard]] std::uint64_t tableauHash() const noexcept { return pileSums_[0]; }

    // The piles bottom first with the face-down cards in brackets, the
    // foundations' tops, the talon with a bar after the waste: for tests and
    // for reading a search by eye.
    [[nodiscard]] std::string describe() const;

    // The talon cards that turning alone brings to the top of the waste, one
    // bit a talon index.
    [[nodiscard]] std::uint32_t reachableTalon() const noexcept;
    // Those talon indices, fewest turns first; returns how many.
    int talonInTurningOrder(std::array<std::uint8_t, kStockSize>& order) const noexcept;

private:
    [[nodiscard]] bool fitsOnFoundation(CardCode card) const noexcept {
        return goesOnFoundation(card, foundations_[std::size_t(suitOf(card))]);
    }
    [[nodiscard]] bool neededOnTableau(CardCode card) const noexcept;
    // The pile in which `card` lies face up, and its place there; -1 when
    // it lies face down or off the tableau.
    [[nodiscard]] int faceUpPlaceOf(CardCode card, int& at) const noexcept;

    // For each card, one bit a pile it could be built on.
    using Fits = std::array<std::uint8_t, kCardCount>;
    [[nodiscard]] Fits fits() const noexcept;
    // Talon indices, fewest turns first.
    using TalonOrder = std::span<const std::uint8_t>;

    // The moves generate tries, in the order it tries them.
    bool addSafeFoundationMove(std::vector<Step>& out) const;
    void addFoundationMoves(std::vector<Step>& out) const;
    void addTalonToFoundation(std::vector<Step>& out, TalonOrder talon) const;
    void addRunsThatTurnUpCards(std::vector<Step>& out, const Fits& fits, Pruning pruning) const;
    void addTalonToTableau(std::vector<Step>& out, const Fits& fits, TalonOrder talon, Pruning pruning) const;
    void addPartialRunMoves(std::vector<Step>& out, const Fits& fits, Pruning pruning) const;
    void addWholePileMoves(std::vector<Step>& out, const Fits& fits, Pruning pruning) const;
    bool addUpOrUseMoves(std::vector<Step>& out) const;
    void addFoundationToTableau(std::vector<Step>& out, const Fits& fits, Pruning pruning) const;
    void addRunMoves(std::vector<Step>& out, const Fits& fits, int from, int first, Pruning pruning) const;
    void addPlacements(std::vector<Step>& out, const Fits& fits, Step step, Pruning pruning) const;
    void addKingsInto(int empty, std::vector<Step>& out) const;

    void change(Step& step) noexcept;
    void changeBack(const Step& step) noexcept;
    void refreshWords(const Step& step) noexcept;
    void refreshWord(int pile) noexcept;
    // A pile's part of the key, of its cards below `end`.
    [[nodiscard]] std::uint32_t pileWord(int pile, int end) const noexcept;
    // The run of a pile's cards from `first` to below `end`.
    [[nodiscard]] static std::uint32_t runWord(const Pile& pile, int first, int end) noexcept;
    [[nodiscard]] KeyHash withTalon(const KeyHash& pileSums) const noexcept;
    bool turnUp(Pile& pile) noexcept;
    void removeFromTalon(Step& step) noexcept;
    void restoreToTalon(const Step& step) noexcept;

    std::array<Pile, kPileCount> piles_{};
    std::array<std::uint32_t, kPileCount> words_{}; // each pile's part of the key
    std::array<KeyHash, kPileCount> spreads_{};     // each word spread, for either hash
    KeyHash pileSums_{};                            // of the spread words
    std::array<std::uint8_t, 4> foundations_{};
    std::array<CardCode, kStockSize> talon_{};           // in the order they turn up
    std::array<std::uint8_t, kCardCount> talonOrigin_{}; // a card's place in the deal's talon
    std::uint32_t talonLeft_ = 0;                        // one bit a place in the deal's talon
    CardSet talonCards_ = 0;
    std::uint8_t talonSize_ = 0;
    std::uint8_t waste_ = 0; // the first `waste_` talon cards are in the waste
    std::uint8_t draw_ = 3;
    int foundationCards_ = 0;
    int faceDownCards_ = 0;
};

// Makes the step in the game as a player would, turning the stock as often
// as it takes to bring the card wanted to the top of the waste, and appends
// the moves. False, with the game unchanged, when turning never brings it up.
bool playStep(Game& game, const Step& step, std::vector<Move>& moves);

} // namespace dealwise::klondike::solver
