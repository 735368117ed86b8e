#include "klondike/solver_position.h"

#include <algorithm>
#include <bit>

#include "core/card_text.h"

namespace dealwise::klondike::solver {

namespace {

constexpr int kKing = 13;

[[nodiscard]] constexpr int otherSuitOfColour(int suit) noexcept { return suit ^ 1; }

} // namespace

Position::Position(const Game& game) : draw_(static_cast<std::uint8_t>(game.draw())) {
    for (int index = 0; index < kPileCount; ++index) {
        Pile& pile = piles_[std::size_t(index)];
        const auto cards = game.pile(index);
        std::copy(cards.begin(), cards.end(), pile.cards.begin());
        pile.size = static_cast<std::uint8_t>(cards.size());
        pile.faceDown = static_cast<std::uint8_t>(game.faceDown(index));
        faceDownCards_ += pile.faceDown;
    }
    for (int suit = 0; suit < 4; ++suit) {
        foundations_[std::size_t(suit)] = static_cast<std::uint8_t>(game.foundationTop(suit));
        foundationCards_ += game.foundationTop(suit);
    }
    // The waste, first turned first, then the stock, whose top the game keeps last.
    const auto waste = game.waste();
    const auto stock = game.stock();
    std::copy(waste.begin(), waste.end(), talon_.begin());
    std::reverse_copy(stock.begin(), stock.end(), talon_.begin() + std::ptrdiff_t(waste.size()));
    talonSize_ = static_cast<std::uint8_t>(waste.size() + stock.size());
    waste_ = static_cast<std::uint8_t>(waste.size());
    for (int at = 0; at < talonSize_; ++at) {
        talonOrigin_[talon_[std::size_t(at)]] = static_cast<std::uint8_t>(at);
    }
    talonLeft_ = (std::uint32_t{1} << talonSize_) - 1;
    for (int index = 0; index < kPileCount; ++index) {
        refreshWord(index);
    }
}

bool Position::fitsOnPile(CardCode card, int to) const noexcept {
    const Pile& pile = piles_[std::size_t(to)];
    if (pile.size == 0) {
        return rankOf(card) == kKing;
    }
    const CardCode top = pile.cards[std::size_t(pile.size - 1)];
    return isRed(top) != isRed(card) && rankOf(top) == rankOf(card) + 1;
}

// A card may still be wanted on the tableau while some card that could be
// built on it, or on that one in turn, is off the foundations. Once both
// cards of the other colour one rank down are up, and the other suit of its
// colour is up to two ranks down, nothing can ever need it there: moving it
// up is never a mistake, and bringing it back down never helps.
bool Position::neededOnTableau(CardCode card) const noexcept {
    const int rank = rankOf(card);
    if (rank <= 2) {
        return false; // only an ace goes onto a two, and an ace can always go up
    }
    const int suit = suitOf(card);
    const int otherColour = isRed(card) ? 0 : 2;
    return foundations_[std::size_t(otherColour)] < rank - 1 || foundations_[std::size_t(otherColour + 1)] < rank - 1 ||
           foundations_[std::size_t(otherSuitOfColour(suit))] < rank - 2;
}

// Two wastes are alike when every card reachable from one is reachable from
// the other, each taken card leaving the same waste behind: with one card
// turned at a time any waste is; with three, a waste of a multiple of three
// or of the whole talon turns up exactly what a waste turned over does.
int Position::equivalentWaste() const noexcept {
    if (draw_ == 1 || waste_ % 3 == 0 || waste_ == talonSize_) {
        return 0;
    }
    return waste_;
}

int Position::talonInTurningOrder(std::array<std::uint8_t, kStockSize>& order) const noexcept {
    const int size = talonSize_;
    int count = 0;
    std::uint32_t seen = 0;
    const auto topAt = [&](int wasteCount) {
        if (wasteCount > 0 && (seen >> (wasteCount - 1) & 1U) == 0) {
            seen |= std::uint32_t{1} << (wasteCount - 1);
            order[std::size_t(count++)] = static_cast<std::uint8_t>(wasteCount - 1);
        }
    };
    // On from the waste as it is, then round again after turning it over.
    for (int waste = waste_; waste < size; waste += draw_) {
        topAt(waste);
    }
    topAt(size);
    for (int waste = draw_; waste < size; waste += draw_) {
        topAt(waste);
    }
    return count;
}

std::uint32_t Position::reachableTalon() const noexcept {
    std::array<std::uint8_t, kStockSize> order{};
    const int count = talonInTurningOrder(order);
    std::uint32_t reachable = 0;
    for (int i = 0; i < count; ++i) {
        reachable |= std::uint32_t{1} << order[std::size_t(i)];
    }
    return reachable;
}

Position::Fits Position::fits() const noexcept {
    Fits fits{};
    std::uint8_t empty = 0;
    for (int pile = 0; pile < kPileCount; ++pile) {
        const Pile& p = piles_[std::size_t(pile)];
        if (p.size == 0) {
            empty |= static_cast<std::uint8_t>(1U << pile);
            continue;
        }
        const CardCode top = p.cards[std::size_t(p.size - 1)];
        const int rank = rankOf(top);
        if (rank > 1) {
            const int otherColour = isRed(top) ? 0 : 2;
            fits[std::size_t(otherColour * 13 + rank - 2)] |= static_cast<std::uint8_t>(1U << pile);
            fits[std::size_t((otherColour + 1) * 13 + rank - 2)] |= static_cast<std::uint8_t>(1U << pile);
        }
    }
    for (int suit = 0; suit < 4; ++suit) {
        fits[std::size_t(suit * 13 + kKing - 1)] = empty;
    }
    return fits;
}

void Position::addPlacements(std::vector<Step>& out, const Fits& fits, Step step, Pruning pruning) const {
    unsigned piles = fits[step.card];
    if (step.kind == StepKind::TableauToTableau) {
        piles &= ~(1U << step.from);
    }
    // Empty piles are alike: a king needs to try only one.
    if (pruning != Pruning::None && rankOf(step.card) == kKing && piles != 0) {
        piles &= -piles;
    }
    for (; piles != 0; piles &= piles - 1) {
        step.to = static_cast<std::uint8_t>(std::countr_zero(piles));
        out.push_back(step);
    }
}

void Position::addRunMoves(std::vector<Step>& out, const Fits& fits, int from, int first, Pruning pruning) const {
    const Pile& pile = piles_[std::size_t(from)];
    addPlacements(out, fits,
                  {StepKind::TableauToTableau, static_cast<std::uint8_t>(from), 0,
                   static_cast<std::uint8_t>(pile.size - first), pile.cards[std::size_t(first)]},
                  pruning);
}

void Position::generate(std::vector<Step>& out, Pruning rules) const {
    const bool pruning = rules != Pruning::None;
    if (pruning) {
        for (int from = 0; from < kPileCount; ++from) {
            const Pile& pile = piles_[std::size_t(from)];
            if (pile.size > 0) {
                const CardCode top = pile.cards[std::size_t(pile.size - 1)];
                if (fitsOnFoundation(top) && !neededOnTableau(top)) {
                    out.push_back({StepKind::TableauToFoundation, static_cast<std::uint8_t>(from), 0, 1, top});
                    return;
                }
            }
        }
    }
    // Up to the foundations: first the cards that turn a card up.
    for (const bool turnsUp : {true, false}) {
        for (int from = 0; from < kPileCount; ++from) {
            const Pile& pile = piles_[std::size_t(from)];
            if (pile.size > 0 && (pile.faceDown > 0 && pile.faceDown + 1 == pile.size) == turnsUp &&
                fitsOnFoundation(pile.cards[std::size_t(pile.size - 1)])) {
                out.push_back({StepKind::TableauToFoundation, static_cast<std::uint8_t>(from), 0, 1,
                               pile.cards[std::size_t(pile.size - 1)]});
            }
        }
    }
    // The talon's cards by the turns they take, fewest first.
    std::array<std::uint8_t, kStockSize> talonOrder{};
    const int talonCount = talonInTurningOrder(talonOrder);
    for (int i = 0; i < talonCount; ++i) {
        const std::uint8_t at = talonOrder[std::size_t(i)];
        if (fitsOnFoundation(talon_[at])) {
            out.push_back({StepKind::TalonToFoundation, at, 0, 1, talon_[at]});
        }
    }
    const Fits fit = fits();
    // Runs that turn up a card, from the piles with the most cards face down.
    for (int faceDown = kPileCount - 1; faceDown > 0; --faceDown) {
        for (int from = 0; from < kPileCount; ++from) {
            if (piles_[std::size_t(from)].faceDown == faceDown) {
                addRunMoves(out, fit, from, faceDown, rules);
            }
        }
    }
    for (int i = 0; i < talonCount; ++i) {
        const std::uint8_t at = talonOrder[std::size_t(i)];
        addPlacements(out, fit, {StepKind::TalonToTableau, at, 0, 1, talon_[at]}, rules);
    }
    // Part of a run moves only to let the card beneath it go up: any other
    // purpose is served as well by the card of the same colour and rank the
    // part would move onto.
    for (int from = 0; from < kPileCount; ++from) {
        const Pile& pile = piles_[std::size_t(from)];
        for (int first = pile.faceDown + 1; first < pile.size; ++first) {
            if (!pruning || fitsOnFoundation(pile.cards[std::size_t(first - 1)])) {
                addRunMoves(out, fit, from, first, rules);
            }
        }
    }
    // A whole pile moved off, leaving it empty; a king at the bottom already
    // has the best place there is.
    for (int from = 0; from < kPileCount; ++from) {
        const Pile& pile = piles_[std::size_t(from)];
        if (pile.size > 0 && pile.faceDown == 0 && (!pruning || rankOf(pile.cards[0]) != kKing)) {
            addRunMoves(out, fit, from, 0, rules);
        }
    }
    for (int suit = 0; suit < 4; ++suit) {
        const int top = foundations_[std::size_t(suit)];
        if (top == 0) {
            continue;
        }
        const auto card = static_cast<CardCode>(suit * 13 + top - 1);
        if (!pruning || neededOnTableau(card)) {
            addPlacements(out, fit, {StepKind::FoundationToTableau, static_cast<std::uint8_t>(suit), 0, 1, card},
                          rules);
        }
    }
}

bool Position::turnUp(Pile& pile) noexcept {
    if (pile.faceDown > 0 && pile.faceDown == pile.size) {
        --pile.faceDown;
        --faceDownCards_;
        return true;
    }
    return false;
}

void Position::removeFromTalon(Step& step) noexcept {
    const int at = step.from;
    std::copy(talon_.begin() + at + 1, talon_.begin() + talonSize_, talon_.begin() + at);
    --talonSize_;
    talon_[talonSize_] = 0;
    step.oldWaste = waste_;
    waste_ = static_cast<std::uint8_t>(at);
    talonLeft_ &= ~(std::uint32_t{1} << talonOrigin_[step.card]);
}

void Position::restoreToTalon(const Step& step) noexcept {
    const int at = step.from;
    std::copy_backward(talon_.begin() + at, talon_.begin() + talonSize_, talon_.begin() + talonSize_ + 1);
    talon_[std::size_t(at)] = step.card;
    ++talonSize_;
    waste_ = step.oldWaste;
    talonLeft_ |= std::uint32_t{1} << talonOrigin_[step.card];
}

void Position::apply(Step& step) noexcept {
    change(step);
    refreshWords(step);
}

void Position::change(Step& step) noexcept {
    switch (step.kind) {
    case StepKind::TableauToFoundation: {
        Pile& from = piles_[step.from];
        from.cards[--from.size] = 0;
        ++foundations_[std::size_t(suitOf(step.card))];
        ++foundationCards_;
        step.turnedUp = turnUp(from);
        break;
    }
    case StepKind::TableauToTableau: {
        Pile& from = piles_[step.from];
        Pile& to = piles_[step.to];
        const int first = from.size - step.count;
        std::copy(from.cards.begin() + first, from.cards.begin() + from.size, to.cards.begin() + to.size);
        std::fill(from.cards.begin() + first, from.cards.begin() + from.size, CardCode{0});
        to.size = static_cast<std::uint8_t>(to.size + step.count);
        from.size = static_cast<std::uint8_t>(first);
        step.turnedUp = turnUp(from);
        break;
    }
    case StepKind::TalonToFoundation:
        removeFromTalon(step);
        ++foundations_[std::size_t(suitOf(step.card))];
        ++foundationCards_;
        break;
    case StepKind::TalonToTableau: {
        removeFromTalon(step);
        Pile& to = piles_[step.to];
        to.cards[to.size++] = step.card;
        break;
    }
    case StepKind::FoundationToTableau: {
        Pile& to = piles_[step.to];
        to.cards[to.size++] = step.card;
        --foundations_[step.from];
        --foundationCards_;
        break;
    }
    }
}

void Position::undo(const Step& step) noexcept {
    changeBack(step);
    refreshWords(step);
}

void Position::changeBack(const Step& step) noexcept {
    switch (step.kind) {
    case StepKind::TableauToFoundation: {
        Pile& from = piles_[step.from];
        if (step.turnedUp) {
            ++from.faceDown;
            ++faceDownCards_;
        }
        from.cards[from.size++] = step.card;
        --foundations_[std::size_t(suitOf(step.card))];
        --foundationCards_;
        break;
    }
    case StepKind::TableauToTableau: {
        Pile& from = piles_[step.from];
        Pile& to = piles_[step.to];
        if (step.turnedUp) {
            ++from.faceDown;
            ++faceDownCards_;
        }
        const int first = to.size - step.count;
        std::copy(to.cards.begin() + first, to.cards.begin() + to.size, from.cards.begin() + from.size);
        std::fill(to.cards.begin() + first, to.cards.begin() + to.size, CardCode{0});
        from.size = static_cast<std::uint8_t>(from.size + step.count);
        to.size = static_cast<std::uint8_t>(first);
        break;
    }
    case StepKind::TalonToFoundation:
        restoreToTalon(step);
        --foundations_[std::size_t(suitOf(step.card))];
        --foundationCards_;
        break;
    case StepKind::TalonToTableau: {
        Pile& to = piles_[step.to];
        to.cards[--to.size] = 0;
        restoreToTalon(step);
        break;
    }
    case StepKind::FoundationToTableau: {
        Pile& to = piles_[step.to];
        to.cards[--to.size] = 0;
        ++foundations_[step.from];
        ++foundationCards_;
        break;
    }
    }
}

void Position::refreshWords(const Step& step) noexcept {
    switch (step.kind) {
    case StepKind::TableauToFoundation:
        refreshWord(step.from);
        break;
    case StepKind::TableauToTableau:
        refreshWord(step.from);
        refreshWord(step.to);
        break;
    case StepKind::TalonToFoundation:
        break;
    case StepKind::TalonToTableau:
    case StepKind::FoundationToTableau:
        refreshWord(step.to);
        break;
    }
}

bool Position::finishFromTableau(std::vector<Step>& path) noexcept {
    // Each pile descends, so the smallest card left is on top of its pile,
    // and every smaller card of its suit is up already.
    bool moved = true;
    while (foundationCards_ < 52 && moved) {
        moved = false;
        for (int from = 0; from < kPileCount; ++from) {
            const Pile& pile = piles_[std::size_t(from)];
            if (pile.size > 0 && fitsOnFoundation(pile.cards[std::size_t(pile.size - 1)])) {
                Step step{StepKind::TableauToFoundation, static_cast<std::uint8_t>(from), 0, 1,
                          pile.cards[std::size_t(pile.size - 1)]};
                apply(step);
                path.push_back(step);
                moved = true;
            }
        }
    }
    return foundationCards_ == 52;
}

// fffddd (face down, and the pile they belong to), then the run: its length,
// its first card and, for each card after it, which of the two suits of its
// colour it is.
std::uint32_t Position::pileWord(int index) const noexcept {
    const Pile& pile = piles_[std::size_t(index)];
    if (pile.size == 0) {
        return 0;
    }
    const std::uint32_t faceDown = pile.faceDown;
    const std::uint32_t origin = faceDown > 0 ? std::uint32_t(index) : 0;
    const std::uint32_t run = pile.size - pile.faceDown;
    std::uint32_t suits = 0;
    for (int at = pile.faceDown + 1; at < pile.size; ++at) {
        suits = suits << 1 | (suitOf(pile.cards[std::size_t(at)]) & 1U);
    }
    return faceDown | origin << 3 | run << 6 | std::uint32_t(pile.cards[pile.faceDown]) << 10 | suits << 16;
}

void Position::refreshWord(int pile) noexcept { words_[std::size_t(pile)] = pileWord(pile); }

std::string Position::describe() const {
    std::string text;
    const auto put = [&text](CardCode card) {
        text += cardText(cardOf(card));
        text += ' ';
    };
    for (const Pile& pile : piles_) {
        text += '[';
        for (int at = 0; at < pile.size; ++at) {
            if (at == pile.faceDown) {
                text += "] ";
            }
            put(pile.cards[std::size_t(at)]);
        }
        if (pile.faceDown == pile.size) {
            text += "] ";
        }
        text += "/ ";
    }
    for (const std::uint8_t top : foundations_) {
        text += std::to_string(top) + ' ';
    }
    text += "/ ";
    for (int at = 0; at < talonSize_; ++at) {
        if (at == waste_) {
            text += "| ";
        }
        put(talon_[std::size_t(at)]);
    }
    if (waste_ == talonSize_) {
        text += '|';
    }
    return text;
}

Key Position::key() const noexcept {
    Key key{};
    for (int pile = 0; pile < kPileCount; ++pile) {
        const std::uint32_t word = words_[std::size_t(pile)];
        int at = pile;
        while (at > 0 && key[std::size_t(at - 1)] > word) {
            key[std::size_t(at)] = key[std::size_t(at - 1)];
            --at;
        }
        key[std::size_t(at)] = word;
    }
    key[7] = talonLeft_ | std::uint32_t(equivalentWaste()) << 24;
    return key;
}

bool playStep(Game& game, const Step& step, std::vector<Move>& moves) {
    const auto play = [&](Move move) {
        moves.push_back(move);
        game.apply(move);
    };
    const auto turnUp = [&](CardCode card) {
        // Two passes through the stock bring up every card that can come up.
        for (int turns = 0; turns < 2 * kStockSize + 4; ++turns) {
            if (game.hasWaste() && game.wasteTop() == card) {
                return true;
            }
            play({MoveKind::Turn, 0, 0, 0});
        }
        return false;
    };
    switch (step.kind) {
    case StepKind::TableauToFoundation:
        play({MoveKind::TableauToFoundation, step.from, 0, 1});
        return true;
    case StepKind::TableauToTableau:
        play({MoveKind::TableauToTableau, step.from, step.to, step.count});
        return true;
    case StepKind::TalonToFoundation:
        if (!turnUp(step.card)) {
            return false;
        }
        play({MoveKind::WasteToFoundation, 0, 0, 1});
        return true;
    case StepKind::TalonToTableau:
        if (!turnUp(step.card)) {
            return false;
        }
        play({MoveKind::WasteToTableau, 0, step.to, 1});
        return true;
    case StepKind::FoundationToTableau:
        play({MoveKind::FoundationToTableau, step.from, step.to, 1});
        return true;
    }
    return false;
}

} // namespace dealwise::klondike::solver
