// SPDX-License-Identifier: MIT
#pragma once

// The windows keep the names their controls and handlers have always had:
// frmMain and frmHelp, cmdRun and cmdRun_Click, cmdS1 .. cmdHK, Text1,
// picOutput, txtFinalScore. They break this code's naming habits on purpose:
// each is also the control's objectName, by which the tests, the benchmarks
// and accessibility tools find it, and the name anyone who knew the program
// looks for. Those lines carry NOLINT(readability-identifier-naming).

#include <QPushButton>
#include <QWidget>

#include <array>
#include <memory>

#include "presenter/main_presenter.h"
#include "windows/frm_help.h"

class QKeyEvent;
class QLineEdit;
class QTimer;

namespace dealwise {

class OutputPane;

// The main window, a view of MainPresenter: each handler runs the
// presenter's operation of the same name, then shows what it changed. A card
// button enters its card; the seventh entry prints the hand grid into
// picOutput and enables Run; Run appends the report below the grid and puts
// the score in txtFinalScore. A card typed on the keyboard (its rank, then its
// suit) presses its button, wherever the focus is in the window but in the
// score box.
class frmMain : public QWidget { // NOLINT(readability-identifier-naming)
    Q_OBJECT

public:
    frmMain();
    ~frmMain() override;

    [[nodiscard]] const CardGrid& grid() const noexcept { return presenter_.grid(); }
    [[nodiscard]] Int16 entries() const noexcept { return presenter_.entries(); }
    // Empty until Help is first pressed; then the one help window of the run.
    [[nodiscard]] frmHelp* helpWindow() const noexcept { return helpWindow_.get(); }

    // Operations bound to the controls' events. NOLINTBEGIN(readability-identifier-naming)
    void Form_Load();
    void cmdCard_Click(Card card);
    void cmdChangeHandNo_Click();
    void cmdRun_Click();
    void cmdReset_Click();
    void cmdHelp_Click();
    void cmdQuit_Click();
    void Form_QueryUnload(Int16& Cancel, Int16 UnloadMode);
    // NOLINTEND(readability-identifier-naming)

signals:
    // Quit, or any close of this window: the program ends now.
    void programEnded();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Reached by the keys the control with the focus leaves unused: the score
    // box uses every character, the buttons only Space and Enter.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void bind(QPushButton* button, void (frmMain::*operation)());
    [[nodiscard]] QPushButton* cardButton(Card card) const;
    // Feeds a key to the presenter and presses the card it completes; whether
    // the key went toward a card.
    bool typeKey(const QKeyEvent& event);
    // Runs one of the presenter's operations and shows what it changed, also
    // when it throws: what it did before the error stays done on the screen.
    template <typename Operation> void present(const Operation& operation);
    void showChanges();
    void showFace(Card card);

    MainPresenter presenter_;
    std::unique_ptr<frmHelp> helpWindow_;
    QTimer* typingPause_ = nullptr; // drops a half-typed card

    std::array<QPushButton*, CardGrid::kCellCount> cardButtons_{};
    QPushButton* cmdRun = nullptr;      // NOLINT(readability-identifier-naming)
    QPushButton* cmdReset = nullptr;    // NOLINT(readability-identifier-naming)
    QLineEdit* txtFinalScore = nullptr; // NOLINT(readability-identifier-naming)
    OutputPane* picOutput = nullptr;    // NOLINT(readability-identifier-naming)
};

} // namespace dealwise
