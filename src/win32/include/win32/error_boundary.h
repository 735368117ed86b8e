// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <exception>

namespace dealwise::win32 {

// Tells the user of an error in a message box owned by the window, and
// returns when the user has read it. Never throws.
void tellUser(HWND owner, const char* message) noexcept;

// The one place where an error that leaves an operation is handled: the
// operation stops where the error arose, what it changed before stays
// changed, the user is told in a message box, and the program goes on.
// Every window and control procedure of the program runs its messages
// through here, so no exception unwinds into the system's code however the
// message arrived.
template <typename Operation> void runGuarded(HWND owner, Operation&& operation) noexcept {
    try {
        operation();
    } catch (const std::exception& error) {
        tellUser(owner, error.what());
    } catch (...) {
        tellUser(owner, nullptr);
    }
}

} // namespace dealwise::win32
