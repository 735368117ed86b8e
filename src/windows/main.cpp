#include <QApplication>

#include <cstdio>
#include <cstring>

#include "windows/application.h"
#include "windows/frm_main.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    dealwise::configureApplication(application);

    dealwise::frmMain window;
    QObject::connect(&window, &dealwise::frmMain::programEnded, &application, [] { QCoreApplication::exit(0); });
    return QApplication::exec();
}
