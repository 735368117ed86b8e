// SPDX-License-Identifier: MIT
#include "presenter/layout_table.h"

#include <algorithm>

namespace dealwise::layout {

namespace {

constexpr std::size_t kNameCapacity = 8;

// "cmdS1" .. "cmdHK", stored NUL-padded so that views into them are constant.
constexpr auto kCardNames = [] {
    // The control names spell the ace "1", unlike the card's own spelling.
    std::array<std::array<char, kNameCapacity>, kCardCount> names{};
    constexpr std::array<std::string_view, 13> rankParts{"1", "2", "3",  "4", "5", "6", "7",
                                                         "8", "9", "10", "J", "Q", "K"};
    for (int index = 0; index < kCardCount; ++index) {
        const Card card = cardAt(index);
        auto& name = names[static_cast<std::size_t>(index)];
        std::size_t length = 0;
        for (char c : std::string_view("cmd")) {
            name[length++] = c;
        }
        name[length++] = suitLetter(card.suit);
        for (char c : rankParts[static_cast<std::size_t>(rankIndex(card.rank))]) {
            name[length++] = c;
        }
    }
    return names;
}();

constexpr std::string_view nameOf(Card card) {
    const auto& name = kCardNames[static_cast<std::size_t>(cardIndex(card))];
    return {name.data(), static_cast<std::size_t>(std::find(name.begin(), name.end(), '\0') - name.begin())};
}

// Spades A..K take tab indices 5..17, the other three aces 18..20, then
// Clubs, Diamonds and Hearts 2..K in rows of twelve.
constexpr int cardTabIndex(Card card) {
    const int suit = suitIndex(card.suit);
    const int rank = rankIndex(card.rank);
    if (card.suit == Suit::Spades) {
        return 5 + rank;
    }
    if (card.rank == Rank::Ace) {
        return 17 + suit;
    }
    return 21 + (suit - 1) * 12 + (rank - 1);
}

// Columns are 360 apart; the "10" is wider, so J, Q and K sit 120 further right.
constexpr ControlSpec cardButton(Card card) {
    const int value = rankValue(card.rank);
    const int left = (value <= 10 ? 1080 : 1200) + 360 * (value - 1);
    const int width = card.rank == Rank::Ten ? 375 : 255;
    const int top = 240 + 360 * suitIndex(card.suit);
    return ControlSpec{nameOf(card),
                       ControlKind::CommandButton,
                       "Frame1",
                       restCaption(card.rank),
                       Rect{left, top, width, 255},
                       cardTabIndex(card),
                       FontKind::Default,
                       kStandard,
                       kStandard,
                       true,
                       card};
}

using K = ControlKind;
using F = FontKind;

constexpr std::array<ControlSpec, 10> kTopOfFrames{{
    {"Frame4", K::Frame, "", "", {1560, 2520, 4935, 4095}, 61},
    {"Frame1",
     K::Frame,
     "",
     "Input Your Current Hand Here, in Left-toRight Sequence:",
     {0, 0, 8895, 1815},
     0,
     F::Default,
     kDarkGreen,
     kHighlightedText},
    {"picOutput", K::PictureBox, "Frame4", "", {360, 360, 4215, 3615}, 62},
    {"Label5", K::Label, "Frame4", "  SCORING DETAILS:", {240, 120, 2055, 495}, 63, F::DefaultBold},
    {"cmdHelp", K::CommandButton, "Frame1", "Help", {7560, 1320, 855, 375}, 67},
    {"cmdQuit", K::CommandButton, "Frame1", "Quit", {7200, 360, 975, 375}, 65},
    {"cmdReset", K::CommandButton, "Frame1", "Input New Hand", {6000, 1320, 1455, 375}, 64},
    {"txtFinalScore", K::TextBox, "Frame1", "", {7080, 840, 855, 435}, 60, F::LargeBold},
    {"Frame2",
     K::Frame,
     "Frame1",
     "Hit \"Run\" after entering 7th Card",
     {5880, 120, 2655, 735},
     57,
     F::Default,
     kDarkGreen,
     kWhite},
    {"cmdRun", K::CommandButton, "Frame2", "Run", {120, 240, 975, 375}, 58},
}};

constexpr std::array<ControlSpec, 6> kLabelsOfFrame1{{
    {"Label2", K::Label, "Frame1", "Play Only 4or More", {8040, 840, 735, 495}, 66, F::Default, kDarkGreen, kWhite},
    {"Label1", K::Label, "Frame1", "Score:", {6120, 840, 975, 495}, 59, F::LargeBold, kDarkGreen, kLightOrange},
    {"Hearts", K::Label, "Frame1", "Hearts", {120, 1320, 855, 255}, 4, F::Default, kStandard, kDarkRed},
    {"lblDiamonds", K::Label, "Frame1", "Diamonds", {120, 960, 855, 255}, 3, F::Default, kStandard, kDarkRed},
    {"lblClubs", K::Label, "Frame1", "Clubs", {120, 600, 855, 255}, 2},
    {"lblSpades", K::Label, "Frame1", "Spades", {120, 240, 855, 255}, 1},
}};

// The card buttons lie between Frame2 and the labels in the stacking order;
// they overlap nothing, so their own order among themselves does not show.
constexpr auto kMainControls = [] {
    std::array<ControlSpec, kMainControlCount> table{};
    std::size_t next = 0;
    for (const ControlSpec& entry : kTopOfFrames) {
        table[next++] = entry;
    }
    for (Suit suit : kAllSuits) {
        for (int value = 1; value <= kRankCount; ++value) {
            table[next++] = cardButton(Card{suit, rankFromValue(value)});
        }
    }
    for (const ControlSpec& entry : kLabelsOfFrame1) {
        table[next++] = entry;
    }
    return table;
}();

constexpr std::array<ControlSpec, 2> kHelpControls{{
    {"Text2", K::MultiLineTextBox, "", "", {120, 5520, 2775, 1215}, 1},
    {"Text1", K::MultiLineTextBox, "", "", {120, 240, 2775, 5295}, 0},
}};

constexpr bool everyTabIndexOnce(const std::array<ControlSpec, kMainControlCount>& table) {
    std::array<bool, kMainControlCount> seen{};
    for (const ControlSpec& entry : table) {
        if (entry.tabIndex < 0 || entry.tabIndex >= kMainControlCount ||
            seen[static_cast<std::size_t>(entry.tabIndex)]) {
            return false;
        }
        seen[static_cast<std::size_t>(entry.tabIndex)] = true;
    }
    return true;
}

template <std::size_t N> constexpr bool wholePixels(const std::array<ControlSpec, N>& table) {
    return std::all_of(table.begin(), table.end(), [](const ControlSpec& entry) {
        const Rect& r = entry.twips;
        return r.left % kTwipsPerPixel == 0 && r.top % kTwipsPerPixel == 0 && r.width % kTwipsPerPixel == 0 &&
               r.height % kTwipsPerPixel == 0;
    });
}

static_assert(everyTabIndexOnce(kMainControls));
static_assert(wholePixels(kMainControls) && wholePixels(kHelpControls));
static_assert(nameOf(Card{Suit::Diamonds, Rank::Ten}) == "cmdD10" && nameOf(Card{Suit::Hearts, Rank::King}) == "cmdHK");
static_assert(cardButton(Card{Suit::Spades, Rank::Jack}).twips.left == 4800);
static_assert(cardTabIndex(Card{Suit::Clubs, Rank::Two}) == 21 && cardTabIndex(Card{Suit::Hearts, Rank::King}) == 56);

} // namespace

std::span<const ControlSpec> mainWindowControls() noexcept { return kMainControls; }

std::span<const ControlSpec> helpWindowControls() noexcept { return kHelpControls; }

std::string_view cardButtonName(Card card) noexcept { return nameOf(card); }

} // namespace dealwise::layout
