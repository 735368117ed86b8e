// SPDX-License-Identifier: MIT
#pragma once

// The real windows of dealwise.exe, made in the test's own process and
// thread from the win32 library, and driven only as the system drives them:
// by messages. A click is BM_CLICK, which presses the button as the mouse
// does (the button takes the focus, then tells its parent); a typed
// character is the WM_CHAR the keyboard's key gives, posted to the control
// with the focus; a key such as Tab is its WM_KEYDOWN and WM_KEYUP. Posted
// messages go through the program's own message processing, dialog keys
// and all. What the user sees is read back with WM_GETTEXT, WM_GETFONT,
// IsWindowEnabled, IsWindowVisible and GetFocus.

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "win32/control_ids.h"
#include "win32/main_window.h"
#include "win32/message_loop.h"
#include "win32/text.h"

namespace dealwise::win32::testing {

// Runs the program's message processing until nothing is left to do, the
// way its loop would while the user waits; WM_QUIT, which ends the loop, is
// counted instead.
class MessagePump {
public:
    void run() {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                ++quits_;
                continue;
            }
            processMessage(message);
        }
    }
    // How many times the program asked its message loop to end.
    [[nodiscard]] int quits() const noexcept { return quits_; }

private:
    int quits_ = 0;
};

// The program as the user starts it: its main window on the screen.
class Program {
public:
    Program() : window_(std::make_unique<MainWindow>()) {
        // As a user's click on the window would, whatever window of an
        // earlier test the system last activated.
        SetForegroundWindow(window_->handle());
        pump_.run();
    }

    [[nodiscard]] HWND main() const noexcept { return window_->handle(); }
    // The help window, or nullptr while Help was never pressed.
    [[nodiscard]] HWND help() const noexcept {
        return window_->helpWindow() != nullptr ? window_->helpWindow()->handle() : nullptr;
    }
    [[nodiscard]] MessagePump& pump() noexcept { return pump_; }

    // A control of the main window, by its name.
    [[nodiscard]] HWND control(std::string_view name) const {
        HWND found = findControl(main(), mainControlId(name));
        EXPECT_NE(found, nullptr) << "no control " << name;
        return found;
    }
    [[nodiscard]] HWND helpControl(std::string_view name) const {
        HWND found = help() != nullptr ? findControl(help(), helpControlId(name)) : nullptr;
        EXPECT_NE(found, nullptr) << "no help control " << name;
        return found;
    }

    void click(std::string_view name) { clickControl(control(name)); }
    void clickControl(HWND button) {
        SendMessageW(button, BM_CLICK, 0, 0);
        pump_.run();
    }
    void clickCards(std::initializer_list<std::string_view> names) {
        for (std::string_view name : names) {
            click(name);
        }
    }

    // The characters, typed one after another wherever the focus is.
    void type(std::string_view keys) {
        for (char key : keys) {
            PostMessageW(GetFocus(), WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(key)), 1);
            pump_.run();
        }
    }
    // A key that gives no character of its own to a control: Tab, Enter, Space, Esc.
    void press(UINT virtualKey, bool shift = false) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        HWND focus = GetFocus();
        PostMessageW(focus, WM_KEYDOWN, virtualKey, 1);
        PostMessageW(focus, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001U));
        pump_.run();
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    }
    // As if the user stopped typing for a while: the pause timer was
    // running, and it elapses.
    void pause() {
        EXPECT_TRUE(KillTimer(main(), kTypingPauseTimer)) << "no half-typed card waited";
        SendMessageW(main(), WM_TIMER, kTypingPauseTimer, 0);
        pump_.run();
    }

    // The name of the control with the focus, in either window; empty when
    // the focus is elsewhere.
    [[nodiscard]] std::string focused() const {
        HWND focus = GetFocus();
        if (focus == nullptr) {
            return {};
        }
        if (const layout::ControlSpec* layoutRow = mainControlSpec(GetDlgCtrlID(focus));
            layoutRow != nullptr && GetAncestor(focus, GA_ROOT) == main()) {
            return std::string(layoutRow->name);
        }
        if (const layout::ControlSpec* layoutRow = helpControlSpec(GetDlgCtrlID(focus));
            layoutRow != nullptr && GetAncestor(focus, GA_ROOT) == help()) {
            return std::string(layoutRow->name);
        }
        return {};
    }

    [[nodiscard]] std::string text(std::string_view name) const { return narrow(windowText(control(name))); }
    [[nodiscard]] bool enabled(std::string_view name) const { return IsWindowEnabled(control(name)) != FALSE; }

    // The pane's lines, as its text shows them.
    [[nodiscard]] std::vector<std::string> paneLines() const {
        std::vector<std::string> lines;
        const std::string text = this->text("picOutput");
        if (text.empty()) {
            return lines;
        }
        std::size_t start = 0;
        for (std::size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
            lines.push_back(text.substr(start, end - start));
            start = end + 2;
        }
        lines.push_back(text.substr(start));
        return lines;
    }

    // Closes a window as its close box does.
    void close(HWND window) {
        SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        pump_.run();
    }

private:
    std::unique_ptr<MainWindow> window_;
    MessagePump pump_;
};

// The font a control draws its text in, as it reports it.
inline LOGFONTW fontOf(HWND control) {
    LOGFONTW font{};
    auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    EXPECT_NE(handle, nullptr);
    GetObjectW(handle, sizeof font, &font);
    return font;
}

inline bool isBold(HWND control) { return fontOf(control).lfWeight >= FW_BOLD; }

// The seventeen lines the pane shows after AS 2S 3S 4H 9C 10D KC and one
// Run, as the command-line scorer's test keeps them.
inline std::vector<std::string> workedExampleLines() {
    std::ifstream file(DEALWISE_WORKED_EXAMPLE);
    EXPECT_TRUE(file.good()) << "cannot read " << DEALWISE_WORKED_EXAMPLE;
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

inline constexpr std::array<std::string_view, 7> kWorkedExampleCards{"cmdS1", "cmdS2",  "cmdS3", "cmdH4",
                                                                     "cmdC9", "cmdD10", "cmdCK"};

// The windows of a class that this thread has made, shown or not.
inline int windowsOfClass(const wchar_t* className) {
    struct Count {
        const wchar_t* className;
        int count = 0;
    } count{className};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM lParam) -> BOOL {
            auto* state = reinterpret_cast<Count*>(lParam);
            wchar_t name[32] = {};
            GetClassNameW(window, name, 32);
            state->count += std::wstring_view(name) == state->className ? 1 : 0;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.count;
}

} // namespace dealwise::win32::testing
