// SPDX-License-Identifier: MIT
#include <QApplication>

#include <cstdio>
#include <cstring>

#include "windows/application.h"
#include "windows/frm_main.h"

namespace {

constexpr const char* kUsage =
    "Usage: dealwise [--help] [--version] [Qt options such as -platform NAME]\n"
    "Rates the opening deal of a Klondike Solitaire game, so that you can decide to play it or deal\n"
    "again.\n"
    "\n"
    "Click the seven face-up cards of the deal, left to right, on the 52 card buttons (or type each\n"
    "card: its rank a, 2-9, t or 10, j, q or k, then its suit s, c, d or h). At the seventh card\n"
    "the hand is printed and Run becomes available; Run scores the deal by eight fixed rules and\n"
    "shows the score. Play deals that score 4 or more. Input New Hand gets ready for the next deal,\n"
    "Help explains the rules, Quit ends the program.\n"
    "\n"
    "Options:\n"
    "  --help       show this help and exit\n"
    "  --version    show the version and exit\n";

// Answers --help and --version before any window system is asked for, so
// that they work without a display; -1 when the program should start.
int answerInformationalOptions(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("dealwise %s\n", DEALWISE_VERSION_TEXT);
            return 0;
        }
    }
    return -1;
}

} // namespace

int main(int argc, char* argv[]) {
    if (const int status = answerInformationalOptions(argc, argv); status >= 0) {
        return status;
    }
    QApplication application(argc, argv);
    dealwise::configureApplication(application);

    dealwise::frmMain window;
    QObject::connect(&window, &dealwise::frmMain::programEnded, &application, [] { QCoreApplication::exit(0); });
    return QApplication::exec();
}
