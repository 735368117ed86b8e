// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

#include "klondike/game.h"

namespace dealwise::klondike {

enum class Verdict : std::uint8_t {
    Won,       // a winning line was found; its moves replay from the deal
    Lost,      // every position reachable from the deal was searched (with draw one, if draw three)
    Undecided, // the time or position limit came first
};

struct SolveLimits {
    double seconds = 10.0;       // wall-clock time for one deal
    std::uint64_t positions = 0; // positions expanded at most; 0: no limit
    // The transposition table holds 4 << tableBits positions of 16 bytes:
    // 256 MiB a thread by default, enough for ten seconds of search
    // (tableBitsFor sizes it for other limits).
    unsigned tableBits = 22;
    // The rules that leave out moves which can never be needed. Off, the
    // search tries every legal move (turns of the stock still folded) and is
    // much slower: kept to check the rules against.
    bool pruning = true;
    // Proves a position lost, and searches no further from it, when some
    // card on the tableau can never move again (solver::Position::
    // hasStuckCard). Off, such positions are searched to the end: kept to
    // check the proof against. The proof costs about a tenth of what
    // expanding a position does and pays only where a lost part of the game
    // is searched to the end, so it starts once the search has expanded
    // `stuckCardsAfter` positions: most deals are decided before.
    bool stuckCards = true;
    std::uint64_t stuckCardsAfter = 4096;
    // The proof counts a king at the bottom of its pile as holding the pile:
    // into an empty pile it takes the whole pile along, which frees nothing.
    // Off, a king that could go to an empty pile frees its pile: kept to
    // check the rule against.
    bool bottomKingsHold = true;
    // The proof's answers are kept by tableau in 1 << stuckAnswerBits
    // places (8 bytes each); 0 proves every position afresh, to check the
    // kept answers against.
    unsigned stuckAnswerBits = 16;
    // A position is not searched when positions entered before, alike but
    // for the waste, had every talon card it can turn up within reach
    // (solver::Table). Off, only a position with the same cards within reach
    // counts as met: kept to check the rule against.
    bool wasteCover = true;
    // A card down from its foundation, or with one card turned at a time a
    // card from the talon, goes onto the tableau only together with the
    // move that uses it, and a pile is moved off whole only together with
    // the king that takes its place (solver::Position::generateUses). Off, or without
    // pruning, it may go alone: kept to check the rule against. A search
    // that finds its win soon often finds it by playing talon cards onto the
    // tableau before they are used, so the rule starts once the search has
    // expanded `pairedPlaysAfter` positions, when a loss grows likelier.
    bool pairedPlays = true;
    std::uint64_t pairedPlaysAfter = 65536;
    // A card on top of a pile, on a face-up card, that fits its foundation
    // goes up or is used where it lies, and a lone card that fits its
    // foundation is not moved onto the tableau: it could come back down
    // from there (solver::Position::addUpOrUseMoves). Off, or without
    // pruning, every other move is tried too: kept to check the rule against.
    // Like the paired plays it makes many a quick win take a few more moves,
    // so it too starts once the search has expanded `upOrUsedAfter` positions.
    bool upOrUsed = true;
    std::uint64_t upOrUsedAfter = 65536;
    // A run on a face-up card can move to the other card of that colour and
    // rank when that one is free, and back: the two positions are one. So a
    // position whose search ended lost, whatever line led to it, marks its
    // twins lost, and they are not searched. Off, each is searched: kept to
    // check the rule against. Finding a position's twins costs a third of
    // what the rest of it does, and most deals are decided long before it
    // pays, so the rule starts once the search has expanded
    // `eitherParentAfter` positions.
    bool eitherParent = true;
    std::uint64_t eitherParentAfter = 4096;
    // A deal won with three cards turned at a time is won with one, and one
    // lost with one is lost with three, and the other draw's search is often
    // far quicker. So the other draw may be searched too, by turns with the
    // deal's own search, round for round, and kept to `otherDrawShare` of the
    // positions; whichever decides the deal first ends both. Without
    // restarts, the own search goes first to `otherDrawAfter` positions,
    // then the other to its share, then the own on. Draw three's wins come
    // soon for many a draw-one deal that its own search is lost in, and draw
    // one's losses for many a draw-three deal that its own search needs
    // tens of millions of positions to lose.
    bool drawThreeForOne = true;
    bool drawOneForThree = true;
    std::uint64_t otherDrawAfter = 65536;
    double otherDrawShare = 0.2;
    // The search (the deal's own, and the other draw's) stops after
    // `restartAfter` positions and begins again, with a budget
    // `restartGrowth` times as large each time; every other round tries the
    // moves of its first `shuffleDepth` plies in an order of its own. What
    // a round searched to the end stays in the table, so the rounds in the
    // usual order take up that search about where it stopped, and a loss
    // costs little more; a win that the usual order buries under a lost
    // opening, another order often finds at once.
    bool restarts = true;
    std::uint64_t restartAfter = std::uint64_t{1} << 18;
    double restartGrowth = 2.0;
    int shuffleDepth = 30;
};

struct Solution {
    Verdict verdict = Verdict::Undecided;
    std::vector<Move> moves;     // when won: replays from the deal, turns of the stock included
    std::uint64_t positions = 0; // positions expanded
    double seconds = 0.0;
    int searchedDraw = 0; // the draw whose search reached the verdict: the deal's own, or the other
};

// The table for a search within `limits`, one of `threads` at once on a
// machine with `memory` bytes (0: not known): room for half as many
// positions again as the search can take (a lost position's twins take an
// entry of their own), at about a million positions a second, from 16 MiB
// to 1 GiB, and no more of the machine than a quarter shared among the
// threads (where the memory is not known, no more than the default). A
// larger table is not free: every look-up lands on a random page, and the
// more pages the likelier the address cache misses, so a search of ten
// seconds takes about a twelfth longer a position in 1 GiB than in 256 MiB;
// but a deal that takes tens of millions of positions searches nearly
// twice as many in 256 MiB, its positions given way and searched again.
inline constexpr unsigned kSmallestTableBits = 18;
inline constexpr unsigned kLargestTableBits = 24;
[[nodiscard]] unsigned tableBitsFor(const SolveLimits& limits, std::uint64_t memory, unsigned threads) noexcept;
// This machine's memory in bytes; 0 where it cannot be told.
[[nodiscard]] std::uint64_t machineMemory() noexcept;

// Decides whether the deal can be won by a player who sees every card, with
// the rules of Game: draw one or three, unlimited passes, cards back from the
// foundations.
//
// Depth-first, every move made and taken back in one position. The stock
// and the waste are one list, the talon, and turning is folded into the
// moves: any talon card that turning alone brings to the top of the waste
// can be played, and the waste left behind is recorded. Positions entered
// are kept in a transposition table under a key in which the piles are
// sorted and the waste is left out, so transpositions and positions that
// differ by the order of their piles meet; a position is not searched again
// when the positions entered under its key had every talon card it can turn
// up within reach. With pruning,
// a card that nothing could ever need on the tableau goes to its foundation
// at once and is never brought back; a card that fits its foundation, on a
// face-up card at the top of its pile, goes up or is used where it lies;
// part of a run moves only to let the card beneath it go up; a king tries
// one empty pile, and a king already at the bottom of its pile stays. A
// run can move to the other card of the colour and rank it lies on, when
// that one is free, and back: so once a position is lost whatever line led
// to it, such twins of it are not searched. None of these loses a win.
//
// The table has a fixed size (4 << tableBits positions of 16 bytes); when a
// bucket is full, the position whose search took the least work gives way.
[[nodiscard]] Solution solve(const Deck& deck, int draw, const SolveLimits& limits = {});
// The same from a position of a game under way: a won line replays from it.
[[nodiscard]] Solution solve(const Game& start, const SolveLimits& limits = {});

} // namespace dealwise::klondike
