// SPDX-License-Identifier: MIT
#include "win32/keyboard.h"

#include <algorithm>
#include <vector>

namespace dealwise::win32 {

using layout::ControlKind;
using layout::ControlSpec;

CharacterRoute routeCharacter(ControlKind kind, wchar_t character) noexcept {
    if (character == L'\t') {
        return CharacterRoute::Dropped;
    }
    switch (kind) {
    case ControlKind::TextBox:
    case ControlKind::MultiLineTextBox:
        return CharacterRoute::Control;
    case ControlKind::CommandButton:
        return character == L' ' || character == L'\r' ? CharacterRoute::Dropped : CharacterRoute::TypedCard;
    case ControlKind::PictureBox:
    case ControlKind::Frame:
    case ControlKind::Label:
        break;
    }
    return CharacterRoute::TypedCard;
}

std::optional<char> cardKey(wchar_t character, bool commandKeyHeld) noexcept {
    if (commandKeyHeld || character > 0x7f) {
        return std::nullopt;
    }
    return static_cast<char>(character);
}

UINT extraDialogCode(ControlKind kind, const MSG* message) noexcept {
    if (message == nullptr || (message->message != WM_KEYDOWN && message->message != WM_CHAR)) {
        return 0;
    }
    if (message->wParam == VK_TAB) {
        return DLGC_WANTTAB;
    }
    if (message->message == WM_KEYDOWN && message->wParam == VK_RETURN && kind == ControlKind::CommandButton) {
        return DLGC_WANTMESSAGE;
    }
    return 0;
}

bool takesFocus(ControlKind kind) noexcept { return kind != ControlKind::Frame && kind != ControlKind::Label; }

std::string_view nextInTabOrder(std::span<const ControlSpec> table, std::string_view from, bool backwards,
                                const std::function<bool(const ControlSpec&)>& available) {
    std::vector<const ControlSpec*> order;
    for (const ControlSpec& entry : table) {
        if (takesFocus(entry.kind)) {
            order.push_back(&entry);
        }
    }
    std::sort(order.begin(), order.end(),
              [](const ControlSpec* a, const ControlSpec* b) { return a->tabIndex < b->tabIndex; });
    const auto count = static_cast<std::ptrdiff_t>(order.size());
    const auto at =
        std::find_if(order.begin(), order.end(), [from](const ControlSpec* entry) { return entry->name == from; });
    // From outside the order, Tab starts at its first control and Shift+Tab at its last.
    std::ptrdiff_t position = at != order.end() ? at - order.begin() : (backwards ? count : -1);
    for (std::ptrdiff_t step = 0; step < count; ++step) {
        position = (position + (backwards ? count - 1 : 1)) % count;
        const ControlSpec& candidate = *order[static_cast<std::size_t>(position)];
        if (candidate.name == from) {
            break;
        }
        if (available(candidate)) {
            return candidate.name;
        }
    }
    return from;
}

} // namespace dealwise::win32
