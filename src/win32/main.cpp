// SPDX-License-Identifier: MIT
#include <windows.h>

#include <exception>

#include "win32/error_boundary.h"
#include "win32/main_window.h"
#include "win32/message_loop.h"

// The program is its main window: made and loaded at start, and the message
// loop runs until Quit or the window's close ends it.
int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
    int status = 1;
    dealwise::win32::runGuarded(nullptr, [&status] {
        const dealwise::win32::MainWindow window;
        status = dealwise::win32::runMessageLoop();
    });
    return status;
}
