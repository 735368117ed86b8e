// SPDX-License-Identifier: MIT
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>

#include "window_test_support.h"

using dealwise::testing::click;
using dealwise::testing::clickCards;
using dealwise::testing::control;
using dealwise::testing::paneLines;

namespace {

const QStringList kRestCaptions{"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
const QStringList kRankParts{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};

QList<QPushButton*> cardButtons(const QWidget& window) {
    QList<QPushButton*> buttons;
    for (const char* suit : {"S", "C", "D", "H"}) {
        for (const QString& part : kRankParts) {
            buttons << control<QPushButton>(window, QStringLiteral("cmd%1%2").arg(suit, part).toLatin1().constData());
        }
    }
    return buttons;
}

// Every card button at rest but the ones named, which show their entry number in bold.
void verifyCaptions(const QWidget& window, const QMap<QString, QString>& entered) {
    const QList<QPushButton*> buttons = cardButtons(window);
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        const QPushButton* button = buttons[i];
        const bool isEntered = entered.contains(button->objectName());
        const QString want = isEntered ? entered.value(button->objectName()) : kRestCaptions[i % 13];
        QVERIFY2(button->text() == want, qPrintable(button->objectName() + ": " + button->text()));
        QVERIFY2(button->font().bold() == isEntered, qPrintable(button->objectName()));
    }
}

QString scoreBox(const QWidget& window) { return control<QLineEdit>(window, "txtFinalScore")->text(); }
bool runEnabled(const QWidget& window) { return control(window, "cmdRun")->isEnabled(); }
QString focused() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }

const QStringList kExampleGrid{
    "HAND----  A  2  3  4  5  6  7  8  9 10  J  Q  K",     "Spades     0  0  0  0  1  0  0  0  0  0  1  0  0 ",
    "Clubs        0  0  0  0  0  0  0  0  0  1  0  0  0 ", "Diamonds  1  0  0  0  1  0  0  0  0  0  0  0  0 ",
    "Hearts       0  1  0  0  0  0  0  0  0  0  0  0  1 ",
};

const QStringList kExampleReport{
    "#ACES=  1                       SCORE=  2 ",
    "LOW CARDS= -3             SCORE= -1 ",
    "FACE CARDS=  2            SCORE=  1 ",
    "DUPS=  1 >DUPS=  0 ",
    "gdu score=-1 ",
    "gd2                                  SCORE= -1 ",
    "BLACK=  3                       SCORE= -1 ",
    "RED=    3                         SCORE= -1 ",
    "ACE-UP PLAYS=  0         SCORE= -1 ",
    "PLAY (2-K)=  0                 SCORE= -1 ",
    "1st Ace?  0 KINGS?  0  0  0  0  0  0  0 ",
    "                             FINAL SCORE= -1 ",
};

// The keys, typed wherever the focus is, as a user types them.
void type(const QString& keys) { QTest::keyClicks(QApplication::focusWidget(), keys); }

// As if the user stopped typing for a while.
void pause(const QWidget& window) {
    auto* timer = window.findChild<QTimer*>("typingPause");
    QVERIFY(timer != nullptr && timer->isActive());
    QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
}

QMap<QString, QString> shownCaptions(const QWidget& window) {
    QMap<QString, QString> shown;
    for (const QPushButton* button : cardButtons(window)) {
        if (button->font().bold()) {
            shown.insert(button->objectName(), button->text());
        }
    }
    return shown;
}

QMessageBox* errorBox() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(widget); box != nullptr && box->isVisible()) {
            return box;
        }
    }
    return nullptr;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void startsReadyForAHand() {
        const auto window = dealwise::testing::startMainWindow();
        QVERIFY(window->isVisible());
        QVERIFY(!runEnabled(*window));
        QCOMPARE(focused(), "cmdReset");
        verifyCaptions(*window, {});
        QCOMPARE(scoreBox(*window), "");
        QCOMPARE(paneLines(*window), QStringList());
        QVERIFY(window->helpWindow() == nullptr);
    }

    void sevenCardsShowTheGridAndRunScoresIt() {
        const auto window = dealwise::testing::startMainWindow();
        clickCards(*window, {"cmdS5", "cmdHK", "cmdD1", "cmdC10", "cmdD5", "cmdSJ"});
        QVERIFY(!runEnabled(*window));
        QCOMPARE(paneLines(*window), QStringList());
        click(*window, "cmdH2");
        QVERIFY(runEnabled(*window));
        verifyCaptions(*window, {{"cmdS5", "1"},
                                 {"cmdHK", "2"},
                                 {"cmdD1", "3"},
                                 {"cmdC10", "4"},
                                 {"cmdD5", "5"},
                                 {"cmdSJ", "6"},
                                 {"cmdH2", "7"}});
        QCOMPARE(paneLines(*window), kExampleGrid);

        control(*window, "cmdS1")->setFocus();
        click(*window, "cmdRun");
        QCOMPARE(paneLines(*window), kExampleGrid + kExampleReport);
        QCOMPARE(scoreBox(*window), " -1");
        QCOMPARE(focused(), "cmdReset");
        QVERIFY(runEnabled(*window));

        // Run again: nothing went to the foundations, so the same report once more.
        click(*window, "cmdRun");
        QCOMPARE(paneLines(*window), kExampleGrid + kExampleReport + kExampleReport);
    }

    void aSecondRunScoresWhatTheFirstLeftInTheGrid() {
        const auto window = dealwise::testing::startMainWindow();
        clickCards(*window, {"cmdS1", "cmdS2", "cmdS3", "cmdH4", "cmdC9", "cmdD10", "cmdCK"});
        click(*window, "cmdRun");
        QCOMPARE(scoreBox(*window), " 3");
        QCOMPARE(paneLines(*window).mid(5, 12).join('|'),
                 "#ACES=  1                       SCORE=  2 |LOW CARDS= -3             SCORE= -1 |"
                 "FACE CARDS=  1            SCORE=  0 |DUPS=  0 >DUPS=  0 |gdu score= 0 |"
                 "gd2                                  SCORE=  0 |BLACK=  4                       SCORE=  0 |"
                 "RED=    2                         SCORE=  0 |ACE-UP PLAYS=  2         SCORE=  2 |"
                 "PLAY (2-K)=  1                 SCORE=  3 |1st Ace?  0 KINGS?  0  0  0  0  0  0  0 |"
                 "                             FINAL SCORE=  3 ");
        click(*window, "cmdRun");
        const QStringList lines = paneLines(*window);
        QCOMPARE(lines.size(), 29);
        QCOMPARE(lines.mid(17).join('|'),
                 "#ACES=  1                       SCORE=  2 |LOW CARDS= -1             SCORE=  1 |"
                 "FACE CARDS=  1            SCORE=  2 |DUPS=  0 >DUPS=  0 |gdu score= 2 |"
                 "gd2                                  SCORE=  2 |BLACK=  2                       SCORE=  2 |"
                 "RED=    2                         SCORE=  2 |ACE-UP PLAYS=  0         SCORE=  2 |"
                 "PLAY (2-K)=  1                 SCORE=  3 |1st Ace?  0 KINGS?  0  0  0  0  0  0  0 |"
                 "                             FINAL SCORE=  3 ");
        // The grid printed at the seventh card still shows the cards that left.
        QCOMPARE(lines[1], "Spades     1  1  1  0  0  0  0  0  0  0  0  0  0 ");
        QCOMPARE(scoreBox(*window), " 3");
    }

    void repeatedAndExtraClicksCountAgain() {
        const auto window = dealwise::testing::startMainWindow();
        clickCards(*window, {"cmdS1", "cmdS2", "cmdS1", "cmdD7", "cmdS1", "cmdHQ"});
        verifyCaptions(*window, {{"cmdS1", "5"}, {"cmdS2", "2"}, {"cmdD7", "4"}, {"cmdHQ", "6"}});
        click(*window, "cmdD7");
        QVERIFY(runEnabled(*window));
        QCOMPARE(paneLines(*window)[1], "Spades     1  1  0  0  0  0  0  0  0  0  0  0  0 ");
        QCOMPARE(paneLines(*window).size(), 5);

        const QStringList grid = paneLines(*window);
        click(*window, "cmdC3");
        for (int more = 0; more < 3; ++more) {
            click(*window, "cmdC4");
        }
        verifyCaptions(
            *window, {{"cmdS1", "5"}, {"cmdS2", "2"}, {"cmdD7", "7"}, {"cmdHQ", "6"}, {"cmdC3", "8"}, {"cmdC4", "11"}});
        QCOMPARE(paneLines(*window), grid);
        QVERIFY(runEnabled(*window));
        QCOMPARE(window->entries(), dealwise::Int16{11});
    }

    void inputNewHandRestoresTheStartButKeepsThePane() {
        const auto window = dealwise::testing::startMainWindow();
        click(*window, "cmdReset");
        verifyCaptions(*window, {});
        QVERIFY(!runEnabled(*window));
        QCOMPARE(scoreBox(*window), "");

        clickCards(*window, {"cmdS9", "cmdH9", "cmdS9"});
        click(*window, "cmdReset");
        verifyCaptions(*window, {});
        QCOMPARE(window->grid(), dealwise::CardGrid{});
        click(*window, "cmdDK");
        verifyCaptions(*window, {{"cmdDK", "1"}});

        clickCards(*window, {"cmdS5", "cmdHK", "cmdD1", "cmdC10", "cmdD5", "cmdSJ", "cmdH2", "cmdH3"});
        click(*window, "cmdRun");
        control(*window, "cmdS1")->setFocus();
        click(*window, "cmdReset");
        click(*window, "cmdReset");
        verifyCaptions(*window, {});
        QCOMPARE(window->grid(), dealwise::CardGrid{});
        QCOMPARE(window->entries(), dealwise::Int16{0});
        QVERIFY(!runEnabled(*window));
        QCOMPARE(scoreBox(*window), "");
        QCOMPARE(paneLines(*window).size(), 17);
        QCOMPARE(focused(), "cmdReset"); // the click's own focus; the reset moves none

        // The next hand's seventh card replaces the old grid and report.
        clickCards(*window, {"cmdS5", "cmdHK", "cmdD1", "cmdC10", "cmdD5", "cmdSJ"});
        QCOMPARE(paneLines(*window).size(), 17);
        click(*window, "cmdH2");
        QCOMPARE(paneLines(*window), kExampleGrid);
    }

    void theKeyboardPressesTheFocusedButtonOnly() {
        const auto window = dealwise::testing::startMainWindow();
        control(*window, "cmdS1")->setFocus();
        QTest::keyClick(control(*window, "cmdS1"), Qt::Key_Space);
        QTest::keyClick(control(*window, "cmdS1"), Qt::Key_Return);
        verifyCaptions(*window, {{"cmdS1", "2"}});
        QTest::keyClick(control(*window, "cmdS1"), Qt::Key_Escape);
        QTest::keyClick(control(*window, "txtFinalScore"), Qt::Key_Return);
        verifyCaptions(*window, {{"cmdS1", "2"}});
        control(*window, "cmdReset")->setFocus();
        QTest::keyClick(control(*window, "cmdReset"), Qt::Key_Enter);
        verifyCaptions(*window, {});
    }

    void typedCardsPressTheirButtonsWhereverTheFocusIs() {
        const auto clicked = dealwise::testing::startMainWindow();
        for (const char* card : dealwise::testing::kWorkedExampleCards) {
            click(*clicked, card);
        }
        const auto typed = dealwise::testing::startMainWindow();
        QCOMPARE(focused(), "cmdReset");
        type("AS2s");
        control(*typed, "cmdHK")->setFocus();
        type("3S4h");
        control(*typed, "picOutput")->setFocus();
        type("9cTd");
        control(*typed, "cmdQuit")->setFocus();
        type("kC");
        QCOMPARE(focused(), "cmdQuit"); // typing moves no focus
        QCOMPARE(shownCaptions(*typed), shownCaptions(*clicked));
        verifyCaptions(*typed, {{"cmdS1", "1"},
                                {"cmdS2", "2"},
                                {"cmdS3", "3"},
                                {"cmdH4", "4"},
                                {"cmdC9", "5"},
                                {"cmdD10", "6"},
                                {"cmdCK", "7"}});
        QVERIFY(runEnabled(*typed));
        click(*typed, "cmdRun");
        click(*clicked, "cmdRun");
        QCOMPARE(paneLines(*typed), dealwise::testing::workedExampleLines());
        QCOMPARE(paneLines(*clicked), paneLines(*typed));
        QCOMPARE(scoreBox(*typed), " 3");
        QCOMPARE(scoreBox(*clicked), scoreBox(*typed));

        // Ten is "10" or "T", in either case.
        click(*typed, "cmdReset");
        type("10h");
        type("th");
        type("TH");
        verifyCaptions(*typed, {{"cmdH10", "3"}});
        QCOMPARE(typed->entries(), dealwise::Int16{3});
    }

    void typingIntoTheScoreBoxOrTheHelpWindowEditsThem() {
        const auto window = dealwise::testing::startMainWindow();
        QTest::mouseClick(control(*window, "txtFinalScore"), Qt::LeftButton);
        type("as10d");
        QCOMPARE(scoreBox(*window), "as10d");
        verifyCaptions(*window, {});

        click(*window, "cmdHelp");
        QVERIFY(QTest::qWaitForWindowActive(window->helpWindow()));
        auto* text1 = control<QPlainTextEdit>(*window->helpWindow(), "Text1");
        QCOMPARE(QApplication::focusWidget(), text1);
        const QString help = text1->toPlainText();
        type("kh");
        QCOMPARE(text1->toPlainText(), "kh" + help);
        verifyCaptions(*window, {});
        QCOMPARE(window->entries(), dealwise::Int16{0});

        // Back in the main window, cards typed there leave the help as it is.
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        control(*window, "cmdS1")->setFocus();
        type("qd");
        verifyCaptions(*window, {{"cmdDQ", "1"}});
        QCOMPARE(text1->toPlainText(), "kh" + help);
        QCOMPARE(scoreBox(*window), "as10d");
    }

    void wrongOrHalfTypedCardsChangeNothing() {
        const auto window = dealwise::testing::startMainWindow();
        type("x1s0haxz9j");
        pause(*window);
        type("d");
        control(*window, "cmdS1")->setFocus();
        type("1");
        pause(*window);
        type("0s");
        QCOMPARE(focused(), "cmdS1");
        verifyCaptions(*window, {});
        QCOMPARE(window->entries(), dealwise::Int16{0});
        QCOMPARE(paneLines(*window), QStringList());
        QCOMPARE(scoreBox(*window), "");
        QVERIFY(!runEnabled(*window));

        // Without the pause the same keys make the cards.
        type("jd10s");
        verifyCaptions(*window, {{"cmdDJ", "1"}, {"cmdS10", "2"}});
    }

    void theClickPastTheCounterLimitIsReportedAndTheProgramGoesOn() {
        const auto window = dealwise::testing::startMainWindow();
        auto* eight = control<QPushButton>(*window, "cmdS8");
        for (int i = 0; i < 32767; ++i) {
            eight->click();
        }
        QCOMPARE(eight->text(), "32767");
        QVERIFY(errorBox() == nullptr);

        click(*window, "cmdH3");
        QMessageBox* box = errorBox();
        QVERIFY(box != nullptr);
        QCOMPARE(box->text(), "Overflow: the addition gives 32768, outside the 16-bit range -32768 to 32767.");
        QVERIFY(window->grid().holds(dealwise::Card{dealwise::Suit::Hearts, dealwise::Rank::Three}));
        QCOMPARE(window->entries(), dealwise::Int16{32767});
        verifyCaptions(*window, {{"cmdS8", "32767"}});
        box->button(QMessageBox::Ok)->click();
        QTRY_VERIFY(errorBox() == nullptr);

        // A typed card meets the same limit, and the same message.
        QTest::keyClicks(control(*window, "cmdS1"), "kd");
        box = errorBox();
        QVERIFY(box != nullptr);
        QCOMPARE(box->text(), "Overflow: the addition gives 32768, outside the 16-bit range -32768 to 32767.");
        QVERIFY(window->grid().holds(dealwise::Card{dealwise::Suit::Diamonds, dealwise::Rank::King}));
        verifyCaptions(*window, {{"cmdS8", "32767"}});
        box->button(QMessageBox::Ok)->click();
        QTRY_VERIFY(errorBox() == nullptr);

        click(*window, "cmdRun");
        QCOMPARE(scoreBox(*window), " -1");
        click(*window, "cmdReset");
        click(*window, "cmdH3");
        verifyCaptions(*window, {{"cmdH3", "1"}});
    }

    void quitEndsTheProgramAtOnce() {
        const auto window = dealwise::testing::startMainWindow();
        QSignalSpy ended(window.get(), &dealwise::frmMain::programEnded);
        clickCards(*window, {"cmdS5", "cmdHK", "cmdD1"});
        click(*window, "cmdHelp");
        click(*window, "cmdQuit");
        QCOMPARE(ended.size(), 1);
        QVERIFY(!window->isVisible());
        QVERIFY(!window->helpWindow()->isVisible());
        window->close(); // the program is ending: no second ending
        QCOMPARE(ended.size(), 1);
    }

    void closingTheWindowsInAnyOrderEndsOnlyWithTheMainWindow() {
        struct Order {
            const char* name;
            std::function<void(dealwise::frmHelp&)> beforeMain;
        };
        for (const Order& order : {Order{"help closed first", [](dealwise::frmHelp& help) { help.close(); }},
                                   Order{"help minimised", [](dealwise::frmHelp& help) { help.showMinimized(); }},
                                   Order{"help closed, opened, closed", [](dealwise::frmHelp& help) {
                                             help.close();
                                             help.showHelp();
                                             help.close();
                                         }}}) {
            const auto window = dealwise::testing::startMainWindow();
            QSignalSpy ended(window.get(), &dealwise::frmMain::programEnded);
            click(*window, "cmdHelp");
            order.beforeMain(*window->helpWindow());
            QVERIFY2(ended.isEmpty() && window->isVisible(), order.name);
            QVERIFY(window->close());
            QVERIFY2(ended.size() == 1, order.name);
            QVERIFY2(!window->helpWindow()->isVisible(), order.name);
        }
    }

    void closingTheMainWindowEndsTheProgramHelpAndAll() {
        const auto window = dealwise::testing::startMainWindow();
        QSignalSpy ended(window.get(), &dealwise::frmMain::programEnded);
        click(*window, "cmdHelp");
        QVERIFY(window->helpWindow()->isVisible());
        QVERIFY(window->close());
        QCOMPARE(ended.size(), 1);
        QVERIFY(!window->isVisible());
        QVERIFY(!window->helpWindow()->isVisible());
    }
};

DEALWISE_WINDOW_TEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
