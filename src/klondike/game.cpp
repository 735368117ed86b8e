// SPDX-License-Identifier: MIT
#include "klondike/game.h"

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <utility>

namespace dealwise::klondike {

Game::Game(const Deck& deck, int draw) : draw_(static_cast<std::uint8_t>(draw == 1 ? 1 : 3)) {
    std::size_t next = 0;
    for (int row = 0; row < kPileCount; ++row) {
        for (int pile = row; pile < kPileCount; ++pile) {
            Pile& target = piles_[std::size_t(pile)];
            target.cards[target.size++] = deck[next++];
        }
    }
    for (Pile& pile : piles_) {
        pile.faceDown = static_cast<std::uint8_t>(pile.size - 1);
    }
    // The stock's top is the end of the array: the first card turned is the
    // first stock card of the deck.
    for (int i = 0; i < kStockSize; ++i) {
        stock_[std::size_t(kStockSize - 1 - i)] = deck[next++];
    }
    stockSize_ = kStockSize;
}

Game Game::withDraw(int draw) const noexcept {
    Game game = *this;
    game.draw_ = static_cast<std::uint8_t>(draw == 1 ? 1 : 3);
    return game;
}

bool Game::isWon() const noexcept {
    return std::all_of(foundations_.begin(), foundations_.end(), [](std::uint8_t top) { return top == kKingRank; });
}

int Game::faceDownCount() const noexcept {
    int count = 0;
    for (const Pile& pile : piles_) {
        count += pile.faceDown;
    }
    return count;
}

int Game::foundationCards() const noexcept {
    int count = 0;
    for (std::uint8_t top : foundations_) {
        count += top;
    }
    return count;
}

std::vector<Move> Game::legalMoves() const {
    std::vector<Move> moves;
    if (stockSize_ > 0 || wasteSize_ > 0) {
        moves.push_back({MoveKind::Turn, 0, 0, 0});
    }
    if (wasteSize_ > 0) {
        const CardCode top = wasteTop();
        if (fitsOnFoundation(top)) {
            moves.push_back({MoveKind::WasteToFoundation, 0, 0, 1});
        }
        for (int to = 0; to < kPileCount; ++to) {
            if (fitsOnPile(top, to)) {
                moves.push_back({MoveKind::WasteToTableau, 0, std::uint8_t(to), 1});
            }
        }
    }
    for (int from = 0; from < kPileCount; ++from) {
        const Pile& pile = piles_[std::size_t(from)];
        if (pile.size == 0) {
            continue;
        }
        if (fitsOnFoundation(pile.top())) {
            moves.push_back({MoveKind::TableauToFoundation, std::uint8_t(from), 0, 1});
        }
        for (int first = pile.faceDown; first < pile.size; ++first) {
            const CardCode head = pile.cards[std::size_t(first)];
            for (int to = 0; to < kPileCount; ++to) {
                if (to != from && fitsOnPile(head, to)) {
                    moves.push_back({MoveKind::TableauToTableau, std::uint8_t(from), std::uint8_t(to),
                                     std::uint8_t(pile.size - first)});
                }
            }
        }
    }
    for (int suit = 0; suit < 4; ++suit) {
        const int top = foundations_[std::size_t(suit)];
        if (top == 0) {
            continue;
        }
        const CardCode card = cardCode(suit, top);
        for (int to = 0; to < kPileCount; ++to) {
            if (fitsOnPile(card, to)) {
                moves.push_back({MoveKind::FoundationToTableau, std::uint8_t(suit), std::uint8_t(to), 1});
            }
        }
    }
    return moves;
}

bool Game::isLegal(const Move& move) const {
    const std::vector<Move> moves = legalMoves();
    return std::find(moves.begin(), moves.end(), move) != moves.end();
}

void Game::apply(const Move& move) {
    switch (move.kind) {
    case MoveKind::Turn:
        if (stockSize_ == 0) {
            while (wasteSize_ > 0) {
                stock_[stockSize_++] = std::exchange(waste_[--wasteSize_], CardCode{0});
            }
        } else {
            for (int i = 0; i < draw_ && stockSize_ > 0; ++i) {
                waste_[wasteSize_++] = std::exchange(stock_[--stockSize_], CardCode{0});
            }
        }
        break;
    case MoveKind::WasteToFoundation: {
        const CardCode card = std::exchange(waste_[--wasteSize_], CardCode{0});
        ++foundations_[std::size_t(suitOf(card))];
        break;
    }
    case MoveKind::WasteToTableau: {
        Pile& to = piles_[move.to];
        to.cards[to.size++] = std::exchange(waste_[--wasteSize_], CardCode{0});
        break;
    }
    case MoveKind::TableauToFoundation: {
        Pile& from = piles_[move.from];
        const CardCode card = std::exchange(from.cards[--from.size], CardCode{0});
        ++foundations_[std::size_t(suitOf(card))];
        from.turnUpIfUncovered();
        break;
    }
    case MoveKind::TableauToTableau: {
        Pile& from = piles_[move.from];
        Pile& to = piles_[move.to];
        const int first = from.size - move.count;
        for (int i = first; i < from.size; ++i) {
            to.cards[to.size++] = std::exchange(from.cards[std::size_t(i)], CardCode{0});
        }
        from.size = static_cast<std::uint8_t>(first);
        from.turnUpIfUncovered();
        break;
    }
    case MoveKind::FoundationToTableau: {
        Pile& to = piles_[move.to];
        const int top = foundations_[move.from]--;
        to.cards[to.size++] = cardCode(move.from, top);
        break;
    }
    }
}

// Every slot past the end of a pile, the stock or the waste holds 0 (apply
// clears what it vacates), so the bytes of two equal positions are equal and
// can be hashed eight at a time.
std::uint64_t Game::hash() const noexcept {
    static_assert(std::is_trivially_copyable_v<Game>);
    static_assert(sizeof(Game) == kPileCount * sizeof(Pile) + 4 + 2 * kStockSize + 3, "no padding");
    std::array<unsigned char, (sizeof(Game) + 7) / 8 * 8> bytes{};
    std::memcpy(bytes.data(), this, sizeof(Game));
    std::uint64_t h = 0x9E3779B97F4A7C15ULL;
    for (std::size_t at = 0; at < bytes.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, 8);
        h = (h ^ word) * 0xBF58476D1CE4E5B9ULL;
        h ^= h >> 31;
    }
    return h;
}

bool replay(const Deck& deck, int draw, std::span<const Move> moves, Game* end) {
    Game game(deck, draw);
    for (const Move& move : moves) {
        if (!game.isLegal(move)) {
            return false;
        }
        game.apply(move);
    }
    if (end != nullptr) {
        *end = game;
    }
    return true;
}

} // namespace dealwise::klondike
