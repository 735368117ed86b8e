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

struct Candidate {
    int preference = 0; // 1 is taken first
    int turns = 0;      // turns of the stock before the play
    Move play;
};

// Which cards could go onto some pile, one bit a card.
std::uint64_t cardsThatFitAPile(const Game& game) {
    std::uint64_t fits = 0;
    for (int to = 0; to < kPileCount; ++to) {
        const auto pile = game.pile(to);
        if (pile.empty()) {
            for (int suit = 0; suit < 4; ++suit) {
                fits |= std::uint64_t{1} << (suit * 13 + 12);
            }
        } else if (rankOf(pile.back()) > 1) {
            const int firstSuit = isRed(pile.back()) ? 0 : 2;
            for (int suit = firstSuit; suit < firstSuit + 2; ++suit) {
                fits |= std::uint64_t{1} << (suit * 13 + rankOf(pile.back()) - 2);
            }
        }
    }
    return fits;
}

// A face-up run descends one rank a card, so the one card of a run that could
// go onto a given pile is found by its rank, without walking the run.
void collectTableauMoves(const Game& game, std::vector<Candidate>& out) {
    std::array<int, kPileCount> wanted{};    // the rank a pile takes next: 13 when empty, 0 for none
    std::array<int, kPileCount> wantedRed{}; // 1 if it takes red, 0 black, -1 either
    for (int to = 0; to < kPileCount; ++to) {
        const auto target = game.pile(to);
        wanted[std::size_t(to)] = target.empty() ? 13 : rankOf(target.back()) - 1;
        wantedRed[std::size_t(to)] = target.empty() ? -1 : (isRed(target.back()) ? 0 : 1);
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
            const bool uncovers = faceDown > 0 && size - 1 == faceDown;
            out.push_back({uncovers ? 1 : 2, 0, {MoveKind::TableauToFoundation, std::uint8_t(from), 0, 1}});
        }
        for (int to = 0; to < kPileCount; ++to) {
            const int rank = wanted[std::size_t(to)];
            if (to == from || rank < topRank || rank > headRank) {
                continue;
            }
            const int first = size - 1 - (rank - topRank);
            const int red = wantedRed[std::size_t(to)];
            if (red >= 0 && int(isRed(pile[std::size_t(first)])) != red) {
                continue;
            }
            const bool uncovers = faceDown > 0 && first == faceDown;
            out.push_back(
                {uncovers ? 3 : 6,
                 0,
                 {MoveKind::TableauToTableau, std::uint8_t(from), std::uint8_t(to), std::uint8_t(size - first)}});
        }
    }
    const std::uint64_t fits = cardsThatFitAPile(game);
    for (int suit = 0; suit < 4; ++suit) {
        const int top = game.foundationTop(suit);
        const auto card = static_cast<CardCode>(suit * 13 + top - 1);
        if (top == 0 || ((fits >> card) & 1U) == 0) {
            continue;
        }
        for (int to = 0; to < kPileCount; ++to) {
            if (game.fitsOnPile(card, to)) {
                out.push_back({5, 0, {MoveKind::FoundationToTableau, std::uint8_t(suit), std::uint8_t(to), 1}});
            }
        }
    }
}

// Every card that turning alone brings to the top of the waste, with the
// turns it takes, until the stock and waste come round to where they were.
// In turning order the cards are the waste, bottom up, then the stock, top
// down; k turns from here show card (waste - 1 + k * draw) of that order,
// or its last card once the stock runs out, and after the waste goes back to
// the stock the count starts again from the beginning.
void collectStockMoves(const Game& game, std::vector<Candidate>& out) {
    const auto stock = game.stock();
    const auto waste = game.waste();
    const int stockSize = static_cast<int>(stock.size());
    const int wasteSize = static_cast<int>(waste.size());
    const int total = stockSize + wasteSize;
    const int draw = game.draw();
    const auto inTurningOrder = [&](int index) {
        return index < wasteSize ? waste[std::size_t(index)] : stock[std::size_t(stockSize - 1 - (index - wasteSize))];
    };
    // Which cards could go anywhere, one bit a card, so that most of the
    // stock is ruled out by one test a card.
    std::uint64_t toFoundation = 0;
    for (int suit = 0; suit < 4; ++suit) {
        if (game.foundationTop(suit) < 13) {
            toFoundation |= std::uint64_t{1} << (suit * 13 + game.foundationTop(suit));
        }
    }
    const std::uint64_t toSomePile = cardsThatFitAPile(game);
    const auto offer = [&](CardCode card, int turns) {
        if ((toFoundation >> card) & 1U) {
            out.push_back({2, turns, {MoveKind::WasteToFoundation, 0, 0, 1}});
        }
        if (((toSomePile >> card) & 1U) == 0) {
            return;
        }
        for (int to = 0; to < kPileCount; ++to) {
            if (game.fitsOnPile(card, to)) {
                out.push_back({4, turns, {MoveKind::WasteToTableau, 0, std::uint8_t(to), 1}});
            }
        }
    };
    if (wasteSize > 0) {
        offer(inTurningOrder(wasteSize - 1), 0);
    }
    int turns = 0;
    for (int taken = 0; taken < stockSize;) {
        taken = std::min(taken + draw, stockSize);
        offer(inTurningOrder(wasteSize - 1 + taken), ++turns);
    }
    if (total == 0) {
        return;
    }
    ++turns; // the waste goes back to the stock
    for (int shown = 0; shown < total;) {
        shown = std::min(shown + draw, total);
        if (shown == wasteSize) {
            break; // back where the turning started
        }
        offer(inTurningOrder(shown - 1), ++turns);
    }
}

// In order of preference, and within one preference in the order found.
void candidates(const Game& game, std::vector<Candidate>& all) {
    all.clear();
    collectTableauMoves(game, all);
    collectStockMoves(game, all);
    for (std::size_t i = 1; i < all.size(); ++i) { // few and nearly sorted
        for (std::size_t j = i; j > 0 && all[j - 1].preference > all[j].preference; --j) {
            std::swap(all[j - 1], all[j]);
        }
    }
}

void play(Game& game, const Candidate& candidate, std::vector<Move>* record) {
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
    std::vector<Candidate> moves;
    candidates(game, moves);
    for (const Candidate& candidate : moves) {
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
bool takeFirstNewMove(Game& game, PositionSet& visited, std::vector<Move>& record, std::vector<Candidate>& tableau,
                      std::vector<Candidate>& stock) {
    tableau.clear();
    collectTableauMoves(game, tableau);
    bool stockListed = false;
    const auto tryMoves = [&](const std::vector<Candidate>& list, int preference) {
        for (const Candidate& candidate : list) {
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
    for (int preference = 1; preference <= 6; ++preference) {
        if (tryMoves(tableau, preference)) {
            return true;
        }
        if (preference == 2 || preference == 4) {
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
    std::vector<Candidate> moves; // reused from move to move
    std::vector<Candidate> stockMoves;
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
