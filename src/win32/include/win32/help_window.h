// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <vector>

#include "presenter/help_presenter.h"
#include "win32/fonts.h"

namespace dealwise::win32 {

// frmHelp: the usage instructions in two edit boxes, a view of
// HelpPresenter. The user may edit them; closing the window unloads it (it
// leaves the screen, the one window of the run stays made), and the next
// time it is shown it loads afresh.
class HelpWindow {
public:
    HelpWindow(HelpPresenter& presenter, const Fonts& fonts);
    ~HelpWindow();
    HelpWindow(const HelpWindow&) = delete;
    HelpWindow& operator=(const HelpWindow&) = delete;

    [[nodiscard]] HWND handle() const noexcept { return window_; }

    // Applies what the presenter changed since this was last called.
    void showChanges();

    void Form_Load(); // NOLINT(readability-identifier-naming)

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK controlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR owner) noexcept;
    bool handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    [[nodiscard]] HWND control(std::string_view name) const noexcept;
    void place() const noexcept;

    HelpPresenter& presenter_;
    HWND window_ = nullptr;
    std::vector<HWND> controls_;
    HWND lastFocus_ = nullptr;
};

} // namespace dealwise::win32
