// SPDX-License-Identifier: MIT
// A long evening at the table: ten thousand hands entered and scored in one
// run of the real window, each checked, with the memory in use no higher at
// the end than after the first hand.
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "window_test_support.h"

using dealwise::testing::control;

namespace {

// VmRSS of this process, in kilobytes.
long residentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').first().toLong();
        }
    }
    return 0;
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMemoryIsMeasurable = false; // freed memory waits in quarantine
#else
constexpr bool kMemoryIsMeasurable = true;
#endif

} // namespace

class LongSessionTest : public QObject {
    Q_OBJECT

private slots:
    void tenThousandHandsInOneRun() {
        const auto window = dealwise::testing::startMainWindow();
        const QStringList hand{"cmdS5", "cmdHK", "cmdD1", "cmdC10", "cmdD5", "cmdSJ", "cmdH2"};
        QList<QPushButton*> cards;
        for (const QString& name : hand) {
            cards << control<QPushButton>(*window, name.toLatin1());
        }
        auto* run = control<QPushButton>(*window, "cmdRun");
        auto* reset = control<QPushButton>(*window, "cmdReset");
        auto* score = control<QLineEdit>(*window, "txtFinalScore");
        const int hands = qEnvironmentVariableIsSet("DEALWISE_LONG_HANDS")
                              ? qEnvironmentVariableIntValue("DEALWISE_LONG_HANDS")
                              : 10000;
        long afterFirstHand = 0;
        for (int i = 0; i < hands; ++i) {
            for (QPushButton* card : cards) {
                card->click();
            }
            run->click();
            QCoreApplication::processEvents();
            if (score->text() != " -1" || dealwise::testing::paneLines(*window).size() != 17) {
                QFAIL(qPrintable(QStringLiteral("hand %1: score box \"%2\"").arg(i + 1).arg(score->text())));
            }
            reset->click();
            if (i == 0) {
                afterFirstHand = residentKilobytes();
            }
        }
        QCOMPARE(window->entries(), dealwise::Int16{0});
        QVERIFY(!run->isEnabled());
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            QVERIFY2(qobject_cast<QMessageBox*>(widget) == nullptr, "an error was reported");
        }
        if (kMemoryIsMeasurable) {
            const long growth = residentKilobytes() - afterFirstHand;
            QVERIFY2(growth < 1024, qPrintable(QStringLiteral("memory grew by %1 kB").arg(growth)));
        }
    }
};

DEALWISE_WINDOW_TEST_MAIN(LongSessionTest)
#include "long_session_test.moc"
