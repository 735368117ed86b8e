// SPDX-License-Identifier: MIT
#pragma once

// How a window and each of its controls are found from outside the program's
// own code: the tests, a screen reader's scripts, a program that drives
// Dealwise. Each window's class is its name (frmMain, frmHelp), and each
// control's ID is derived from its row in the layout table.

#include <windows.h>

#include <string_view>

#include "presenter/layout_table.h"

namespace dealwise::win32 {

inline constexpr wchar_t kMainWindowClass[] = L"frmMain";
inline constexpr wchar_t kHelpWindowClass[] = L"frmHelp";

// The main window's controls take the IDs from 1000 in the order of
// mainWindowControls(), the help window's from 2000. Both ranges stay clear
// of IDOK and IDCANCEL, which Enter and Esc send to a window of their own
// accord when no button takes them.
inline constexpr int kFirstMainControlId = 1000;
inline constexpr int kFirstHelpControlId = 2000;

// The main window's timer that drops a half-typed card after a pause.
inline constexpr UINT_PTR kTypingPauseTimer = 1;

// The ID of the named control; 0 when the window has no such control.
[[nodiscard]] int mainControlId(std::string_view name) noexcept;
[[nodiscard]] int helpControlId(std::string_view name) noexcept;

// The layout row behind an ID; nullptr for an ID that is not the window's.
[[nodiscard]] const layout::ControlSpec* mainControlSpec(int id) noexcept;
[[nodiscard]] const layout::ControlSpec* helpControlSpec(int id) noexcept;

// The control of that ID among all the window's descendants: frames hold
// most controls, so GetDlgItem on the window alone does not reach them.
// Works on another process's windows as well.
[[nodiscard]] HWND findControl(HWND window, int id) noexcept;

} // namespace dealwise::win32
