// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

namespace dealwise::win32 {

// Gives one message its due: the dialog keys of the program's windows
// (Tab, Enter, Esc, the arrows) are handled as in a dialog box, everything
// else is translated and dispatched.
void processMessage(MSG& message);

// Runs until WM_QUIT; returns its exit code.
int runMessageLoop();

} // namespace dealwise::win32
