// SPDX-License-Identifier: MIT
#include "win32/control_ids.h"

#include <span>

namespace dealwise::win32 {

namespace {

int idOf(std::span<const layout::ControlSpec> table, int firstId, std::string_view name) noexcept {
    for (std::size_t row = 0; row < table.size(); ++row) {
        if (table[row].name == name) {
            return firstId + static_cast<int>(row);
        }
    }
    return 0;
}

const layout::ControlSpec* layoutRowOf(std::span<const layout::ControlSpec> table, int firstId, int id) noexcept {
    const int row = id - firstId;
    return row >= 0 && row < static_cast<int>(table.size()) ? &table[static_cast<std::size_t>(row)] : nullptr;
}

struct Search {
    int id = 0;
    HWND found = nullptr;
};

BOOL CALLBACK matchId(HWND control, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    if (GetDlgCtrlID(control) == search->id) {
        search->found = control;
        return FALSE;
    }
    return TRUE;
}

} // namespace

int mainControlId(std::string_view name) noexcept {
    return idOf(layout::mainWindowControls(), kFirstMainControlId, name);
}

int helpControlId(std::string_view name) noexcept {
    return idOf(layout::helpWindowControls(), kFirstHelpControlId, name);
}

const layout::ControlSpec* mainControlSpec(int id) noexcept {
    return layoutRowOf(layout::mainWindowControls(), kFirstMainControlId, id);
}

const layout::ControlSpec* helpControlSpec(int id) noexcept {
    return layoutRowOf(layout::helpWindowControls(), kFirstHelpControlId, id);
}

HWND findControl(HWND window, int id) noexcept {
    Search search{id, nullptr};
    EnumChildWindows(window, &matchId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace dealwise::win32
