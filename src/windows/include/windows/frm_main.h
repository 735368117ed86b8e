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

#include "hand/card_grid.h"
#include "hand/hand_entry.h"
#include "windows/frm_help.h"
#include "windows/typed_card.h"

class QKeyEvent;
class QLineEdit;
class QTimer;

namespace dealwise {

class OutputPane;

// The main window. A card button marks its card in cardGrid and counts the
// entry; the seventh entry prints the hand grid into picOutput and enables
// Run; Run scores the grid (plain functions of the scoring library), appends
// the report below the grid and puts the score in txtFinalScore. All state of
// the hand lives here; the rules and the report lines live in the library.
// A card typed on the keyboard (its rank, then its suit) presses its button,
// wherever the focus is in the window but in the score box.
class frmMain : public QWidget { // NOLINT(readability-identifier-naming)
    Q_OBJECT

public:
    frmMain();
    ~frmMain() override;

    [[nodiscard]] const CardGrid& grid() const noexcept { return cardGrid; }
    [[nodiscard]] Int16 entries() const noexcept { return entryCounter.value(); }
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
    // Feeds a key to typedCard_ and presses the card it completes; whether
    // the key went toward a card.
    bool typeKey(const QKeyEvent& event);

    CardGrid cardGrid;         // NOLINT(readability-identifier-naming)
    EntryCounter entryCounter; // NOLINT(readability-identifier-naming)
    std::unique_ptr<frmHelp> helpWindow_;
    bool ending_ = false;
    TypedCard typedCard_;
    QTimer* typingPause_ = nullptr; // drops a half-typed card

    std::array<QPushButton*, CardGrid::kCellCount> cardButtons_{};
    QPushButton* cmdRun = nullptr;      // NOLINT(readability-identifier-naming)
    QPushButton* cmdReset = nullptr;    // NOLINT(readability-identifier-naming)
    QLineEdit* txtFinalScore = nullptr; // NOLINT(readability-identifier-naming)
    OutputPane* picOutput = nullptr;    // NOLINT(readability-identifier-naming)
};

} // namespace dealwise
