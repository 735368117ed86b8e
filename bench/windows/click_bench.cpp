// SPDX-License-Identifier: MIT
// How long a user waits for a card click and for Run: each operation through
// the real button, until the window has repainted what it changed.
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "windows/application.h"
#include "windows/frm_main.h"

class ClickBench : public QObject {
    Q_OBJECT

    static void clickAndRepaint(dealwise::frmMain& window, QPushButton* button) {
        button->click();
        window.repaint(); // paints everything that changed, synchronously
    }

private slots:
    void cardClick() {
        dealwise::frmMain window;
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* card = window.findChild<QPushButton*>(QStringLiteral("cmdD9"));
        auto* reset = window.findChild<QPushButton*>(QStringLiteral("cmdReset"));
        QBENCHMARK { clickAndRepaint(window, card); }
        reset->click();
    }

    void run() {
        dealwise::frmMain window;
        window.resize(589, 460); // the report pane in view, so Run's text is drawn
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (const char* name : {"cmdS5", "cmdHK", "cmdD1", "cmdC10", "cmdD5", "cmdSJ", "cmdH2"}) {
            window.findChild<QPushButton*>(QString::fromLatin1(name))->click();
        }
        auto* run = window.findChild<QPushButton*>(QStringLiteral("cmdRun"));
        // Each press appends twelve lines below the last: the same work every
        // time, since lines below the pane's bottom edge are not drawn.
        QBENCHMARK { clickAndRepaint(window, run); }
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    dealwise::configureApplication(application);
    ClickBench bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "click_bench.moc"
