// SPDX-License-Identifier: MIT
#include "klondike/solver_position.h"

#include <algorithm>
#include <bit>

#include "core/card_text.h"

namespace dealwise::klondike::solver {

namespace {

[[nodiscard]] constexpr int otherSuitOfColour(int suit) noexcept { return suit ^ 1; }

// A word spread over 64 bits, differently for each of the key's two hashes:
// sums of such values tell different sets of words apart as well as a hash
// of the sorted words would.
[[nodiscard]] constexpr std::uint64_t spread(std::uint32_t word, std::size_t which) noexcept {
    constexpr std::uint64_t kSeeds[2] = {0x9E3779B97F4A7C15ULL, 0xC2B2AE3D27D4EB4FULL};
    std::uint64_t h = (word + 1) * kSeeds[which];
    h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9ULL;
    h = (h ^ (h >> 27)) * 0x94D049BB133111EBULL;
    return h ^ (h >> 31);
}

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
    talonSize_ = static_cast<std::uint8_t>(game.talonCount());
    waste_ = static_cast<std::uint8_t>(game.wasteCount());
    for (int at = 0; at < talonSize_; ++at) {
        talon_[std::size_t(at)] = game.talonCard(at);
        talonOrigin_[talon_[std::size_t(at)]] = static_cast<std::uint8_t>(at);
        talonCards_ |= cardSetOf(talon_[std::size_t(at)]);
    }
    talonLeft_ = (std::uint32_t{1} << talonSize_) - 1;
    for (int index = 0; index < kPileCount; ++index) {
        refreshWord(index);
    }
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

int Position::talonInTurningOrder(std::array<std::uint8_t, kStockSize>& order) const noexcept {
    int count = 0;
    forEachTurnStop(waste_, talonSize_, draw_,
                    [&](int top, int) { order[std::size_t(count++)] = static_cast<std::uint8_t>(top); });
    return count;
}

std::uint32_t Position::reachableTalon() const noexcept { return turnStops(waste_, talonSize_, draw_); }

Position::Fits Position::fits() const noexcept {
    Fits fits{};
    std::uint8_t empty = 0;
    for (int pile = 0; pile < kPileCount; ++pile) {
        const Pile& p = piles_[std::size_t(pile)];
        if (p.empty()) {
            empty |= static_cast<std::uint8_t>(1U << pile);
            continue;
        }
        for (CardSet cards = kCardsBuildingOn[p.top()]; cards != 0; cards &= cards - 1) {
            fits[std::size_t(std::countr_zero(cards))] |= static_cast<std::uint8_t>(1U << pile);
        }
    }
    for (CardSet kings = kCardsStartingEmptyPile; kings != 0; kings &= kings - 1) {
        fits[std::size_t(std::countr_zero(kings))] = empty;
    }
    return fits;
}

void Position::addPlacements(std::vector<Step>& out, const Fits& fits, Step step, Pruning pruning) const {
    // A lone card that could go up instead is as good there: see addUpOrUseMoves.
    if (pruning == Pruning::UpOrUsed && step.count == 1 && step.kind != StepKind::FoundationToTableau &&
        fitsOnFoundation(step.card)) {
        return;
    }
    unsigned piles = fits[step.card];
    if (step.kind == StepKind::TableauToTableau) {
        piles &= ~(1U << step.from);
    }
    // Empty piles are alike: a king needs to try only one.
    if (pruning != Pruning::None && startsEmptyPile(step.card) && piles != 0) {
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

void Position::generate(std::vector<Step>& out, Pruning pruning) const {
    if (pruning != Pruning::None && addSafeFoundationMove(out)) {
        return;
    }
    if (pruning == Pruning::UpOrUsed && addUpOrUseMoves(out)) {
        return;
    }
    addFoundationMoves(out);
    std::array<std::uint8_t, kStockSize> talonOrder{};
    const TalonOrder talon(talonOrder.data(), std::size_t(talonInTurningOrder(talonOrder)));
    addTalonToFoundation(out, talon);
    const Fits fit = fits();
    addRunsThatTurnUpCards(out, fit, pruning);
    addTalonToTableau(out, fit, talon, pruning);
    addPartialRunMoves(out, fit, pruning);
    addWholePileMoves(out, fit, pruning);
    addFoundationToTableau(out, fit, pruning);
}

// Every king that can go into the empty pile, but one already at the
// bottom of its pile: moving that one only swaps two piles.
void Position::addKingsInto(int empty, std::vector<Step>& out) const {
    const auto to = static_cast<std::uint8_t>(empty);
    for (int from = 0; from < kPileCount; ++from) {
        const Pile& pile = piles_[std::size_t(from)];
        const int first = pile.faceDown == 0 ? 1 : pile.faceDown;
        for (int at = first; at < pile.size; ++at) {
            if (startsEmptyPile(pile.cards[std::size_t(at)])) {
                out.push_back({StepKind::TableauToTableau, static_cast<std::uint8_t>(from), to,
                               static_cast<std::uint8_t>(pile.size - at), pile.cards[std::size_t(at)]});
            }
        }
    }
    const std::uint32_t reachable = reachableTalon();
    for (int at = 0; at < talonSize_; ++at) {
        if (startsEmptyPile(talon_[std::size_t(at)]) && (reachable >> at & 1U) != 0) {
            out.push_back({StepKind::TalonToTableau, static_cast<std::uint8_t>(at), to, 1, talon_[std::size_t(at)]});
        }
    }
    for (int suit = 0; suit < kSuitCount; ++suit) {
        if (foundations_[std::size_t(suit)] == kKingRank) {
            out.push_back(
                {StepKind::FoundationToTableau, static_cast<std::uint8_t>(suit), to, 1, cardCode(suit, kKingRank)});
        }
    }
}

int Position::faceUpPlaceOf(CardCode card, int& at) const noexcept {
    for (int from = 0; from < kPileCount; ++from) {
        const Pile& pile = piles_[std::size_t(from)];
        for (at = pile.faceDown; at < pile.size; ++at) {
            if (pile.cards[std::size_t(at)] == card) {
                return from;
            }
        }
    }
    return -1;
}

void Position::generateUses(const Step& placed, std::vector<Step>& out) const {
    if (placed.kind == StepKind::TableauToTableau) {
        addKingsInto(placed.from, out);
        return;
    }
    const std::uint32_t reachable = reachableTalon();
    for (CardSet builders = kCardsBuildingOn[placed.card]; builders != 0; builders &= builders - 1) {
        const auto card = static_cast<CardCode>(std::countr_zero(builders));
        const int suit = suitOf(card);
        if (foundations_[std::size_t(suit)] == rankOf(card)) {
            out.push_back({StepKind::FoundationToTableau, static_cast<std::uint8_t>(suit), placed.to, 1, card});
            continue;
        }
        if ((talonCards_ & cardSetOf(card)) != 0) {
            for (int at = 0; at < talonSize_; ++at) {
                if (talon_[std::size_t(at)] == card && (reachable >> at & 1U) != 0) {
                    out.push_back({StepKind::TalonToTableau, static_cast<std::uint8_t>(at), placed.to, 1, card});
                }
            }
            continue;
        }
        if (foundations_[std::size_t(suit)] > rankOf(card)) {
            continue; // up, under a higher card of its suit
        }
        int at = 0;
        const int from = faceUpPlaceOf(card, at);
        if (from >= 0 && from != placed.to) {
            out.push_back({StepKind::TableauToTableau, static_cast<std::uint8_t>(from), placed.to,
                           static_cast<std::uint8_t>(piles_[std::size_t(from)].size - at), card});
        }
    }
    if (placed.kind == StepKind::FoundationToTableau && foundations_[placed.from] != 0) {
        // Not a king: the piles it fits are the piles whose top it builds on.
        const CardCode below = cardCode(placed.from, foundations_[placed.from]);
        for (int to = 0; to < kPileCount; ++to) {
            const Pile& pile = piles_[std::size_t(to)];
            if (!pile.empty() && (kCardsBuildingOn[pile.top()] & cardSetOf(below)) != 0) {
                out.push_back({StepKind::FoundationToTableau, placed.from, static_cast<std::uint8_t>(to), 1, below});
            }
        }
    }
}

// A card nothing could need on the tableau goes up alone: no other move
// could do better.
// With one card turned at a time every talon card is always within reach,
// and which card the waste shows changes nothing, so the same holds there.
// There a talon card goes up alone even when it may be needed, as long as
// the card it would cover on its foundation is not: nothing can be built on
// a talon card, so all it can do is go up or down onto the tableau, and
// from its foundation it can still come down to any place it could go from
// the talon. What going up takes away is the card beneath it, which can no
// longer come down on its own; but a card nothing needs is never brought
// down, and stays one nothing needs: a card comes down only when needed, and
// any card whose coming down could make it needed is one nothing needs too.
bool Position::addSafeFoundationMove(std::vector<Step>& out) const {
    for (int from = 0; from < kPileCount; ++from) {
        const Pile& pile = piles_[std::size_t(from)];
        if (!pile.empty() && fitsOnFoundation(pile.top()) && !neededOnTableau(pile.top())) {
            out.push_back({StepKind::TableauToFoundation, static_cast<std::uint8_t>(from), 0, 1, pile.top()});
            return true;
        }
    }
    for (int at = 0; draw_ == 1 && at < talonSize_; ++at) {
        const CardCode card = talon_[std::size_t(at)];
        if (fitsOnFoundation(card) &&
            (rankOf(card) == 1 || !neededOnTableau(cardCode(suitOf(card), rankOf(card) - 1)))) {
            out.push_back({StepKind::TalonToFoundation, static_cast<std::uint8_t>(at), 0, 1, card});
            return true;
        }
    }
    return false;
}

// A card on top of a pile, on a face-up card, that fits its foundation:
// the position is the one with the card up, and the card brought back onto
// the card it lies on, which stays the top of its pile while the card is
// up. A card brought down is of use only to what is built on it, or to the
// next lower card of its suit that it lets come down (see the paired plays
// in the search): any other move could be made as well with the card up,
// and the card brought back once it is used. So here the card goes up, or
// is used where it lies, and nothing else is tried. This holds whatever
// came before: it is the position that counts, not how the card got there.
// Likewise a lone card that fits its foundation is not moved onto the
// tableau: that leads where going up and coming back down would.
// A card on a face-down card, or alone in its pile, is not one of these:
// going up turns a card up or empties the pile, and it cannot come back.
bool Position::addUpOrUseMoves(std::vector<Step>& out) const {
    for (int from = 0; from < kPileCount; ++from) {
        const Pile& pile = piles_[std::size_t(from)];
        if (pile.size - 1 > pile.faceDown && fitsOnFoundation(pile.top())) {
            const CardCode card = pile.top();
            out.push_back({StepKind::TableauToFoundation, static_cast<std::uint8_t>(from), 0, 1, card});
            generateUses({StepKind::FoundationToTableau, static_cast<std::uint8_t>(suitOf(card)),
                          static_cast<std::uint8_t>(from), 1, card},
                         out);
            return true;
        }
    }
    return false;
}

// Up to the foundations from the tableau: first the cards that turn a card up.
void Position::addFoundationMoves(std::vector<Step>& out) const {
    for (const bool turnsUp : {true, false}) {
        for (int from = 0; from < kPileCount; ++from) {
            const Pile& pile = piles_[std::size_t(from)];
            if (!pile.empty() && turnsUpACard(pile.faceDown, pile.size - 1) == turnsUp &&
                fitsOnFoundation(pile.top())) {
                out.push_back({StepKind::TableauToFoundation, static_cast<std::uint8_t>(from), 0, 1, pile.top()});
            }
        }
    }
}

void Position::addTalonToFoundation(std::vector<Step>& out, TalonOrder talon) const {
    for (const std::uint8_t at : talon) {
        if (fitsOnFoundation(talon_[at])) {
            out.push_back({StepKind::TalonToFoundation, at, 0, 1, talon_[at]});
        }
    }
}

// From the piles with the most cards face down first.
void Position::addRunsThatTurnUpCards(std::vector<Step>& out, const Fits& fits, Pruning pruning) const {
    for (int faceDown = kPileCount - 1; faceDown > 0; --faceDown) {
        for (int from = 0; from < kPileCount; ++from) {
            if (piles_[std::size_t(from)].faceDown == faceDown) {
                addRunMoves(out, fits, from, faceDown, pruning);
            }
        }
    }
}

void Position::addTalonToTableau(std::vector<Step>& out, const Fits& fits, TalonOrder talon, Pruning pruning) const {
    for (const std::uint8_t at : talon) {
        addPlacements(out, fits, {StepKind::TalonToTableau, at, 0, 1, talon_[at]}, pruning);
    }
}

// Part of a run moves only to let the card beneath it go up: any other
// purpose is served as well by the card of the same colour and rank the
// part would move onto.
void Position::addPartialRunMoves(std::vector<Step>& out, const Fits& fits, Pruning pruning) const {
    for (int from = 0; from < kPileCount; ++from) {
        const Pile& pile = piles_[std::size_t(from)];
        for (int first = pile.faceDown + 1; first < pile.size; ++first) {
            if (pruning == Pruning::None || fitsOnFoundation(pile.cards[std::size_t(first - 1)])) {
                addRunMoves(out, fits, from, first, pruning);
            }
        }
    }
}

// A whole pile moved off, leaving it empty; a king at the bottom already has
// the best place there is.
void Position::addWholePileMoves(std::vector<Step>& out, const Fits& fits, Pruning pruning) const {
    for (int from = 0; from < kPileCount; ++from) {
        const Pile& pile = piles_[std::size_t(from)];
        if (!pile.empty() && pile.faceDown == 0 && (pruning == Pruning::None || !startsEmptyPile(pile.cards[0]))) {
            addRunMoves(out, fits, from, 0, pruning);
        }
    }
}

void Position::addFoundationToTableau(std::vector<Step>& out, const Fits& fits, Pruning pruning) const {
    for (int suit = 0; suit < kSuitCount; ++suit) {
        const int top = foundations_[std::size_t(suit)];
        if (top == 0) {
            continue;
        }
        const CardCode card = cardCode(suit, top);
        if (pruning == Pruning::None || neededOnTableau(card)) {
            addPlacements(out, fits, {StepKind::FoundationToTableau, static_cast<std::uint8_t>(suit), 0, 1, card},
                          pruning);
        }
    }
}

// Let S be a set of cards on the tableau and N a set of cards off it (in
// the talon or up on a foundation) such that:
// - in each pile, S holds every card under its highest card of S: the
//   bottom of the pile, or nothing;
// - that highest card cannot go up, a lower card of its suit being in S,
//   and, like every face-up card of S, cannot be built anywhere, unless it
//   is a king at the bottom of its pile;
// - a card of N cannot be built anywhere;
// where a card cannot be built anywhere when each card it would go on is in
// N or in S under a card of S, and, for a king, every pile holds a card of
// S. Then no card of S ever leaves the card beneath it, or the bottom of a
// pile, and no card of N ever comes onto the tableau. Take the first move
// that breaks this. It cannot bring a card of N down, for the card it would
// go on is off the tableau or still covered, and for a king no pile is
// empty. If it moves cards of S, the lowest card it moves is in S, since S
// is the bottom of its pile, and it was face up from the start, since the
// cards above it in S have not left it. It cannot go onto a pile, as before:
// a king at the bottom of its pile goes only to an empty pile, taking the
// whole pile along, which breaks nothing. Nor can it go up: only a top card
// goes up, and the top card of S has a lower card of its suit still on the
// tableau. So a position with S not empty is lost. A card of S may be face
// down: a pile is held down by a buried card that can never leave, whatever
// lies on it; and a king at the bottom holds its pile wherever it goes.
//
// The largest S and N are found by starting from every card and taking out
// the cards that break a condition until none does; each pile then keeps
// the first few of its cards in S.
namespace {

constexpr CardSet kSuitCards = (CardSet{1} << kRankCount) - 1;

// The cards that may be built on a card of `open`: for a rank r, a card of
// the other colour and rank r + 1, found by shifting a suit's ranks down one.
constexpr CardSet buildingOnAny(CardSet open) noexcept {
    const CardSet black = (((open >> (2 * kRankCount)) | (open >> (3 * kRankCount))) & kSuitCards) >> 1;
    const CardSet red = ((open | (open >> kRankCount)) & kSuitCards) >> 1;
    return black | black << kRankCount | red << (2 * kRankCount) | red << (3 * kRankCount);
}

// The cards above the lowest card of their suit in `cards`.
constexpr CardSet aboveTheLowestOfTheirSuit(CardSet cards) noexcept {
    CardSet above = 0;
    for (int suit = 0; suit < kSuitCount; ++suit) {
        const CardSet ranks = (cards >> (suit * kRankCount)) & kSuitCards;
        const CardSet lowest = ranks & (~ranks + 1);
        above |= (kSuitCards & ~((lowest << 1) - 1)) << (suit * kRankCount);
    }
    return above;
}

} // namespace

bool Position::hasStuckCard(bool bottomKingsHold) const noexcept {
    constexpr CardSet kDeck = (CardSet{1} << kCardCount) - 1;
    constexpr unsigned kEveryPile = (1U << kPileCount) - 1;
    // For each pile, its first k cards for every k; and how many are in S.
    std::array<std::array<CardSet, kMaxPileCards + 1>, kPileCount> bottom;
    std::array<int, kPileCount> held{};
    CardSet tableau = 0;
    for (int p = 0; p < kPileCount; ++p) {
        const Pile& pile = piles_[std::size_t(p)];
        bottom[std::size_t(p)][0] = 0;
        for (int at = 0; at < pile.size; ++at) {
            bottom[std::size_t(p)][std::size_t(at + 1)] =
                bottom[std::size_t(p)][std::size_t(at)] | cardSetOf(pile.cards[std::size_t(at)]);
        }
        held[std::size_t(p)] = pile.size;
        tableau |= bottom[std::size_t(p)][pile.size];
    }
    CardSet neverDown = kDeck & ~tableau; // N
    for (bool changed = true; changed;) {
        CardSet stuck = 0;   // S
        CardSet highest = 0; // each pile's highest card of S
        unsigned live = 0;   // the piles with a card in S
        for (int p = 0; p < kPileCount; ++p) {
            const int count = held[std::size_t(p)];
            if (count > 0) {
                stuck |= bottom[std::size_t(p)][std::size_t(count)];
                highest |= cardSetOf(piles_[std::size_t(p)].cards[std::size_t(count - 1)]);
                live |= 1U << p;
            }
        }
        if (live == 0) {
            return false;
        }
        const CardSet mayBuild =
            buildingOnAny(~((stuck & ~highest) | neverDown)) | (live == kEveryPile ? 0 : kCardsStartingEmptyPile);
        const CardSet lowerInS = aboveTheLowestOfTheirSuit(stuck);
        const CardSet mayTop = lowerInS & ~mayBuild;
        changed = (neverDown & mayBuild) != 0;
        neverDown &= ~mayBuild;
        for (unsigned piles = live; piles != 0; piles &= piles - 1) {
            const int p = std::countr_zero(piles);
            const Pile& pile = piles_[std::size_t(p)];
            int count = held[std::size_t(p)];
            // A king at the bottom goes nowhere without its whole pile.
            const CardSet bottomKing = bottomKingsHold && startsEmptyPile(pile.cards[0]) ? cardSetOf(pile.cards[0]) : 0;
            for (int at = pile.faceDown; at < count; ++at) {
                if ((mayBuild & ~bottomKing & cardSetOf(pile.cards[std::size_t(at)])) != 0) {
                    count = at;
                }
            }
            const CardSet mayTopHere = mayTop | (lowerInS & bottomKing);
            while (count > 0 && (mayTopHere & cardSetOf(pile.cards[std::size_t(count - 1)])) == 0) {
                --count;
            }
            changed = changed || count != held[std::size_t(p)];
            held[std::size_t(p)] = count;
        }
    }
    return true;
}

bool Position::turnUp(Pile& pile) noexcept {
    if (!pile.turnUpIfUncovered()) {
        return false;
    }
    --faceDownCards_;
    return true;
}

void Position::removeFromTalon(Step& step) noexcept {
    const int at = step.from;
    std::copy(talon_.begin() + at + 1, talon_.begin() + talonSize_, talon_.begin() + at);
    --talonSize_;
    talon_[talonSize_] = 0;
    step.oldWaste = waste_;
    waste_ = static_cast<std::uint8_t>(at);
    talonLeft_ &= ~(std::uint32_t{1} << talonOrigin_[step.card]);
    talonCards_ &= ~cardSetOf(step.card);
}

void Position::restoreToTalon(const Step& step) noexcept {
    const int at = step.from;
    std::copy_backward(talon_.begin() + at, talon_.begin() + talonSize_, talon_.begin() + talonSize_ + 1);
    talon_[std::size_t(at)] = step.card;
    ++talonSize_;
    waste_ = step.oldWaste;
    talonLeft_ |= std::uint32_t{1} << talonOrigin_[step.card];
    talonCards_ |= cardSetOf(step.card);
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
    while (foundationCards_ < kCardCount && moved) {
        moved = false;
        for (int from = 0; from < kPileCount; ++from) {
            const Pile& pile = piles_[std::size_t(from)];
            if (!pile.empty() && fitsOnFoundation(pile.top())) {
                Step step{StepKind::TableauToFoundation, static_cast<std::uint8_t>(from), 0, 1, pile.top()};
                apply(step);
                path.push_back(step);
                moved = true;
            }
        }
    }
    return foundationCards_ == kCardCount;
}

// fffddd (face down, and the pile they belong to), then the run: its length,
// its first card and, for each card after it, which of the two suits of its
// colour it is.
std::uint32_t Position::pileWord(int index, int end) const noexcept {
    const Pile& pile = piles_[std::size_t(index)];
    if (pile.size == 0) {
        return 0;
    }
    const std::uint32_t faceDown = pile.faceDown;
    const std::uint32_t origin = faceDown > 0 ? std::uint32_t(index) : 0;
    return faceDown | origin << 3 | runWord(pile, pile.faceDown, end);
}

std::uint32_t Position::runWord(const Pile& pile, int first, int end) noexcept {
    std::uint32_t suits = 0;
    for (int at = first + 1; at < end; ++at) {
        suits = suits << 1 | (suitOf(pile.cards[std::size_t(at)]) & 1U);
    }
    return std::uint32_t(end - first) << 6 | std::uint32_t(pile.cards[std::size_t(first)]) << 10 | suits << 16;
}

void Position::refreshWord(int pile) noexcept {
    const std::uint32_t word = pileWord(pile, piles_[std::size_t(pile)].size);
    words_[std::size_t(pile)] = word;
    KeyHash& spreads = spreads_[std::size_t(pile)];
    for (std::size_t which = 0; which < pileSums_.size(); ++which) {
        const std::uint64_t spreadWord = spread(word, which);
        pileSums_[which] += spreadWord - spreads[which];
        spreads[which] = spreadWord;
    }
}

// A run lying on a face-up card can move to the other card of that colour
// and rank when that one is free, and back again: the two positions are
// each one move from the other, so one is lost when the other is. The key
// of them all cuts each such run off the card it lies on and counts it as a
// piece of its own (its first card tells which two cards it may lie on):
// its twins differ only in where such pieces lie, and every other pile and
// free card is the same.
KeyHash Position::firstParentKeyHash(bool& hasTwin) const noexcept {
    CardSet tops = 0;
    for (const Pile& pile : piles_) {
        tops |= pile.empty() ? 0 : cardSetOf(pile.top());
    }
    constexpr std::uint32_t kPiece = 1U << 31;
    KeyHash sums = pileSums_;
    hasTwin = false;
    for (int index = 0; index < kPileCount; ++index) {
        const Pile& pile = piles_[std::size_t(index)];
        int end = pile.size;
        for (int at = pile.size - 1; at > pile.faceDown; --at) {
            const CardCode parent = pile.cards[std::size_t(at - 1)];
            if ((tops & cardSetOf(cardCode(otherSuitOfColour(suitOf(parent)), rankOf(parent)))) != 0) {
                const std::uint32_t piece = kPiece | runWord(pile, at, end);
                for (std::size_t which = 0; which < sums.size(); ++which) {
                    sums[which] += spread(piece, which);
                }
                end = at;
            }
        }
        if (end != pile.size) {
            hasTwin = true;
            const std::uint32_t rest = pileWord(index, end);
            for (std::size_t which = 0; which < sums.size(); ++which) {
                sums[which] += spread(rest, which) - spreads_[std::size_t(index)][which];
            }
        }
    }
    return withTalon(sums);
}

KeyHash Position::withTalon(const KeyHash& pileSums) const noexcept {
    // The talon as one more word, spread apart from the piles'.
    return {pileSums[0] ^ spread(talonLeft_, 1), pileSums[1] + spread(talonLeft_, 0)};
}

KeyHash Position::keyHash() const noexcept { return withTalon(pileSums_); }

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
    key[7] = talonLeft_;
    return key;
}

namespace {

// The turns of the stock that bring `card` to the top of the waste; -1 when
// turning alone never does.
int turnsToShow(const Game& game, CardCode card) {
    int turnsToCard = -1;
    forEachTurnStop(game.wasteCount(), game.talonCount(), game.draw(), [&](int top, int turns) {
        if (game.talonCard(top) == card) {
            turnsToCard = turns;
        }
    });
    return turnsToCard;
}

} // namespace

bool playStep(Game& game, const Step& step, std::vector<Move>& moves) {
    const auto play = [&](Move move) {
        moves.push_back(move);
        game.apply(move);
    };
    const auto turnUp = [&](CardCode card) {
        const int turns = turnsToShow(game, card);
        for (int turn = 0; turn < turns; ++turn) {
            play({MoveKind::Turn, 0, 0, 0});
        }
        return turns >= 0;
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
