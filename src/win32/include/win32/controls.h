// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <span>
#include <vector>

#include "presenter/layout_table.h"
#include "win32/fonts.h"

namespace dealwise::win32 {

// The system control that stands for a kind of the layout, and its styles.
struct ControlClass {
    const wchar_t* name = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
};

[[nodiscard]] ControlClass controlClassOf(layout::ControlKind kind) noexcept;

[[nodiscard]] RECT toPixels(const layout::Rect& twips) noexcept;

// The style of both windows: a sizable border and a title bar with the
// system menu and the minimize and maximize boxes.
inline constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

// The window's outer rectangle on the screen: its frame's top-left corner
// where the layout puts it, and room for the layout's client area inside.
[[nodiscard]] RECT outerRect(const layout::WindowSpec& windowLayout) noexcept;

// Registers a window class of the program once, with the application icon
// and the button face as its surface.
void registerWindowClass(const wchar_t* name, WNDPROC procedure);

// Creates the window, hidden, at its place and size, with its caption;
// `owner` reaches the window procedure in WM_NCCREATE.
[[nodiscard]] HWND createWindow(const wchar_t* className, const layout::WindowSpec& windowLayout, void* owner);

// Builds a window's controls from its layout table: kind, container,
// geometry, caption and font, and the stacking (the first listed on top).
// Each gets the ID firstId + its row and goes through `procedure` with
// `owner` before its own window procedure. Returns the controls by row.
std::vector<HWND> buildControls(HWND window, std::span<const layout::ControlSpec> table, int firstId,
                                const Fonts& fonts, SUBCLASSPROC procedure, DWORD_PTR owner);

} // namespace dealwise::win32
