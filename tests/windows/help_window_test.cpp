// SPDX-License-Identifier: MIT
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "window_test_support.h"

using dealwise::testing::click;
using dealwise::testing::control;

namespace {

// A help text from its pieces, each followed by its run of blanks.
QString joined(const QList<QPair<QString, int>>& pieces) {
    QString text;
    for (const auto& [piece, blanks] : pieces) {
        text += piece + QString(blanks, QLatin1Char(' '));
    }
    return text;
}

const QString kFirstText = joined({
    {"How to use this program:", 18},
    {"1. This program opens its window in the upper left hand corner of the screen. Once the screen has been "
     "displayed, open the Solitaire game and position its window directly below that of the Dealwise.",
     3},
    {"2. Deal a hand of Solitaire.", 16},
    {"3. Now, use the 52 card-deck buttons to input the hand that you see in front of you. Do this by starting at the "
     "left-most card and moving to the right.",
     2},
    {"Notice that as you hit a card-deck button, its caption changes & goes BOLD to indicate the sequence in which you "
     "have selected it.",
     14},
    {"4. After selecting the 7th card, hit the", 2},
    {"Run button to score the hand. The SCORE appears in the SCORE window.", 3},
    {"The SCORE can range from as low as about -12 to about (+)10. My research suggests that you should only play "
     "hands whose Scores are a 6 or higher.",
     2},
    {"Your likelyhood of winning goes down progressively", 2},
    {"as the Score goes down.", 0},
});

const QString kSecondText = joined({
    {"5. To Score a new hand, deal the hand, then hit the", 2},
    {"Input New Hand button to reset the Dealwise.", 15},
    {"6. Click the", 2},
    {"Quit button to exit the Dealwise.", 0},
});

QPlainTextEdit* box(const dealwise::frmMain& window, const char* name) {
    return control<QPlainTextEdit>(*window.helpWindow(), name);
}

int helpWindowsAlive() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        count += widget->objectName() == "frmHelp" ? 1 : 0;
    }
    return count;
}

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT

private slots:
    void helpOpensOneWindowBesideTheMainWindow() {
        const auto window = dealwise::testing::startMainWindow();
        QCOMPARE(helpWindowsAlive(), 0);
        window->move(200, 300);
        click(*window, "cmdHelp");
        dealwise::frmHelp* help = window->helpWindow();
        QVERIFY(help != nullptr && help->isVisible());
        QVERIFY(help->parentWidget() == nullptr);
        QVERIFY(!help->isModal());
        QCOMPARE(help->windowTitle(), "Dealwise HELP");
        QCOMPARE(help->size(), QSize(201, 516));
        QVERIFY(help->windowIcon().availableSizes().contains(QSize(16, 16)));
        QCOMPARE(help->frameGeometry().topLeft(), QPoint(596, 0));
        QCOMPARE(box(*window, "Text1")->geometry(), QRect(8, 16, 185, 353));
        QCOMPARE(box(*window, "Text2")->geometry(), QRect(8, 368, 185, 81));
        QWidget* foot = help->childAt(QPoint(20, 368)); // Text2 covers the foot of Text1
        QVERIFY(foot == box(*window, "Text2") || box(*window, "Text2")->isAncestorOf(foot));
        QCOMPARE(box(*window, "Text1")->font().family(), "MS Sans Serif");
        QCOMPARE(box(*window, "Text1")->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

        click(*window, "cmdHelp");
        click(*window, "cmdHelp");
        QCOMPARE(window->helpWindow(), help);
        QCOMPARE(helpWindowsAlive(), 1);

        // The main window goes on working while help is open.
        click(*window, "cmdS1");
        QCOMPARE(control<QPushButton>(*window, "cmdS1")->text(), "1");
    }

    void helpShowsBothTextsExactly() {
        const auto window = dealwise::testing::startMainWindow();
        click(*window, "cmdHelp");
        QCOMPARE(box(*window, "Text1")->toPlainText(), kFirstText);
        QCOMPARE(box(*window, "Text2")->toPlainText(), kSecondText);
        QVERIFY(!kFirstText.contains('\n') && kFirstText.size() == 919);
        QCOMPARE(window->helpWindow()->focusWidget(), box(*window, "Text1"));
    }

    void editsLastWhileOpenAndAReopenedWindowIsFresh() {
        const auto window = dealwise::testing::startMainWindow();
        click(*window, "cmdHelp");
        QPlainTextEdit* first = box(*window, "Text1");
        first->moveCursor(QTextCursor::End);
        QTest::keyClicks(first, " my note");
        click(*window, "cmdHelp");
        QCOMPARE(first->toPlainText(), kFirstText + " my note");

        QVERIFY(window->helpWindow()->close());
        QVERIFY(!window->helpWindow()->isVisible());
        QVERIFY(window->isVisible());
        click(*window, "cmdHelp");
        QVERIFY(window->helpWindow()->isVisible());
        QCOMPARE(box(*window, "Text1")->toPlainText(), kFirstText);
        QCOMPARE(box(*window, "Text2")->toPlainText(), kSecondText);
        QCOMPARE(helpWindowsAlive(), 1);
    }

    void helpBringsBackAMinimisedHelpWindow() {
        const auto window = dealwise::testing::startMainWindow();
        click(*window, "cmdHelp");
        window->helpWindow()->showMinimized();
        QVERIFY(window->helpWindow()->isMinimized());
        click(*window, "cmdHelp");
        QVERIFY(!window->helpWindow()->isMinimized());
        QVERIFY(window->helpWindow()->isVisible());
    }
};

DEALWISE_WINDOW_TEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"
