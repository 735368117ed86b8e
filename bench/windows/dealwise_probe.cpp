// SPDX-License-Identifier: MIT
// Dealwise as it starts for a user, instrumented: reports its first paint and
// memory, optionally enters and scores HANDS hands through the real buttons
// (seven cards, Run, Input New Hand), then quits.
#include <QApplication>
#include <QPushButton>

#include <cstdlib>

#include "startup_probe.h"
#include "windows/application.h"
#include "windows/frm_main.h"

namespace {

void playHands(const dealwise::frmMain& window, int hands) {
    auto button = [&window](const QString& name) { return window.findChild<QPushButton*>(name); };
    const QStringList cards{"cmdS5", "cmdHK", "cmdD1", "cmdC10", "cmdD5", "cmdSJ", "cmdH2"};
    QList<QPushButton*> hand;
    for (const QString& card : cards) {
        hand << button(card);
    }
    QPushButton* run = button(QStringLiteral("cmdRun"));
    QPushButton* reset = button(QStringLiteral("cmdReset"));
    for (int i = 0; i < hands; ++i) {
        for (QPushButton* card : hand) {
            card->click();
        }
        run->click();
        QCoreApplication::processEvents(); // let the pane and buttons repaint
        reset->click();
        if (i == 0) {
            dealwise::bench::reportMemory("after_1_hand");
        }
    }
}

} // namespace

int main(int argc, char* argv[]) {
    const int hands = argc > 1 ? std::atoi(argv[1]) : 0;
    QApplication application(argc, argv);
    dealwise::configureApplication(application);
    dealwise::frmMain* window = nullptr;
    dealwise::bench::FirstPaint probe(QStringLiteral("frmMain"), [&window, hands] {
        dealwise::bench::reportMemory("after_start");
        if (hands > 0) {
            playHands(*window, hands);
            dealwise::bench::reportMemory("after_all_hands");
        }
        QCoreApplication::exit(0);
    });
    dealwise::frmMain main; // shows itself while it loads
    window = &main;
    return QApplication::exec();
}
