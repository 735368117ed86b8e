// SPDX-License-Identifier: MIT
#include "win32/main_window.h"

#include <array>
#include <utility>

#include "presenter/layout_table.h"
#include "win32/control_ids.h"
#include "win32/controls.h"
#include "win32/error_boundary.h"
#include "win32/keyboard.h"
#include "win32/text.h"

namespace dealwise::win32 {

namespace {

using layout::ControlKind;
using layout::ControlSpec;

// Why the window is asked to close, passed on unread: the close box, the
// window menu or Alt+F4 all end the program alike.
constexpr Int16 kCloseFromControlMenu{0};

const ControlSpec* layoutRowOf(HWND control) noexcept { return mainControlSpec(GetDlgCtrlID(control)); }

} // namespace

MainWindow::MainWindow() {
    registerWindowClass(kMainWindowClass, &MainWindow::windowProcedure);
    window_ = createWindow(kMainWindowClass, layout::kMainWindow, this);
    controls_ = buildControls(window_, layout::mainWindowControls(), kFirstMainControlId, fonts_,
                              &MainWindow::controlProcedure, reinterpret_cast<DWORD_PTR>(this));
    Form_Load();
}

MainWindow::~MainWindow() {
    helpWindow_.reset();
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

HWND MainWindow::control(std::string_view name) const noexcept {
    const int id = mainControlId(name);
    return id == 0 ? nullptr : controls_[static_cast<std::size_t>(id - kFirstMainControlId)];
}

template <typename Operation> void MainWindow::present(const Operation& operation) {
    try {
        operation();
    } catch (...) {
        showChanges();
        throw;
    }
    showChanges();
}

void MainWindow::showChanges() {
    const MainChanges changes = presenter_.takeChanges();
    for (std::size_t slot = 0; slot < changes.cards.size(); ++slot) {
        if (changes.cards.test(slot)) {
            showFace(cardAt(static_cast<int>(slot)));
        }
    }
    if (changes.runEnabled) {
        EnableWindow(control("cmdRun"), presenter_.runEnabled() ? TRUE : FALSE);
    }
    if (changes.scoreBox) {
        SetWindowTextW(control("txtFinalScore"), widen(presenter_.scoreBox()).c_str());
    }
    if (changes.paneCleared || changes.paneAppended > 0) {
        // The pane shows the presenter's lines, each under the one before.
        SetWindowTextW(control("picOutput"), joinLines(presenter_.paneLines()).c_str());
    }
    if (presenter_.help().exists()) {
        if (!helpWindow_) {
            helpWindow_ = std::make_unique<HelpWindow>(presenter_.help(), fonts_);
        }
        helpWindow_->showChanges();
    }
    if (changes.shown) {
        ShowWindow(window_, presenter_.shown() ? SW_SHOW : SW_HIDE);
    }
    if (!changes.focus.empty()) {
        SetFocus(control(changes.focus));
    }
    if (changes.ended) {
        PostQuitMessage(0);
    }
}

void MainWindow::showFace(Card card) {
    const CardFace& face = presenter_.face(card);
    HWND button = control(layout::cardButtonName(card));
    SetWindowTextW(button, widen(face.caption).c_str());
    const HFONT font = fonts_.font(face.bold ? layout::FontKind::DefaultBold : layout::FontKind::Default);
    if (reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)) != font) {
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

void MainWindow::Form_Load() {
    present([this] { presenter_.Form_Load(); });
}

void MainWindow::cmdCard_Click(Card card) {
    present([this, card] { presenter_.cmdCard_Click(card); });
}

void MainWindow::cmdRun_Click() {
    present([this] { presenter_.cmdRun_Click(); });
}

void MainWindow::cmdReset_Click() {
    present([this] { presenter_.cmdReset_Click(); });
}

void MainWindow::cmdHelp_Click() {
    present([this] { presenter_.cmdHelp_Click(); });
}

void MainWindow::cmdQuit_Click() {
    present([this] { presenter_.cmdQuit_Click(); });
}

void MainWindow::Form_QueryUnload(Int16& /*Cancel*/, Int16 /*UnloadMode*/) { cmdQuit_Click(); }

void MainWindow::clicked(HWND button) {
    const ControlSpec* layoutRow = layoutRowOf(button);
    // A disabled button cannot be pressed, even by a message sent to it.
    if (layoutRow == nullptr || layoutRow->kind != ControlKind::CommandButton || !IsWindowEnabled(button)) {
        return;
    }
    if (layoutRow->isCard) {
        cmdCard_Click(layoutRow->card);
        return;
    }
    using Operation = void (MainWindow::*)();
    constexpr std::array<std::pair<std::string_view, Operation>, 4> kCommands{{
        {"cmdRun", &MainWindow::cmdRun_Click},
        {"cmdReset", &MainWindow::cmdReset_Click},
        {"cmdHelp", &MainWindow::cmdHelp_Click},
        {"cmdQuit", &MainWindow::cmdQuit_Click},
    }};
    for (const auto& [name, operation] : kCommands) {
        if (layoutRow->name == name) {
            (this->*operation)();
        }
    }
}

bool MainWindow::typeCharacter(wchar_t character) {
    const bool commandKey = GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
    const std::optional<char> key = cardKey(character, commandKey);
    if (!key) {
        return false;
    }
    if (const std::optional<Card> card = presenter_.typeCharacter(*key)) {
        KillTimer(window_, kTypingPauseTimer);
        // The click's own message, so that the typed card meets the same
        // handler and guard as a clicked one; unlike a click it leaves the
        // focus where it is.
        HWND button = control(layout::cardButtonName(*card));
        SendMessageW(window_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
        return true;
    }
    if (presenter_.typingPending()) {
        SetTimer(window_, kTypingPauseTimer, static_cast<UINT>(kTypingPause.count()), nullptr);
        return true;
    }
    KillTimer(window_, kTypingPauseTimer);
    return false;
}

void MainWindow::moveFocus(const ControlSpec& from, bool backwards) {
    const std::string_view next =
        nextInTabOrder(layout::mainWindowControls(), from.name, backwards, [this](const ControlSpec& candidate) {
            HWND window = control(candidate.name);
            return IsWindowEnabled(window) && IsWindowVisible(window);
        });
    HWND target = control(next);
    if (layoutRowOf(target)->kind == ControlKind::TextBox) {
        // Tabbing into a text box selects its text, as in a dialog.
        SendMessageW(target, EM_SETSEL, 0, -1);
    }
    SetFocus(target);
}

bool MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && lParam != 0) {
            clicked(reinterpret_cast<HWND>(lParam));
            result = 0;
            return true;
        }
        return false;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
        if (const ControlSpec* layoutRow = layoutRowOf(reinterpret_cast<HWND>(lParam))) {
            result = reinterpret_cast<LRESULT>(brushes_.paint(reinterpret_cast<HDC>(wParam), *layoutRow));
            return true;
        }
        return false;
    case WM_TIMER:
        if (wParam == kTypingPauseTimer) {
            KillTimer(window_, kTypingPauseTimer);
            presenter_.typingPaused();
            result = 0;
            return true;
        }
        return false;
    case WM_CLOSE:
        if (!presenter_.ended()) {
            Int16 cancel;
            Form_QueryUnload(cancel, kCloseFromControlMenu);
        }
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

bool MainWindow::handleControl(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const ControlSpec* layoutRow = layoutRowOf(control);
    if (layoutRow == nullptr) {
        return false;
    }
    const bool frame = layoutRow->kind == ControlKind::Frame;
    switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        // A frame passes on what the controls it holds tell their parent:
        // the window answers for all of them.
        if (frame) {
            result = SendMessageW(window_, message, wParam, lParam);
            return true;
        }
        return false;
    case WM_ERASEBKGND:
        // A group box draws its border and caption only; its surface is the
        // frame's colour.
        if (frame) {
            RECT area;
            GetClientRect(control, &area);
            FillRect(reinterpret_cast<HDC>(wParam), &area, brushes_.brush(coloursOf(*layoutRow).background));
            result = 1;
            return true;
        }
        return false;
    case WM_GETDLGCODE:
        result = DefSubclassProc(control, message, wParam, lParam) |
                 static_cast<LRESULT>(extraDialogCode(layoutRow->kind, reinterpret_cast<const MSG*>(lParam)));
        return true;
    case WM_KEYDOWN:
        if (wParam == VK_TAB) {
            moveFocus(*layoutRow, GetKeyState(VK_SHIFT) < 0);
            result = 0;
            return true;
        }
        if (wParam == VK_RETURN && layoutRow->kind == ControlKind::CommandButton) {
            SendMessageW(control, BM_CLICK, 0, 0);
            result = 0;
            return true;
        }
        return false;
    case WM_CHAR:
        switch (routeCharacter(layoutRow->kind, static_cast<wchar_t>(wParam))) {
        case CharacterRoute::Control:
            return false;
        case CharacterRoute::Dropped:
            result = 0;
            return true;
        case CharacterRoute::TypedCard:
            result = 0;
            return typeCharacter(static_cast<wchar_t>(wParam));
        }
        return false;
    default:
        return false;
    }
}

LRESULT CALLBACK MainWindow::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
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

LRESULT CALLBACK MainWindow::controlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR owner) noexcept {
    auto* self = reinterpret_cast<MainWindow*>(owner);
    LRESULT result = 0;
    bool handled = false;
    runGuarded(self->window_, [&] { handled = self->handleControl(control, message, wParam, lParam, result); });
    return handled ? result : DefSubclassProc(control, message, wParam, lParam);
}

} // namespace dealwise::win32
