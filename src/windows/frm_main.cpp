#include "windows/frm_main.h"

#include <QCloseEvent>
#include <QLineEdit>

#include "report/hand_grid.h"
#include "scoring/scoring.h"
#include "windows/control_factory.h"
#include "windows/error_boundary.h"
#include "windows/layout_table.h"
#include "windows/output_pane.h"

namespace dealwise {

namespace {

QString fromView(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString rendered(const PrintLine& line) { return QString::fromStdString(renderLine(line)); }

std::size_t slotOf(Card card) { return static_cast<std::size_t>(cardIndex(card)); }

void setBold(QWidget& widget, bool bold) {
    QFont font = widget.font();
    font.setBold(bold);
    widget.setFont(font);
}

// Close requests that do not come from the user's own hand (a program, the
// session ending) still end the program; the reason is passed on unread.
constexpr int kCloseFromUser = 0;
constexpr int kCloseFromProgram = 1;

} // namespace

frmMain::frmMain() {
    placeWindow(*this, layout::kMainWindow);
    const auto controls = buildControls(*this, layout::mainWindowControls());
    const auto control = [&controls](const char* name) { return controls.value(QString::fromLatin1(name)); };

    cmdRun = qobject_cast<QPushButton*>(control("cmdRun"));
    cmdReset = qobject_cast<QPushButton*>(control("cmdReset"));
    txtFinalScore = qobject_cast<QLineEdit*>(control("txtFinalScore"));
    picOutput = qobject_cast<OutputPane*>(control("picOutput"));

    for (const layout::ControlSpec& entry : layout::mainWindowControls()) {
        if (!entry.isCard) {
            continue;
        }
        auto* button = qobject_cast<QPushButton*>(controls.value(fromView(entry.name)));
        cardButtons_[slotOf(entry.card)] = button;
        const Card card = entry.card;
        connect(button, &QPushButton::clicked, this,
                [this, card] { runGuarded(this, [this, card] { cmdCard_Click(card); }); });
    }
    bind(cmdRun, &frmMain::cmdRun_Click);
    bind(cmdReset, &frmMain::cmdReset_Click);
    bind(qobject_cast<QPushButton*>(control("cmdHelp")), &frmMain::cmdHelp_Click);
    bind(qobject_cast<QPushButton*>(control("cmdQuit")), &frmMain::cmdQuit_Click);

    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::bind(QPushButton* button, void (frmMain::*operation)()) {
    connect(button, &QPushButton::clicked, this,
            [this, operation] { runGuarded(this, [this, operation] { (this->*operation)(); }); });
}

QPushButton* frmMain::cardButton(Card card) const { return cardButtons_[slotOf(card)]; }

void frmMain::Form_Load() {
    cmdRun->setEnabled(false);
    show();
    cmdReset->setFocus(Qt::OtherFocusReason);
}

void frmMain::cmdCard_Click(Card card) {
    const Int16 count = enterCard(cardGrid, entryCounter, card);
    QPushButton* button = cardButton(card);
    button->setText(QString::fromStdString(toDecimal(count)));
    setBold(*button, true);
    if (count == kHandSize) {
        cmdChangeHandNo_Click();
    }
}

void frmMain::cmdChangeHandNo_Click() {
    cmdRun->setEnabled(true);
    picOutput->clearPane();
    for (const PrintLine& line : handGridLines(cardGrid)) {
        picOutput->printLine(rendered(line));
    }
}

void frmMain::cmdRun_Click() {
    const ScoreSheet sheet = scoreGrid(cardGrid);
    for (const PrintLine& line : reportLines(sheet)) {
        picOutput->printLine(rendered(line));
    }
    txtFinalScore->setText(QString::fromStdString(finalScoreText(sheet.finalScore)));
    cmdReset->setFocus(Qt::OtherFocusReason);
}

void frmMain::cmdReset_Click() {
    txtFinalScore->setText(QString());
    entryCounter.reset();
    for (Suit suit : kAllSuits) {
        for (int value = 1; value <= kRankCount; ++value) {
            const Rank rank = rankFromValue(value);
            cardButton(Card{suit, rank})->setText(fromView(restCaption(rank)));
        }
    }
    for (QPushButton* button : cardButtons_) {
        setBold(*button, false);
    }
    resetHand(cardGrid, entryCounter);
    cmdRun->setEnabled(false);
}

void frmMain::cmdHelp_Click() {
    if (!helpWindow_) {
        helpWindow_ = std::make_unique<frmHelp>();
    }
    helpWindow_->showHelp();
}

void frmMain::cmdQuit_Click() {
    ending_ = true;
    if (helpWindow_) {
        helpWindow_->hide();
    }
    hide();
    emit programEnded();
}

void frmMain::Form_QueryUnload(Int16& /*Cancel*/, Int16 /*UnloadMode*/) { cmdQuit_Click(); }

void frmMain::closeEvent(QCloseEvent* event) {
    event->accept();
    if (ending_) {
        return;
    }
    runGuarded(this, [this, event] {
        Int16 cancel;
        Form_QueryUnload(cancel, event->spontaneous() ? kCloseFromUser : kCloseFromProgram);
    });
}

} // namespace dealwise
