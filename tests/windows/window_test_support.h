// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <array>
#include <memory>

#include "windows/application.h"
#include "windows/frm_main.h"

namespace dealwise::testing {

template <typename Control = QWidget> Control* control(const QWidget& window, const char* name) {
    auto* found = window.findChild<Control*>(QString::fromLatin1(name));
    if (found == nullptr) {
        qFatal("no control %s of the wanted kind", name);
    }
    return found;
}

// A user's click: the mouse, pressed and released over the button.
inline void click(const QWidget& window, const char* name) {
    QTest::mouseClick(control<QPushButton>(window, name), Qt::LeftButton);
}

inline void clickCards(const QWidget& window, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        click(window, name);
    }
}

inline std::unique_ptr<frmMain> startMainWindow() {
    auto window = std::make_unique<frmMain>();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get())) {
        qWarning("the main window did not become active");
    }
    return window;
}

// The controls the Tab key visits, in order, as a user would list them: the
// Spades row, the other three aces, the other rows from their 2, then the
// commands (Run only while it is enabled).
inline QStringList tabOrder(bool runEnabled) {
    const QStringList parts{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    QStringList order;
    for (const QString& part : parts) {
        order << "cmdS" + part;
    }
    order << "cmdC1"
          << "cmdD1"
          << "cmdH1";
    for (const char* suit : {"C", "D", "H"}) {
        for (qsizetype i = 1; i < parts.size(); ++i) {
            order << QStringLiteral("cmd%1%2").arg(suit, parts[i]);
        }
    }
    if (runEnabled) {
        order << "cmdRun";
    }
    order << "txtFinalScore"
          << "picOutput"
          << "cmdReset"
          << "cmdQuit"
          << "cmdHelp";
    return order;
}

inline QStringList paneLines(const QWidget& window) {
    return control(window, "picOutput")->property("lines").toStringList();
}

// The seventeen lines the pane shows after AS 2S 3S 4H 9C 10D KC and one Run,
// as the command-line scorer's test keeps them.
inline QStringList workedExampleLines() {
    QFile file(QStringLiteral(DEALWISE_WORKED_EXAMPLE));
    if (!file.open(QIODevice::ReadOnly)) {
        qFatal("cannot read %s", DEALWISE_WORKED_EXAMPLE);
    }
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

inline constexpr std::array<const char*, 7> kWorkedExampleCards{"cmdS1", "cmdS2",  "cmdS3", "cmdH4",
                                                                "cmdC9", "cmdD10", "cmdCK"};

} // namespace dealwise::testing

// Each window test runs in the real application set-up, on the offscreen
// platform unless the caller asked for another.
#define DEALWISE_WINDOW_TEST_MAIN(TestClass)                                                                           \
    int main(int argc, char** argv) {                                                                                  \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {                                                          \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                                                   \
        }                                                                                                              \
        QApplication application(argc, argv);                                                                          \
        dealwise::configureApplication(application);                                                                   \
        TestClass test;                                                                                                \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
