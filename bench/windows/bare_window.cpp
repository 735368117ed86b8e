// SPDX-License-Identifier: MIT
// The baseline: a bare Qt Widgets program of the same build that shows one
// empty window of the main window's size, reports its first paint and memory
// as Dealwise's probe does, and quits. With --text the window also shows one
// label in the same font as Dealwise's captions: the price of drawing any
// text at all (the font database and its caches), which the empty window
// never pays.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QWidget>

#include <cstring>

#include "startup_probe.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    dealwise::bench::FirstPaint probe(QStringLiteral("bare"), [] {
        dealwise::bench::reportMemory("after_start");
        QCoreApplication::exit(0);
    });
    QWidget window;
    window.setObjectName(QStringLiteral("bare"));
    window.resize(589, 118);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0) {
        QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
        QFont font(QStringLiteral("MS Sans Serif"));
        font.setPointSizeF(8.25);
        auto* label = new QLabel(QStringLiteral("Spades"), &window);
        label->setFont(font);
    }
    window.show();
    return QApplication::exec();
}
