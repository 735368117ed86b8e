// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/card.h"

// The static layout of Dealwise's two windows as data, in twips (1/1440 inch;
// 15 twips make one pixel at 96 dots per inch). The windows are built from
// these tables and nothing else places a control. No toolkit in here.
namespace dealwise::layout {

inline constexpr int kTwipsPerPixel = 15;

enum class ControlKind : std::uint8_t { Frame, Label, CommandButton, TextBox, MultiLineTextBox, PictureBox };

enum class FontKind : std::uint8_t {
    Default,     // "MS Sans Serif" 8.25 pt, normal weight
    DefaultBold, // the same, bold
    LargeBold,   // "MS Sans Serif" 13.5 pt bold
};

struct Colour {
    enum class Kind : std::uint8_t { Standard, Rgb, HighlightedText };
    Kind kind = Kind::Standard;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

inline constexpr Colour kStandard{};
inline constexpr Colour kHighlightedText{Colour::Kind::HighlightedText};
inline constexpr Colour kDarkGreen{Colour::Kind::Rgb, 0, 128, 0};
inline constexpr Colour kWhite{Colour::Kind::Rgb, 255, 255, 255};
inline constexpr Colour kDarkRed{Colour::Kind::Rgb, 192, 0, 0};
inline constexpr Colour kLightOrange{Colour::Kind::Rgb, 255, 192, 128};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct ControlSpec {
    std::string_view name;
    ControlKind kind = ControlKind::Label;
    std::string_view container; // empty: the window itself
    std::string_view caption;
    Rect twips;
    int tabIndex = 0;
    FontKind font = FontKind::Default;
    Colour background = kStandard;
    Colour foreground = kStandard;
    // Set for the 52 card buttons only.
    bool isCard = false;
    Card card{};
};

struct WindowSpec {
    std::string_view name;
    std::string_view caption;
    int outerLeft = 0; // the window frame's top-left corner on the screen
    int outerTop = 0;
    int clientWidth = 0;
    int clientHeight = 0;
};

inline constexpr int kMainControlCount = 68;

inline constexpr WindowSpec kMainWindow{"frmMain", "Dealwise", 0, 0, 8835, 1770};
inline constexpr WindowSpec kHelpWindow{"frmHelp", "Dealwise HELP", 8940, 0, 3015, 7740};

// The main window's 68 controls. Containers come before what they hold, and
// within one container the controls are listed from the top of the stacking
// order down: where siblings overlap, the earlier covers the later.
[[nodiscard]] std::span<const ControlSpec> mainWindowControls() noexcept;

// The help window's two text boxes, stacked the same way.
[[nodiscard]] std::span<const ControlSpec> helpWindowControls() noexcept;

// The name of a card's button: "cmd", the suit letter, then 1 for the ace,
// 2 to 10, J, Q or K ("cmdS1", "cmdD10", "cmdHK").
[[nodiscard]] std::string_view cardButtonName(Card card) noexcept;

[[nodiscard]] constexpr int toPixels(int twips) noexcept { return twips / kTwipsPerPixel; }

} // namespace dealwise::layout
