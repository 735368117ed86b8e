// SPDX-License-Identifier: MIT
#include "windows/frm_main.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include "windows/control_factory.h"
#include "windows/error_boundary.h"
#include "windows/layout_table.h"
#include "windows/output_pane.h"

namespace dealwise {

namespace {

QString fromView(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

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
    connect(typingPause_, &QTimer::timeout, this, [this] { presenter_.typingPaused(); });

    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::bind(QPushButton* button, void (frmMain::*operation)()) {
    connect(button, &QPushButton::clicked, this,
            [this, operation] { runGuarded(this, [this, operation] { (this->*operation)(); }); });
}

QPushButton* frmMain::cardButton(Card card) const { return cardButtons_[slotOf(card)]; }

template <typename Operation> void frmMain::present(const Operation& operation) {
    try {
        operation();
    } catch (...) {
        showChanges();
        throw;
    }
    showChanges();
}

void frmMain::showChanges() {
    const MainChanges changes = presenter_.takeChanges();
    for (std::size_t slot = 0; slot < changes.cards.size(); ++slot) {
        if (changes.cards.test(slot)) {
            showFace(cardAt(static_cast<int>(slot)));
        }
    }
    if (changes.runEnabled) {
        cmdRun->setEnabled(presenter_.runEnabled());
    }
    if (changes.scoreBox) {
        txtFinalScore->setText(QString::fromStdString(presenter_.scoreBox()));
    }
    if (changes.paneCleared) {
        picOutput->clearPane();
    }
    const std::vector<std::string>& lines = presenter_.paneLines();
    for (std::size_t line = lines.size() - changes.paneAppended; line < lines.size(); ++line) {
        picOutput->printLine(QString::fromStdString(lines[line]));
    }
    if (presenter_.help().exists()) {
        if (!helpWindow_) {
            helpWindow_ = std::make_unique<frmHelp>(presenter_.help());
        }
        helpWindow_->showChanges();
    }
    if (changes.shown) {
        setVisible(presenter_.shown());
    }
    if (!changes.focus.empty()) {
        if (auto* control = findChild<QWidget*>(fromView(changes.focus))) {
            control->setFocus(Qt::OtherFocusReason);
        }
    }
    if (changes.ended) {
        emit programEnded();
    }
}

void frmMain::showFace(Card card) {
    const CardFace& face = presenter_.face(card);
    QPushButton* button = cardButton(card);
    button->setText(QString::fromStdString(face.caption));
    button->setAccessibleDescription(QString::fromStdString(face.description));
    setBold(*button, face.bold);
}

void frmMain::Form_Load() {
    present([this] { presenter_.Form_Load(); });
}

void frmMain::cmdCard_Click(Card card) {
    present([this, card] { presenter_.cmdCard_Click(card); });
}

void frmMain::cmdChangeHandNo_Click() {
    present([this] { presenter_.cmdChangeHandNo_Click(); });
}

void frmMain::cmdRun_Click() {
    present([this] { presenter_.cmdRun_Click(); });
}

void frmMain::cmdReset_Click() {
    present([this] { presenter_.cmdReset_Click(); });
}

void frmMain::cmdHelp_Click() {
    present([this] { presenter_.cmdHelp_Click(); });
}

void frmMain::cmdQuit_Click() {
    present([this] { presenter_.cmdQuit_Click(); });
}

void frmMain::Form_QueryUnload(Int16& /*Cancel*/, Int16 /*UnloadMode*/) { cmdQuit_Click(); }

void frmMain::closeEvent(QCloseEvent* event) {
    event->accept();
    if (presenter_.ended()) {
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
    if (const std::optional<Card> card = presenter_.typeCharacter(text.front().toLatin1())) {
        typingPause_->stop();
        cardButton(*card)->click(); // the click's own handler, guarded as a click's is
        return true;
    }
    if (presenter_.typingPending()) {
        typingPause_->start();
        return true;
    }
    typingPause_->stop();
    return false;
}

} // namespace dealwise
