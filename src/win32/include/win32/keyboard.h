// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

#include "presenter/layout_table.h"

// What the keys do in the main window, as plain functions: the window
// procedures only ask them.
namespace dealwise::win32 {

// Where a character typed into a control of the main window goes.
enum class CharacterRoute : std::uint8_t {
    Control,   // the control keeps it: the score box edits with every key
    TypedCard, // toward a card typed on the keyboard; to the control if it goes toward none
    Dropped,   // the key has done its work: Tab moved the focus, Space or Enter pressed the button
};

[[nodiscard]] CharacterRoute routeCharacter(layout::ControlKind kind, wchar_t character) noexcept;

// The character as a key of a typed card: plain ASCII, typed without Ctrl or
// Alt, which make a key a command.
[[nodiscard]] std::optional<char> cardKey(wchar_t character, bool commandKeyHeld) noexcept;

// What a control of the main window adds to its own dialog code for a key
// message. It takes Tab, since the window moves the focus by the layout's
// tab order where the system would follow the stacking order; and a button
// takes Enter, which presses it, where the system would send IDOK to the
// window.
[[nodiscard]] UINT extraDialogCode(layout::ControlKind kind, const MSG* message) noexcept;

// Whether a control of this kind takes the keyboard focus: frames and labels
// never do, whatever their tab index.
[[nodiscard]] bool takesFocus(layout::ControlKind kind) noexcept;

// The control Tab (or Shift+Tab) moves the focus to from `from`: the next by
// tab index, round the window, that takes the focus and is available (enabled
// and shown) now. `from` itself when no other is.
[[nodiscard]] std::string_view nextInTabOrder(std::span<const layout::ControlSpec> table, std::string_view from,
                                              bool backwards,
                                              const std::function<bool(const layout::ControlSpec&)>& available);

} // namespace dealwise::win32
