// SPDX-License-Identifier: MIT
#include "win32/message_loop.h"

#include <cwchar>
#include <iterator>

#include "win32/control_ids.h"

namespace dealwise::win32 {

namespace {

bool isProgramWindow(HWND window) noexcept {
    wchar_t name[16] = {};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return std::wcscmp(name, kMainWindowClass) == 0 || std::wcscmp(name, kHelpWindowClass) == 0;
}

} // namespace

void processMessage(MSG& message) {
    HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root != nullptr && isProgramWindow(root) && IsDialogMessageW(root, &message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int runMessageLoop() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        processMessage(message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace dealwise::win32
