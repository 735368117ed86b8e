// The baseline: a bare Qt Widgets program of the same build that shows one
// empty window of the main window's size, reports its first paint and memory
// as Dealwise's probe does, and quits.
#include <QApplication>
#include <QWidget>

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
    window.show();
    return QApplication::exec();
}
