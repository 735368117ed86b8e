// SPDX-License-Identifier: MIT
#include "klondike/greedy.h"

#include <algorithm>
#include <vector>

namespace dealwise::klondike {

namespace {

constexpr int kMovesBeforeGivingUp = 2000;
constexpr int kSearchNodes = 300;

// The positions a game has been in, by hash: open addressing in one block,
// doubled when half full, since a game visits a few hundred positions and
// the player asks about each candidate move.
class PositionSet {
public:
    PositionSet() : slots_(1024, 0) {}

    // False when the position was there already.
    bool insert(std::uint64_t hash) {
        hash |= 1; // 0 marks an empty slot
        for (std::size_t at = hash & (slots_.size() - 1);; at = (at + 1) & (slots_.size() - 1)) {
            if (slots_[at] == hash) {
                return false;
            }
            if (slots_[at] == 0) {
                slots_[at] = hash;
                if (++used_ * 2 > slots_.size()) {
                    grow();
                }
                return true;
            }
        }
    }

private:
    void grow() {
        std::vector<std::uint64_t> old(slots_.size() * 2, 0);
        old.swap(slots_);
        used_ = 0;
        for (std::uint64_t hash : old) {
            if (hash != 0) {
                insert(hash);
            }
        }
    }

    std::vector<std::uint64_t> slots_;
    std::size_t used_ = 0;
};

// Which cards could go onto some pile.
CardSet cardsThatFitAPile(const Game& game) {
    CardSet fits = 0;
    for (int to = 0; to < kPileCount; ++to) {
        const auto pile = game.pile(to);
        fits |= pile.empty() ? kCardsStartingEmptyPile : kCardsBuildingOn[pile.back()];
    }
    return fits;
}

// A face-up run descends one rank a card, so the one card of a run that could
// go onto a given pile is found by its rank, without walking the run.
void collectTableauMoves(const Game& game, std::vector<GreedyOption>& out) {
    std::array<int, kPileCount> wanted{}; // the rank a pile takes next, 0 for none
    for (int to = 0; to < kPileCount; ++to) {
        const auto target = game.pile(to);
        wanted[std::size_t(to)] = target.empty() ? kKingRank : rankBuildingOn(target.back());
    }
    for (int from = 0; from < kPileCount; ++from) {
        const auto pile = game.pile(from);
        if (pile.empty()) {
            continue;
        }
        const int faceDown = game.faceDown(from);
        const int size = static_cast<int>(pile.size());
        const int topRank = rankOf(pile.back());
        const int headRank = rankOf(pile[std::size_t(faceDown)]);
        if (game.fitsOnFoundation(pile.back())) {
            const Preference preference =
                turnsUpACard(faceDown, size - 1) ? Preference::UncoveringToFoundation : Preference::ToFoundation;
            out.push_back({preference, 0, {MoveKind::TableauToFoundation, std::uint8_t(from), 0, 1}});
        }
        for (int to = 0; to < kPileCount; ++to) {
            const int rank = wanted[std::size_t(to)];
            if (to == from || rank < topRank || rank > headRank) {
                continue;
            }
            const int first = size - 1 - (rank - topRank);
            if (!game.fitsOnPile(pile[std::size_t(first)], to)) {
                continue;
            }
            const Preference preference =
                turnsUpACard(faceDown, first) ? Preference::UncoveringTableauMove : Preference::OtherTableauMove;
            out.push_back(
                {preference,
                 0,
                 {MoveKind::TableauToTableau, std::uint8_t(from), std::uint8_t(to), std::uint8_t(size - first)}});
        }
    }
    const CardSet fits = cardsThatFitAPile(game);
    for (int suit = 0; suit < kSuitCount; ++suit) {
        const int top = game.foundationTop(suit);
        if (top == 0 || (fits & cardSetOf(cardCode(suit, top))) == 0) {
            continue;
        }
        for (int to = 0; to < kPileCount; ++to) {
            if (game.fitsOnPile(cardCode(suit, top), to)) {
                out.push_back({Preference::FoundationToTableau,
                               0,
                               {MoveKind::FoundationToTableau, std::uint8_t(suit), std::uint8_t(to), 1}});
            }
        }
    }
}

// Every card that turning alone brings to the top of the waste, with the
// turns it takes, until the stock and waste come round to where they were.
void collectStockMoves(const Game& game, std::vector<GreedyOption>& out) {
    // Which cards could go anywhere, so that most of the stock is ruled out
    // by one test a card.
    CardSet toFoundation = 0;
    for (int suit = 0; suit < kSuitCount; ++suit) {
        const int rank = rankGoingOnFoundation(game.foundationTop(suit));
        if (rank <= kKingRank) {
            toFoundation |= cardSetOf(cardCode(suit, rank));
        }
    }
    const CardSet toSomePile = cardsThatFitAPile(game);
    forEachTurnStop(game.wasteCount(), game.talonCount(), game.draw(), [&](int top, int turns) {
        const CardCode card = game.talonCard(top);
        if ((toFoundation & cardSetOf(card)) != 0) {
            out.push_back({Preference::ToFoundation, turns, {MoveKind::WasteToFoundation, 0, 0, 1}});
        }
        if ((toSomePile & cardSetOf(card)) == 0) {
            return;
        }
        for (int to = 0; to < kPileCount; ++to) {
            if (game.fitsOnPile(card, to)) {
                out.push_back({Preference::StockToTableau, turns, {MoveKind::WasteToTableau, 0, std::uint8_t(to), 1}});
            }
        }
    });
}

// The preferences the stock offers plays for, the others coming from the
// tableau alone.
constexpr bool stockOffers(Preference preference) noexcept {
    return preference == Preference::ToFoundation || preference == Preference::StockToTableau;
}

constexpr std::array kPreferences{Preference::UncoveringToFoundation, Preference::ToFoundation,
                                  Preference::UncoveringTableauMove,  Preference::StockToTableau,
                                  Preference::FoundationToTableau,    Preference::OtherTableauMove};

} // namespace

void greedyOptions(const Game& game, std::vector<GreedyOption>& all) {
    all.clear();
    collectTableauMoves(game, all);
    collectStockMoves(game, all);
    for (std::size_t i = 1; i < all.size(); ++i) { // few and nearly sorted
        for (std::size_t j = i; j > 0 && all[j - 1].preference > all[j].preference; --j) {
            std::swap(all[j - 1], all[j]);
        }
    }
}

namespace {

void play(Game& game, const GreedyOption& candidate, std::vector<Move>* record) {
    for (int i = 0; i < candidate.turns; ++i) {
        game.apply({MoveKind::Turn, 0, 0, 0});
        if (record != nullptr) {
            record->push_back({MoveKind::Turn, 0, 0, 0});
        }
    }
    game.apply(candidate.play);
    if (record != nullptr) {
        record->push_back(candidate.play);
    }
}

// With every card face up the game is open: a short depth-first search over
// the same moves finds a win when one is near.
bool searchForWin(const Game& game, PositionSet& seen, int& nodes, std::vector<Move>& path) {
    if (game.isWon()) {
        return true;
    }
    if (++nodes > kSearchNodes) {
        return false;
    }
    std::vector<GreedyOption> moves;
    greedyOptions(game, moves);
    for (const GreedyOption& candidate : moves) {
        Game next = game;
        const std::size_t mark = path.size();
        play(next, candidate, &path);
        if (seen.insert(next.hash()) && searchForWin(next, seen, nodes, path)) {
            return true;
        }
        path.resize(mark);
    }
    return false;
}

// The first move, in order of preference, that leads to a position not seen
// before: the same choice as listing every candidate, but the stock is only
// looked through when no better move from the tableau is new.
bool takeFirstNewMove(Game& game, PositionSet& visited, std::vector<Move>& record, std::vector<GreedyOption>& tableau,
                      std::vector<GreedyOption>& stock) {
    tableau.clear();
    collectTableauMoves(game, tableau);
    bool stockListed = false;
    const auto tryMoves = [&](const std::vector<GreedyOption>& list, Preference preference) {
        for (const GreedyOption& candidate : list) {
            if (candidate.preference != preference) {
                continue;
            }
            Game next = game;
            play(next, candidate, nullptr);
            if (visited.insert(next.hash())) {
                play(game, candidate, &record);
                return true;
            }
        }
        return false;
    };
    for (const Preference preference : kPreferences) {
        if (tryMoves(tableau, preference)) {
            return true;
        }
        if (stockOffers(preference)) {
            if (!stockListed) {
                stock.clear();
                collectStockMoves(game, stock);
                stockListed = true;
            }
            if (tryMoves(stock, preference)) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

GameRecord playGreedy(const Deck& deck, int draw) {
    GameRecord record;
    Game game(deck, draw);
    PositionSet visited;
    visited.insert(game.hash());
    std::vector<GreedyOption> moves; // reused from move to move
    std::vector<GreedyOption> stockMoves;
    moves.reserve(64);
    stockMoves.reserve(64);
    bool searched = false;
    for (int step = 0; step < kMovesBeforeGivingUp && !game.isWon(); ++step) {
        if (!searched && game.faceDownCount() == 0) {
            searched = true;
            PositionSet seen = visited;
            int nodes = 0;
            std::vector<Move> path;
            if (searchForWin(game, seen, nodes, path)) {
                record.moves.insert(record.moves.end(), path.begin(), path.end());
                record.won = true;
                return record;
            }
        }
        if (!takeFirstNewMove(game, visited, record.moves, moves, stockMoves)) {
            break;
        }
    }
    record.won = game.isWon();
    return record;
}

} // namespace dealwise::klondike
