// SPDX-License-Identifier: MIT
#include "win32/error_boundary.h"

#include <cstdio>
#include <string>

#include "win32/text.h"

namespace dealwise::win32 {

void tellUser(HWND owner, const char* message) noexcept {
    try {
        const std::wstring text =
            message != nullptr ? widen(message) : std::wstring(L"An unexpected error ended the operation.");
        MessageBoxW(owner, text.c_str(), L"Dealwise", MB_OK | MB_ICONERROR);
    } catch (...) {
        // Not even the message box could be shown; the program still goes on.
        std::fputs("dealwise: an error ended an operation and could not be shown\n", stderr);
    }
}

} // namespace dealwise::win32
