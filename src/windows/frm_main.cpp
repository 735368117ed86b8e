#include "windows/frm_main.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include "report/hand_grid.h"
#include "scoring/scoring.h"
#include "windows/control_factory.h"
#include "windows/error_boundary.h"
#include "windows/layout_table.h"
#include "windows/output_pane.h"
#include "windows/spoken_text.h"

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

    // Named after the captions beside them, which assistive tools do not tie
    // to them.
    txtFinalScore->setAccessibleName(QStringLiteral("Score"));
    picOutput->setAccessibleName(QStringLiteral("Scoring details"));

    typingPause_ = new QTimer(this);
    typingPause_->setObjectName(QStringLiteral("typingPause"));
    typingPause_->setSingleShot(true);
    typingPause_->setInterval(kTypingPause);
    connect(typingPause_, &QTimer::timeout, this, [this] { typedCard_.forget(); });

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
    button->setAccessibleDescription(QString::fromStdString(entryDescription(count.value())));
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
        button->setAccessibleDescription(QString());
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

void frmMain::keyPressEvent(QKeyEvent* event) {
    bool used = false;
    runGuarded(this, [this, event, &used] { used = typeKey(*event); });
    if (!used) {
        QWidget::keyPressEvent(event);
    }
}

bool frmMain::typeKey(const QKeyEvent& event) {
    // A card is spelt in plain characters; with Ctrl, Alt or Meta held a key
    // is a command, and a key without text (Shift alone) breaks no card.
    const QString text = event.text();
    if (text.size() != 1 || text.front().unicode() > 0x7f ||
        (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        return false;
    }
    if (const std::optional<Card> card = typedCard_.feed(text.front().toLatin1())) {
        typingPause_->stop();
        cardButton(*card)->click(); // the click's own handler, guarded as a click's is
        return true;
    }
    if (typedCard_.pending()) {
        typingPause_->start();
        return true;
    }
    typingPause_->stop();
    return false;
}

} // namespace dealwise
