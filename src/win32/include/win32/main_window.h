// SPDX-License-Identifier: MIT
#pragma once

// The window keeps the names the design gives its controls and handlers:
// frmMain, cmdRun and cmdRun_Click, cmdS1 .. cmdHK, picOutput,
// txtFinalScore. Each handler runs the presenter's operation of the same
// name. Those lines carry NOLINT(readability-identifier-naming).

#include <windows.h>

#include <memory>
#include <string_view>
#include <vector>

#include "presenter/main_presenter.h"
#include "win32/colours.h"
#include "win32/fonts.h"
#include "win32/help_window.h"

namespace dealwise::win32 {

// frmMain made of the system's own controls, a view of MainPresenter as the
// Qt window is: each handler runs the presenter's operation, then shows what
// it changed. A click reaches its handler as the button's BN_CLICKED, which
// the frame that holds the button passes on to the window; a card typed on
// the keyboard (its rank, then its suit) reaches it as the same message,
// wherever the focus is in the window but in the score box.
class MainWindow {
public:
    // Makes the window and its 68 controls and runs Form_Load: the window is
    // on the screen, Run disabled, the focus on Input New Hand.
    MainWindow();
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    [[nodiscard]] HWND handle() const noexcept { return window_; }
    // Empty until Help is first pressed; then the one help window of the run.
    [[nodiscard]] HelpWindow* helpWindow() const noexcept { return helpWindow_.get(); }

    // Operations bound to the controls' messages. NOLINTBEGIN(readability-identifier-naming)
    void Form_Load();
    void cmdCard_Click(Card card);
    void cmdRun_Click();
    void cmdReset_Click();
    void cmdHelp_Click();
    // Ends the program: both windows leave the screen and WM_QUIT ends the
    // message loop.
    void cmdQuit_Click();
    void Form_QueryUnload(Int16& Cancel, Int16 UnloadMode);
    // NOLINTEND(readability-identifier-naming)

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK controlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR owner) noexcept;
    // Whether the message was handled, and then its result.
    bool handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool handleControl(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    void clicked(HWND button);
    // Feeds a character to the presenter and presses the card it completes;
    // whether the character went toward a card.
    bool typeCharacter(wchar_t character);
    void moveFocus(const layout::ControlSpec& from, bool backwards);
    [[nodiscard]] HWND control(std::string_view name) const noexcept;

    // Runs one of the presenter's operations and shows what it changed, also
    // when it throws: what it did before the error stays done on the screen.
    template <typename Operation> void present(const Operation& operation);
    void showChanges();
    void showFace(Card card);

    MainPresenter presenter_;
    Fonts fonts_;
    Brushes brushes_;
    HWND window_ = nullptr;
    std::vector<HWND> controls_; // by row of the layout table
    HWND lastFocus_ = nullptr;
    std::unique_ptr<HelpWindow> helpWindow_;
};

} // namespace dealwise::win32
