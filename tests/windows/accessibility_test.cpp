// SPDX-License-Identifier: MIT
#include <QAccessible>
#include <QPushButton>
#include <QTest>

#include <utility>
#include <vector>

#include "window_test_support.h"

using dealwise::testing::click;
using dealwise::testing::control;

namespace {

QAccessibleInterface* accessible(const QWidget& window, const char* name) {
    QAccessibleInterface* found = QAccessible::queryAccessibleInterface(control(window, name));
    if (found == nullptr) {
        qFatal("%s has no accessible interface", name);
    }
    return found;
}

QString nameOf(const QWidget& window, const char* name) { return accessible(window, name)->text(QAccessible::Name); }
QString describe(const QWidget& window, const char* name) {
    return accessible(window, name)->text(QAccessible::Description);
}
bool reportedDisabled(const QWidget& window, const char* name) { return accessible(window, name)->state().disabled; }

struct CardButton {
    QString objectName;
    QString spoken;
    QString restCaption;
};

// The 52 card buttons, with the names a user would give their cards.
std::vector<CardButton> cardButtons() {
    const QStringList parts{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    const QStringList ranks{"Ace", "2", "3", "4", "5", "6", "7", "8", "9", "10", "Jack", "Queen", "King"};
    const QStringList captions{"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    const QList<QPair<QString, QString>> suits{{"S", "Spades"}, {"C", "Clubs"}, {"D", "Diamonds"}, {"H", "Hearts"}};
    std::vector<CardButton> buttons;
    for (const auto& [letter, suit] : suits) {
        for (qsizetype rank = 0; rank < parts.size(); ++rank) {
            buttons.push_back({"cmd" + letter + parts[rank], ranks[rank] + " of " + suit, captions[rank]});
        }
    }
    return buttons;
}

// Every card button's description: empty but for the ones named.
void verifyDescriptions(const QWidget& window, const QMap<QString, QString>& described) {
    for (const CardButton& button : cardButtons()) {
        const QByteArray name = button.objectName.toLatin1();
        QVERIFY2(describe(window, name) == described.value(button.objectName),
                 qPrintable(button.objectName + ": " + describe(window, name)));
    }
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void everyControlHasItsNameAndRole() {
        const auto window = dealwise::testing::startMainWindow();
        for (const CardButton& button : cardButtons()) {
            const QByteArray name = button.objectName.toLatin1();
            QCOMPARE(nameOf(*window, name), button.spoken);
            QCOMPARE(accessible(*window, name)->role(), QAccessible::Button);
            QCOMPARE(control<QPushButton>(*window, name)->text(), button.restCaption);
        }
        for (const auto& [name, spoken] :
             {std::pair{"cmdRun", "Run"}, {"cmdQuit", "Quit"}, {"cmdReset", "Input New Hand"}, {"cmdHelp", "Help"}}) {
            QCOMPARE(nameOf(*window, name), spoken);
            QCOMPARE(accessible(*window, name)->role(), QAccessible::Button);
        }
        QCOMPARE(nameOf(*window, "txtFinalScore"), "Score");
        QCOMPARE(accessible(*window, "txtFinalScore")->role(), QAccessible::EditableText);

        QAccessibleInterface* pane = accessible(*window, "picOutput");
        QCOMPARE(pane->text(QAccessible::Name), "Scoring details");
        QCOMPARE(pane->role(), QAccessible::StaticText);
        QVERIFY(pane->state().readOnly && pane->state().multiLine && pane->state().focusable);
        QVERIFY(pane->textInterface() != nullptr);

        click(*window, "cmdHelp");
        const dealwise::frmHelp& help = *window->helpWindow();
        QCOMPARE(nameOf(help, "Text1"), "Help, steps 1 to 4");
        QCOMPARE(nameOf(help, "Text2"), "Help, steps 5 and 6");
        QCOMPARE(accessible(help, "Text1")->role(), QAccessible::EditableText);
        QCOMPARE(accessible(help, "Text2")->role(), QAccessible::EditableText);
    }

    void entriesAreDescribedAndRunIsReportedUnavailableUntilTheSeventh() {
        const auto window = dealwise::testing::startMainWindow();
        verifyDescriptions(*window, {});
        QVERIFY(reportedDisabled(*window, "cmdRun"));

        dealwise::testing::clickCards(*window, {"cmdS1", "cmdS2", "cmdS1", "cmdD7", "cmdS1"});
        QTest::keyClicks(QApplication::focusWidget(), "qh");
        verifyDescriptions(
            *window,
            {{"cmdS1", "entered 5th"}, {"cmdS2", "entered 2nd"}, {"cmdD7", "entered 4th"}, {"cmdHQ", "entered 6th"}});
        QVERIFY(reportedDisabled(*window, "cmdRun"));

        click(*window, "cmdD7");
        QVERIFY(!reportedDisabled(*window, "cmdRun"));
        for (const char* card : {"cmdC3", "cmdC4", "cmdC4", "cmdC4", "cmdC4", "cmdC4", "cmdC4"}) {
            click(*window, card);
        }
        for (int more = 0; more < 8; ++more) {
            click(*window, "cmdHK");
        }
        verifyDescriptions(*window, {{"cmdS1", "entered 5th"},
                                     {"cmdS2", "entered 2nd"},
                                     {"cmdD7", "entered 7th"},
                                     {"cmdHQ", "entered 6th"},
                                     {"cmdC3", "entered 8th"},
                                     {"cmdC4", "entered 14th"},
                                     {"cmdHK", "entered 22nd"}});
        QCOMPARE(control<QPushButton>(*window, "cmdHK")->text(), "22");
        QCOMPARE(nameOf(*window, "cmdHK"), "King of Hearts");

        click(*window, "cmdReset");
        verifyDescriptions(*window, {});
        QVERIFY(reportedDisabled(*window, "cmdRun"));
        QCOMPARE(nameOf(*window, "cmdS1"), "Ace of Spades");
    }

    void thePaneReadsAsItsPrintedLines() {
        const auto window = dealwise::testing::startMainWindow();
        QAccessibleInterface* pane = accessible(*window, "picOutput");
        QAccessibleTextInterface* text = pane->textInterface();
        QCOMPARE(pane->text(QAccessible::Value), "");
        QCOMPARE(text->characterCount(), 0);

        for (const char* card : dealwise::testing::kWorkedExampleCards) {
            click(*window, card);
        }
        click(*window, "cmdRun");
        const QStringList lines = dealwise::testing::workedExampleLines();
        QCOMPARE(lines.size(), qsizetype(17));
        const QString whole = lines.join('\n');
        QCOMPARE(pane->text(QAccessible::Value), whole);
        QCOMPARE(text->characterCount(), int(whole.size()));
        QCOMPARE(text->text(0, text->characterCount()), whole);

        // Line by line, as a screen reader steps through it.
        const int sixthLine = int(whole.indexOf(lines[5]));
        int start = -1, end = -1;
        QCOMPARE(text->textAtOffset(sixthLine + 3, QAccessible::LineBoundary, &start, &end), lines[5] + "\n");
        QCOMPARE(start, sixthLine);
        QCOMPARE(text->textAfterOffset(sixthLine + 3, QAccessible::LineBoundary, &start, &end), lines[6] + "\n");
        QCOMPARE(text->textBeforeOffset(sixthLine + 3, QAccessible::LineBoundary, &start, &end), lines[4] + "\n");
        QCOMPARE(text->textAtOffset(int(whole.size()) - 2, QAccessible::LineBoundary, &start, &end), lines[16]);

        // Each character is where it is drawn, one line below the other.
        const QRect first = text->characterRect(0);
        const QRect below = text->characterRect(int(lines[0].size()) + 1);
        QCOMPARE(below.left(), first.left());
        QVERIFY(below.top() >= first.bottom());
        for (int offset : {0, 5, sixthLine, sixthLine + 7, int(whole.size()) - 3}) {
            QVERIFY(pane->rect().contains(text->characterRect(offset)));
            QCOMPARE(text->offsetAtPoint(text->characterRect(offset).center()), offset);
        }

        // Input New Hand keeps the pane, and so what it reads.
        click(*window, "cmdReset");
        QCOMPARE(pane->text(QAccessible::Value), whole);
    }
};

DEALWISE_WINDOW_TEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
