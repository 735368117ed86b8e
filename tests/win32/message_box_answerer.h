// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "win32/text.h"

namespace dealwise::win32::testing {

// A message box is modal: its own loop runs until the user answers it, and
// the test's code would wait for ever. While one of these lives, a timer of
// the test's thread, which the box's loop runs like any other, reads each
// box the thread shows and presses its OK button, as a user does after
// reading it.
class MessageBoxAnswerer {
public:
    struct Answer {
        std::string caption;
        std::string text;
        HWND owner = nullptr;
    };

    MessageBoxAnswerer() {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, kPollMilliseconds, &MessageBoxAnswerer::look);
    }
    ~MessageBoxAnswerer() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    // The boxes answered so far, oldest first.
    [[nodiscard]] const std::vector<Answer>& answers() const noexcept { return answers_; }

private:
    static constexpr UINT kPollMilliseconds = 20;

    static void CALLBACK look(HWND, UINT, UINT_PTR, DWORD) {
        if (current_ == nullptr) {
            return;
        }
        EnumThreadWindows(GetCurrentThreadId(), &MessageBoxAnswerer::answerIfBox, 0);
    }

    static BOOL CALLBACK answerIfBox(HWND window, LPARAM) {
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        if (std::wstring_view(className) != L"#32770" || !IsWindowVisible(window)) {
            return TRUE;
        }
        Answer answer{narrow(windowText(window)), {}, GetWindow(window, GW_OWNER)};
        // The message is the box's one static control with text; the icon's has none.
        EnumChildWindows(
            window,
            [](HWND child, LPARAM lParam) -> BOOL {
                wchar_t childClass[16] = {};
                GetClassNameW(child, childClass, 16);
                const std::wstring text = windowText(child);
                if (std::wstring_view(childClass) == L"Static" && !text.empty()) {
                    reinterpret_cast<Answer*>(lParam)->text = narrow(text);
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&answer));
        current_->answers_.push_back(answer);
        SendMessageW(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
        return FALSE;
    }

    static inline MessageBoxAnswerer* current_ = nullptr;
    UINT_PTR timer_ = 0;
    std::vector<Answer> answers_;
};

} // namespace dealwise::win32::testing
