// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

// The presenter speaks UTF-8; the system's controls speak UTF-16.
namespace dealwise::win32 {

[[nodiscard]] std::wstring widen(std::string_view text);
[[nodiscard]] std::string narrow(std::wstring_view text);

// Lines as a multi-line edit box shows them: each ended by CR LF but the last.
[[nodiscard]] std::wstring joinLines(const std::vector<std::string>& lines);

// A window's or control's text, as WM_GETTEXT gives it.
[[nodiscard]] std::wstring windowText(HWND window);

} // namespace dealwise::win32
