// SPDX-License-Identifier: MIT
#include "win32/help_window.h"

#include "presenter/layout_table.h"
#include "win32/control_ids.h"
#include "win32/controls.h"
#include "win32/error_boundary.h"
#include "win32/text.h"

namespace dealwise::win32 {

HelpWindow::HelpWindow(HelpPresenter& presenter, const Fonts& fonts) : presenter_(presenter) {
    registerWindowClass(kHelpWindowClass, &HelpWindow::windowProcedure);
    // A top-level window of its own, with no owner: it is not kept in front
    // of the main window, and it has its own button on the task bar.
    window_ = createWindow(kHelpWindowClass, layout::kHelpWindow, this);
    controls_ = buildControls(window_, layout::helpWindowControls(), kFirstHelpControlId, fonts,
                              &HelpWindow::controlProcedure, reinterpret_cast<DWORD_PTR>(this));
}

HelpWindow::~HelpWindow() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

HWND HelpWindow::control(std::string_view name) const noexcept {
    const int id = helpControlId(name);
    return id == 0 ? nullptr : controls_[static_cast<std::size_t>(id - kFirstHelpControlId)];
}

void HelpWindow::Form_Load() {
    SetWindowTextW(control("Text1"), widen(HelpPresenter::text1()).c_str());
    SetWindowTextW(control("Text2"), widen(HelpPresenter::text2()).c_str());
}

void HelpWindow::place() const noexcept {
    const RECT outer = outerRect(layout::kHelpWindow);
    SetWindowPos(window_, nullptr, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void HelpWindow::showChanges() {
    const HelpChanges changes = presenter_.takeChanges();
    if (changes.shown && IsIconic(window_)) {
        // Out of the task bar first, so that the load below places the
        // restored window and not its icon.
        ShowWindow(window_, SW_RESTORE);
    }
    if (changes.loaded) {
        Form_Load();
        place();
    }
    if (changes.shown) {
        ShowWindow(window_, SW_SHOW);
        SetForegroundWindow(window_);
    }
    if (!changes.focus.empty()) {
        SetFocus(control(changes.focus));
    }
    if (changes.hidden) {
        ShowWindow(window_, SW_HIDE);
    }
}

bool HelpWindow::handle(UINT message, WPARAM wParam, LPARAM /*lParam*/, LRESULT& result) {
    switch (message) {
    case WM_CLOSE:
        // Unloaded: off the screen, and loaded afresh when next shown.
        presenter_.close();
        ShowWindow(window_, SW_HIDE);
        result = 0;
        return true;
    case WM_ACTIVATE:
        // An ordinary window does not keep its focus across a switch to
        // another window and back, as a dialog does: it is kept here.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            lastFocus_ = focus != nullptr && IsChild(window_, focus) ? focus : lastFocus_;
        } else if (lastFocus_ != nullptr && HIWORD(wParam) == 0) {
            SetFocus(lastFocus_);
            result = 0;
            return true;
        }
        return false;
    default:
        return false;
    }
}

LRESULT CALLBACK HelpWindow::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<HelpWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<HelpWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    LRESULT result = 0;
    bool handled = false;
    if (self != nullptr) {
        runGuarded(window, [&] { handled = self->handle(message, wParam, lParam, result); });
    }
    if (message == WM_NCDESTROY && self != nullptr) {
        self->window_ = nullptr;
    }
    return handled ? result : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK HelpWindow::controlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR /*owner*/) noexcept {
    // A multi-line box wants every key, Tab among them; here Tab moves to
    // the other box, as between the boxes of a dialog.
    if (message == WM_GETDLGCODE && lParam != 0) {
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        const LRESULT code = DefSubclassProc(control, message, wParam, lParam);
        if ((key->message == WM_KEYDOWN || key->message == WM_CHAR) && key->wParam == VK_TAB) {
            return code & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
        }
        return code;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

} // namespace dealwise::win32
